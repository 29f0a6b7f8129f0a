#include "platform/win32/Win32ControlWidget.h"
#include "platform/win32/Utf16.h"

#include <commctrl.h>

namespace platform::win32 {

Win32ButtonWidget::Win32ButtonWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(createChild({"BUTTON", kChildStyle | WS_TABSTOP | BS_PUSHBUTTON, 0}, parent),
                  parent, events) {}

void Win32ButtonWidget::command(WORD code) {
  if (code == BN_CLICKED) events().userClicked();
}

Win32CheckBoxWidget::Win32CheckBoxWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(createChild({"BUTTON", kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX, 0}, parent),
                  parent, events) {}

void Win32CheckBoxWidget::setChecked(bool checked) {
  SendMessageW(window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32CheckBoxWidget::command(WORD code) {
  if (code == BN_CLICKED) {
    events().userToggled(SendMessageW(window(), BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
}

Win32EditWidget::Win32EditWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(createChild({"EDIT", kChildStyle | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                               WS_EX_CLIENTEDGE},
                              parent),
                  parent, events) {}

void Win32EditWidget::command(WORD code) {
  if (code == EN_CHANGE) events().userEditedText(text());
}

// No UDS_ALIGN*: the buddy keeps the place the program gave it.
Win32UpDownWidget::Win32UpDownWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(createChild({UPDOWN_CLASSA,
                               kChildStyle | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0},
                              parent),
                  parent, events) {}

void Win32UpDownWidget::setUpDown(int min, int max, int position, Widget* buddy) {
  // Every widget of this desktop is a Win32Widget.
  auto* buddyWidget = static_cast<Win32Widget*>(buddy);
  const auto apply = [&] {
    SendMessageW(window(), UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(buddyWidget != nullptr ? buddyWidget->window() : nullptr),
                 0);
    SendMessageW(window(), UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    SendMessageW(window(), UDM_SETPOS32, 0, position);
  };
  // The up-down writes the position into its buddy; that is no edit by the user.
  if (buddyWidget == nullptr) {
    apply();
    return;
  }
  const auto echo = buddyWidget->echoing();
  apply();
}

// Drawn to the control's size, so that setting an icon does not resize the control.
Win32ImageWidget::Win32ImageWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(createChild({"STATIC", kChildStyle | SS_ICON | SS_REALSIZECONTROL, 0}, parent),
                  parent, events) {}

void Win32ImageWidget::setIcon(const std::string& resourceName) {
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), Wide(resourceName).c_str(), IMAGE_ICON, 32, 32, 0)));
  // The previous icon goes only once the control has let go of it.
  SendMessageW(window(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
}

}  // namespace platform::win32
