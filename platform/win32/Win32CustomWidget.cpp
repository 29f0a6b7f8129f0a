#include "platform/win32/Win32CustomWidget.h"

#include "platform/win32/Win32Canvas.h"

namespace platform::win32 {
namespace {

// Mouse messages carry client coordinates as two signed 16-bit halves.
Point clientPoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void Win32ClickingWidget::trackClick(UINT message, LPARAM lParam) {
  if (message != WM_LBUTTONUP) {
    pressed_ = true;
    if (GetCapture() != window()) SetCapture(window());
    return;
  }
  RECT client{};
  GetClientRect(window(), &client);
  const Point at = clientPoint(lParam);
  const bool clicked = pressed_ && PtInRect(&client, POINT{at.x, at.y});
  pressed_ = false;
  if (GetCapture() == window()) ReleaseCapture();
  if (clicked) events().userClicked();
}

void Win32CustomWidget::registerClass() {
  // The face is redrawn whenever the size changes.
  Win32Widget::registerClass(kCustomClass, CS_HREDRAW | CS_VREDRAW);
}

Win32CustomWidget::Win32CustomWidget(Win32Widget* parent, const WidgetStyle& style,
                                     WidgetEvents& events)
    : Win32ClickingWidget(
          createChild({kCustomClass, kChildStyle | (style.tabStop ? WS_TABSTOP : 0), 0}, parent),
          parent, events) {}

bool Win32CustomWidget::handleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      paint();
      return true;
    case WM_LBUTTONDOWN:
      events().mousePressed(clientPoint(lParam));
      trackClick(message, lParam);
      return true;
    case WM_MOUSEMOVE:
      events().mouseMoved(clientPoint(lParam));
      return true;
    case WM_LBUTTONUP:
      events().mouseReleased(clientPoint(lParam));
      trackClick(message, lParam);
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS;
      return true;
    case WM_KEYDOWN:
      events().keyPressed(static_cast<unsigned>(wParam));
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      events().focusChanged(message == WM_SETFOCUS);
      return true;
    default:
      return false;
  }
}

void Win32CustomWidget::paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window(), &paint);
  const ScopeGuard ended([&] { EndPaint(window(), &paint); });
  Win32Painter painter(dc);
  events().paintRequested(painter);
}

Win32LabelWidget::Win32LabelWidget(Win32Widget* parent, const WidgetStyle& style,
                                   WidgetEvents& events)
    : Win32ClickingWidget(
          createChild({"STATIC",
                       kChildStyle | SS_NOTIFY | (style.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0},
                      parent),
          parent, events) {
  SetWindowLongPtrW(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(labelProc));
}

LRESULT CALLBACK Win32LabelWidget::labelProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  static const WNDPROC systemProc = [] {
    WNDCLASSEXW label{};
    label.cbSize = sizeof label;
    GetClassInfoExW(nullptr, L"STATIC", &label);
    return label.lpfnWndProc;
  }();
  withoutUnwinding([&] {
    // The system's label reports a click on the press, and a quick second one not at all.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP) {
      // Only labels get this procedure.
      if (auto* label = static_cast<Win32LabelWidget*>(fromWindow(window))) {
        label->trackClick(message, lParam);
      }
    }
    return LRESULT{0};
  });
  return CallWindowProcW(systemProc, window, message, wParam, lParam);
}

}  // namespace platform::win32
