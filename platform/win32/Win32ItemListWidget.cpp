#include "platform/win32/Win32ItemListWidget.h"

#include "platform/win32/Utf16.h"

namespace platform::win32 {
namespace {

// How many items a combo box's drop-down list shows.
constexpr int kDropDownItems = 8;

constexpr ItemListMessages kListBoxMessages{LB_RESETCONTENT, LB_INSERTSTRING, LB_GETCURSEL,
                                            LB_SETCURSEL, LBN_SELCHANGE};
constexpr ItemListMessages kComboBoxMessages{CB_RESETCONTENT, CB_INSERTSTRING, CB_GETCURSEL,
                                             CB_SETCURSEL, CBN_SELCHANGE};

}  // namespace

Win32ItemListWidget::Win32ItemListWidget(HWND window, Win32Widget* parent, WidgetEvents& events,
                                         const ItemListMessages& messages)
    : Win32Widget(window, parent, events), messages_(messages) {}

void Win32ItemListWidget::setItems(const std::vector<std::string>& items) {
  if (items == items_) return;
  const auto echo = echoing();
  refill(items);
  items_ = items;
}

// Each item goes to its own index, so that indices stay the program's even in a sorted list.
// The control draws once, at the end: redrawing it after each of thousands of items took most
// of the time of listing a large folder.
void Win32ItemListWidget::refill(const std::vector<std::string>& items) {
  // No drawing until the whole list is in; then it is drawn once, scroll bar included (the
  // system leaves that last step to the program).
  SendMessageW(window(), WM_SETREDRAW, FALSE, 0);
  const ScopeGuard redrawn([this] {
    SendMessageW(window(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  });
  SendMessageW(window(), messages_.reset, 0, 0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::wstring item = Wide(items[i]);
    SendMessageW(window(), messages_.insert, i, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

void Win32ItemListWidget::setItemIndex(int index) {
  if (SendMessageW(window(), messages_.getSelection, 0, 0) == index) return;
  const auto echo = echoing();
  SendMessageW(window(), messages_.setSelection, static_cast<WPARAM>(index), 0);
}

void Win32ItemListWidget::command(WORD code) {
  if (code == messages_.selectionChanged) {
    events().userSelected(static_cast<int>(SendMessageW(window(), messages_.getSelection, 0, 0)));
  }
}

// No integral height: the list keeps exactly the height it is given.
Win32ListBoxWidget::Win32ListBoxWidget(Win32Widget* parent, const WidgetStyle& style,
                                       WidgetEvents& events)
    : Win32ItemListWidget(createChild({"LISTBOX",
                                       kChildStyle | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                                           LBS_NOINTEGRALHEIGHT | (style.sorted ? LBS_SORT : 0),
                                       WS_EX_CLIENTEDGE},
                                      parent),
                          parent, events, kListBoxMessages),
      itemHeight_(style.itemHeight) {
  applyItemHeight();
}

void Win32ListBoxWidget::applyItemHeight() {
  if (itemHeight_ > 0) SendMessageW(window(), LB_SETITEMHEIGHT, 0, itemHeight_);
}

Win32ComboBoxWidget::Win32ComboBoxWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32ItemListWidget(
          createChild({"COMBOBOX",
                       kChildStyle | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0},
                      parent),
          parent, events, kComboBoxMessages) {}

void Win32ComboBoxWidget::command(WORD code) {
  if (code == CBN_EDITCHANGE) {
    events().userEditedText(text());
  } else {
    Win32ItemListWidget::command(code);
  }
}

// The text in the edit field stays what it was.
void Win32ComboBoxWidget::refill(const std::vector<std::string>& items) {
  const std::string kept = text();
  Win32ItemListWidget::refill(items);
  SetWindowTextW(window(), Wide(kept).c_str());
}

// A drop-down combo box's window height includes its list; the system sizes the closed
// control from its font.
void Win32ComboBoxWidget::applyBounds() {
  const auto itemHeight = static_cast<int>(SendMessageW(window(), CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(window(), nullptr, bounds().left, bounds().top, bounds().width,
               bounds().height + kDropDownItems * itemHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32
