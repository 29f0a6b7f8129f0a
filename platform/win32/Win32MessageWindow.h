#pragma once

#include <windows.h>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

inline constexpr char kMessageClass[] = "WumpexMessages";

// A hidden window that hands every message to its events. A top-level one is a tool window
// that is never shown, so that it receives broadcasts without ever reaching the task bar.
class Win32MessageWindow final : public MessageWindow {
 public:
  // Registers the window class, once; it stays registered until the process ends.
  static void registerClass();

  Win32MessageWindow(MessageEvents& events, bool topLevel);
  Handle handle() const override { return toHandle(window_.get()); }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  MessageEvents& events_;
  OwnedWindow window_;
};

}  // namespace platform::win32
