// The smallest program of wumpex.exe's kind, to weigh it against: a hidden window with one icon
// in the notification area and a message loop, nothing more. Ends after the seconds given (10
// without an argument).
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>

#include "platform/win32/Win32Handles.h"

namespace {

// The icon leaves the notification area with the program.
class NotifyIcon {
 public:
  explicit NotifyIcon(HWND window) {
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_TIP;
    data_.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(data_.szTip, "Tray baseline", sizeof data_.szTip);
    Shell_NotifyIconA(NIM_ADD, &data_);
  }
  ~NotifyIcon() { Shell_NotifyIconA(NIM_DELETE, &data_); }
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;

 private:
  NOTIFYICONDATAA data_{};
};

}  // namespace

int main(int argc, char** argv) {
  const UINT seconds = argc > 1 ? static_cast<UINT>(std::atoi(argv[1])) : 10;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TrayBaseline";
  RegisterClassA(&windowClass);
  const platform::win32::UniqueWindow window(CreateWindowExA(
      0, windowClass.lpszClassName, "Tray baseline", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
      CW_USEDEFAULT, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr));
  const NotifyIcon icon(window.get());
  // The timer goes with the window.
  SetTimer(window.get(), 1, seconds * 1000, nullptr);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
    DispatchMessageA(&message);
  }
  return 0;
}
