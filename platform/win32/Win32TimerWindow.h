#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

inline constexpr char kTimerClass[] = "WumpexTimer";

// A message-only window: it receives timer messages and is never among the top-level
// windows the program walks when it disables them for a modal box.
class Win32TimerWindow final : public TimerWindow {
 public:
  // Registers the timer window class; it stays registered until the process ends.
  static void registerClass();

  explicit Win32TimerWindow(TimerEvents& events);
  bool setTimer(unsigned id, std::uint32_t milliseconds) override;
  void killTimer(unsigned id) override;

  HWND window() const { return window_.get(); }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  TimerEvents& events_;
  OwnedWindow window_;
};

}  // namespace platform::win32
