#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/Desktop.h"
#include "platform/win32/Win32MessageWindow.h"

namespace platform::win32 {

// A message-only window that receives timer messages: it is never among the top-level
// windows the program walks when it disables them for a modal box.
class Win32TimerWindow final : public TimerWindow, private MessageEvents {
 public:
  explicit Win32TimerWindow(TimerEvents& events) : events_(events), window_(*this, false) {}
  bool setTimer(unsigned id, std::uint32_t milliseconds) override {
    return SetTimer(window(), id, milliseconds, nullptr) != 0;
  }
  void killTimer(unsigned id) override { KillTimer(window(), id); }

  HWND window() const { return toWindow(window_.handle()); }

 private:
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t wParam,
                                              std::intptr_t /*lParam*/) override {
    if (message != WM_TIMER) return std::nullopt;
    events_.timerFired(static_cast<unsigned>(wParam));
    return 0;
  }

  TimerEvents& events_;
  Win32MessageWindow window_;
};

}  // namespace platform::win32
