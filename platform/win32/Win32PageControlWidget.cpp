#include "platform/win32/Win32PageControlWidget.h"

#include <commctrl.h>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

// A control parent, so that Tab walks into the controls of its sheets.
Win32PageControlWidget::Win32PageControlWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(
          createChild({WC_TABCONTROLA, kChildStyle | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, parent),
          parent, events) {}

void Win32PageControlWidget::notify(UINT code) {
  if (code == TCN_SELCHANGE) {
    events().userSelected(static_cast<int>(SendMessageW(window(), TCM_GETCURSEL, 0, 0)));
  }
}

// Sheets fill the display area, below the tab row.
void Win32PageControlWidget::placeChildren() {
  RECT area{};
  GetClientRect(window(), &area);
  SendMessageW(window(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (HWND child = GetWindow(window(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (Win32Widget* sheet = fromWindow(child)) sheet->placeInArea(area);
  }
}

void Win32PageControlWidget::applyBounds() {
  Win32Widget::applyBounds();
  placeChildren();
}

void Win32PageControlWidget::setTabs(const std::vector<std::string>& captions, int active) {
  // The program repeats its tabs after every change of page: only a real change rebuilds.
  if (captions != tabs_) {
    SendMessageW(window(), TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      std::wstring caption = Wide(captions[i]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageW(window(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    tabs_ = captions;
    placeChildren();
  }
  if (SendMessageW(window(), TCM_GETCURSEL, 0, 0) != active) {
    SendMessageW(window(), TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
  }
}

}  // namespace platform::win32
