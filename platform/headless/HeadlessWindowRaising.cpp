#include "platform/headless/HeadlessWindowRaising.h"

#include <cstring>
#include <string>

#include "platform/portable/Names.h"

namespace platform::headless {

Handle HeadlessWindowRaising::findWindow(const char* title) {
  Desktop& d = desktop();
  // More than the title, so that a longer title does not pass for it.
  const auto room = static_cast<int>(std::strlen(title) + 2);
  for (Handle w = d.topWindow(); w != 0; w = d.nextWindow(w)) {
    if (SameName(title, d.windowText(w, room))) return w;
  }
  return 0;
}

void HeadlessWindowRaising::restore(Handle window) {
  minimised_.erase(window);
  restored.push_back(window);
}

}  // namespace platform::headless
