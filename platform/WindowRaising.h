#pragma once
// The seam to other programs' top-level windows: finding one by its title and bringing it
// before the user.

#include "platform/Desktop.h"

namespace platform {

class WindowRaising {
 public:
  virtual ~WindowRaising() = default;
  // The first top-level window in Z-order whose whole title equals this one, ignoring case,
  // of any class; 0 when there is none.
  virtual Handle findWindow(const char* title) = 0;
  virtual bool isMinimised(Handle window) = 0;
  // Shows a minimised window again at its former place and size.
  virtual void restore(Handle window) = 0;
  // Puts the window at the top of the Z-order; a hidden window stays hidden.
  virtual void bringToTop(Handle window) = 0;
};

using WindowRaisingScope = ServiceScope<WindowRaising>;
inline WindowRaising& windowRaising() {
  return ServiceScope<WindowRaising>::get();
}

}  // namespace platform
