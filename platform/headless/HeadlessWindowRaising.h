#pragma once
// Finding and raising top-level windows on the in-memory desktop: the lookup walks the
// installed desktop's windows; minimised windows, restores and raises are kept here.

#include <set>
#include <vector>

#include "platform/WindowRaising.h"

namespace platform::headless {

class HeadlessWindowRaising : public WindowRaising {
 public:
  Handle findWindow(const char* title) override;
  bool isMinimised(Handle window) override { return minimised_.contains(window); }
  void restore(Handle window) override;
  void bringToTop(Handle window) override { broughtToTop.push_back(window); }

  // The user minimising a window.
  void minimise(Handle window) { minimised_.insert(window); }

  std::vector<Handle> restored;
  std::vector<Handle> broughtToTop;

 private:
  std::set<Handle> minimised_;
};

}  // namespace platform::headless
