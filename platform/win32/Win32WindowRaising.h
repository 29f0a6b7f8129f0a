#pragma once
// Finding and raising top-level windows through the window manager.

#include "platform/WindowRaising.h"

namespace platform::win32 {

class Win32WindowRaising final : public WindowRaising {
 public:
  Handle findWindow(const char* title) override;
  bool isMinimised(Handle window) override;
  void restore(Handle window) override;
  void bringToTop(Handle window) override;
};

}  // namespace platform::win32
