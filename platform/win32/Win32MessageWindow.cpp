#include "platform/win32/Win32MessageWindow.h"
#include "platform/win32/Utf16.h"

#include <system_error>

namespace platform::win32 {
namespace {

constexpr char kMessageTag[] = "WumpexMessages";

HWND createMessageWindow(bool topLevel) {
  HWND window = CreateWindowExW(
      topLevel ? WS_EX_TOOLWINDOW : 0, Wide(kMessageClass).c_str(), L"", topLevel ? WS_POPUP : 0, 0,
      0, 0, 0, topLevel ? nullptr : HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "cannot create a message window");
  }
  return window;
}

}  // namespace

void Win32MessageWindow::registerClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    const std::wstring name = Wide(kMessageClass);
    windowClass.lpszClassName = name.c_str();
    registerWindowClass(windowClass);
    return true;
  }();
  static_cast<void>(registered);
}

Win32MessageWindow::Win32MessageWindow(MessageEvents& events, bool topLevel)
    : events_(events), window_(createMessageWindow(topLevel), kMessageTag, this) {}

LRESULT CALLBACK Win32MessageWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  // An exception must not unwind through the system code that called this procedure.
  try {
    auto* self = static_cast<Win32MessageWindow*>(OwnedWindow::ownerOf(window, kMessageTag));
    if (self != nullptr) {
      if (auto result = self->events_.messageArrived(message, static_cast<std::uintptr_t>(wParam),
                                                     static_cast<std::intptr_t>(lParam))) {
        return static_cast<LRESULT>(*result);
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace platform::win32
