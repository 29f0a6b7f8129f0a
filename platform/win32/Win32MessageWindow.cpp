#include "platform/win32/Win32MessageWindow.h"

#include "platform/win32/Utf16.h"

namespace platform::win32 {
namespace {

constexpr char kMessageTag[] = "WumpexMessages";

}  // namespace

void Win32MessageWindow::registerClass() {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  const std::wstring name = Wide(kMessageClass);
  windowClass.lpszClassName = name.c_str();
  registerWindowClass(windowClass);
}

Win32MessageWindow::Win32MessageWindow(MessageEvents& events, bool topLevel)
    : events_(events),
      window_(createWindowOrThrow(topLevel ? WS_EX_TOOLWINDOW : 0, kMessageClass,
                                  topLevel ? WS_POPUP : 0, 0, 0, topLevel ? nullptr : HWND_MESSAGE),
              kMessageTag, this) {}

LRESULT CALLBACK Win32MessageWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  return withoutUnwinding([&] {
    auto* self = static_cast<Win32MessageWindow*>(OwnedWindow::ownerOf(window, kMessageTag));
    if (self != nullptr) {
      if (auto result = self->events_.messageArrived(message, static_cast<std::uintptr_t>(wParam),
                                                     static_cast<std::intptr_t>(lParam))) {
        return static_cast<LRESULT>(*result);
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  });
}

}  // namespace platform::win32
