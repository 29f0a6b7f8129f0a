#pragma once
// Another instance's window found by its title among the root window's children, shown or
// not, and asked to come forward by an X11 message that the program's desktop answers by
// raising whatever window it shows. X11 keeps no minimised state that a program can undo
// for another, so a window counts as never minimised.

#include "platform/WindowRaising.h"
#include "platform/linux/X11WindowList.h"

namespace platform::linuxdesktop {

class X11WindowRaising final : public WindowRaising {
 public:
  Handle findWindow(const char* title) override { return windows_.findByTitle(title); }
  bool isMinimised(Handle /*window*/) override { return false; }
  void restore(Handle window) override { bringToTop(window); }
  void bringToTop(Handle window) override { windows_.sendMessage(window, kRaiseMessage); }

  static constexpr char kRaiseMessage[] = "_WUMPEX_RAISE";

 private:
  X11WindowList windows_;
};

}  // namespace platform::linuxdesktop
