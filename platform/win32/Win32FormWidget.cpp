#include "platform/win32/Win32FormWidget.h"

#include "platform/win32/Utf16.h"

namespace platform::win32 {
namespace {

BOOL CALLBACK findApplicationWindow(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (Utf8(name) != kApplicationClass) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND createApplicationWindow() {
  // Never shown, and a tool window besides: should anything show it, it still gets neither
  // a task-bar button nor a place in the Alt+Tab list. Mid-screen, so that message boxes it
  // owns appear mid-screen too.
  return Win32Widget::createWindow({kApplicationClass, WS_POPUP, WS_EX_TOOLWINDOW}, nullptr,
                                   GetSystemMetrics(SM_CXSCREEN) / 2,
                                   GetSystemMetrics(SM_CYSCREEN) / 2);
}

HWND createFormWindow(Win32Widget* parent, const WidgetStyle& style) {
  // Owned by the application window: an owned window gets no task-bar button, so the
  // program stays in the notification area alone.
  HWND owner = nullptr;
  if (parent != nullptr) {
    owner = parent->window();
  } else {
    EnumThreadWindows(GetCurrentThreadId(), findApplicationWindow,
                      reinterpret_cast<LPARAM>(&owner));
  }
  // Without WS_SYSMENU a caption has no system menu and no close box.
  return Win32Widget::createWindow(
      {kFormClass, WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (style.closeBox ? WS_SYSMENU : 0),
       WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT},
      owner, 0, 0);
}

}  // namespace

void registerContainerClasses() {
  Win32Widget::registerClass(kApplicationClass, 0);
  Win32Widget::registerClass(kFormClass, 0);
  Win32Widget::registerClass(kTabSheetClass, 0);
  // A group box redraws its frame whenever the size changes.
  Win32Widget::registerClass(kGroupBoxClass, CS_HREDRAW | CS_VREDRAW);
}

void Win32TopLevelWidget::setIcon(const std::string& resourceName) {
  const auto load = [&](int size) {
    return UniqueIcon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), Wide(resourceName).c_str(), IMAGE_ICON, size, size, 0)));
  };
  // Each previous icon goes only once the window has let go of it.
  UniqueIcon big = load(GetSystemMetrics(SM_CXICON));
  UniqueIcon small = load(GetSystemMetrics(SM_CXSMICON));
  SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

Win32ApplicationWidget::Win32ApplicationWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32TopLevelWidget(createApplicationWindow(), parent, events) {}

Win32FormWidget::Win32FormWidget(Win32Widget* parent, const WidgetStyle& style,
                                 WidgetEvents& events)
    : Win32TopLevelWidget(createFormWindow(parent, style), parent, events) {}

bool Win32FormWidget::handleOwnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                       LRESULT& /*result*/) {
  switch (message) {
    case WM_COMMAND:
      // The dialog manager turns Escape into this command.
      if (LOWORD(wParam) != IDCANCEL) return false;
      events().cancelRequested();
      return true;
    case WM_ACTIVATE:
      restoreFocus(LOWORD(wParam) != WA_INACTIVE);
      return true;
    default:
      return false;
  }
}

// The bounds give the client area; the window is larger by its frame and caption.
void Win32FormWidget::applyBounds() {
  RECT outer{0, 0, bounds().width, bounds().height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(window(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window(), GWL_EXSTYLE)));
  SetWindowPos(window(), nullptr, bounds().left, bounds().top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Keeps the keyboard focus on the control that had it when the form was last active, or
// on its first tab stop, as dialog boxes do.
void Win32FormWidget::restoreFocus(bool activated) {
  HWND form = window();
  if (!activated) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(form, focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_ != nullptr && IsChild(form, lastFocus_)
                    ? lastFocus_
                    : GetNextDlgTabItem(form, nullptr, FALSE);
  SetFocus(target != nullptr ? target : form);
}

void Win32FormWidget::show(bool centred) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(window(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const UINT keepPlace = centred ? 0 : SWP_NOMOVE;
  SetWindowPos(window(), HWND_TOP, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | keepPlace);
  ShowWindow(window(), SW_SHOW);
  SetForegroundWindow(window());
}

Win32TabSheetWidget::Win32TabSheetWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(
          createChild({kTabSheetClass, kChildStyle | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, parent),
          parent, events) {
  parent->placeChildren();
}

void Win32TabSheetWidget::placeInArea(const RECT& area) {
  SetWindowPos(window(), nullptr, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32GroupBoxWidget::Win32GroupBoxWidget(Win32Widget* parent, WidgetEvents& events)
    : Win32Widget(
          createChild({kGroupBoxClass, kChildStyle | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, parent),
          parent, events) {}

bool Win32GroupBoxWidget::handleOwnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                           LRESULT& /*result*/) {
  if (message != WM_PAINT) return false;
  paintFrame();
  return true;
}

void Win32GroupBoxWidget::paintFrame() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window(), &paint);
  const ScopeGuard ended([&] { EndPaint(window(), &paint); });
  const auto fontSelected = selected(dc, font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame{};
  GetClientRect(window(), &frame);
  const int right = frame.right;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string caption = text();
  if (caption.empty()) return;
  const std::wstring padded = L" " + Wide(caption) + L" ";
  RECT label{8, 0, right - 8, metrics.tmHeight};
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(IsWindowEnabled(window()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &label,
            DT_SINGLELINE | DT_LEFT | DT_TOP);
}

}  // namespace platform::win32
