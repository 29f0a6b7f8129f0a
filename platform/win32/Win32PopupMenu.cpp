#include "platform/win32/Win32PopupMenu.h"

#include <system_error>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

Win32PopupMenu::Win32PopupMenu() : menu_(CreatePopupMenu()) {
  if (!menu_) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "cannot create a menu");
  }
}

// Deleting an item that opens a submenu destroys the submenu too.
void Win32PopupMenu::setItems(const std::vector<MenuItemState>& items) {
  while (GetMenuItemCount(menu()) > 0) DeleteMenu(menu(), 0, MF_BYPOSITION);
  // The menu that takes each level's items; the items under a hidden one find none.
  std::vector<HMENU> levels{menu()};
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItemState& item = items[i];
    const auto level = static_cast<std::size_t>(item.level);
    if (level >= levels.size()) continue;
    levels.resize(level + 1);
    if (!item.visible) continue;
    std::wstring caption = Wide(item.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = static_cast<UINT>(i + 1);
    if (item.caption == "-") {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask |= MIIM_STRING;
      info.fType = MFT_STRING | (item.radio ? MFT_RADIOCHECK : 0);
      info.dwTypeData = caption.data();
    }
    info.fState = (item.checked ? MFS_CHECKED : 0) | (item.isDefault ? MFS_DEFAULT : 0) |
                  (item.enabled ? 0 : MFS_DISABLED);
    UniqueMenu submenu;
    if (i + 1 < items.size() && items[i + 1].level > item.level) {
      submenu.reset(CreatePopupMenu());
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = submenu.get();
    }
    HMENU into = levels.back();
    if (!InsertMenuItemW(into, static_cast<UINT>(GetMenuItemCount(into)), TRUE, &info)) continue;
    if (submenu) levels.push_back(submenu.release());
  }
}

int Win32PopupMenu::track(Point at, Handle owner) {
  HWND window = toWindow(owner);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(window);
  const BOOL chosen = TrackPopupMenu(menu(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                     at.y, 0, window, nullptr);
  // Lets the owner's thread switch tasks properly once the menu is gone.
  PostMessageW(window, WM_NULL, 0, 0);
  // Nothing chosen gives 0, and so -1.
  return static_cast<int>(chosen) - 1;
}

}  // namespace platform::win32
