#include "platform/win32/Win32TimerWindow.h"
#include "platform/win32/Utf16.h"

#include <system_error>

namespace platform::win32 {
namespace {

constexpr char kTimerTag[] = "WumpexTimer";

HWND createTimerWindow() {
  HWND window = CreateWindowExW(0, Wide(kTimerClass).c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "cannot create the timer window");
  }
  return window;
}

}  // namespace

void Win32TimerWindow::registerClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    const std::wstring name = Wide(kTimerClass);
    windowClass.lpszClassName = name.c_str();
    registerWindowClass(windowClass);
    return true;
  }();
  static_cast<void>(registered);
}

Win32TimerWindow::Win32TimerWindow(TimerEvents& events)
    : events_(events), window_(createTimerWindow(), kTimerTag, this) {}

bool Win32TimerWindow::setTimer(unsigned id, std::uint32_t milliseconds) {
  return SetTimer(window(), id, milliseconds, nullptr) != 0;
}

void Win32TimerWindow::killTimer(unsigned id) {
  KillTimer(window(), id);
}

LRESULT CALLBACK Win32TimerWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  // An exception must not unwind through the system code that called this procedure. The
  // program's handlers report their own failures, so whatever still arrives is dropped.
  try {
    auto* self = static_cast<Win32TimerWindow*>(OwnedWindow::ownerOf(window, kTimerTag));
    if (self != nullptr && message == WM_TIMER) {
      self->events_.timerFired(static_cast<unsigned>(wParam));
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace platform::win32
