#include "platform/headless/HeadlessWindowRaising.h"

#include <cstring>
#include <string>

#include "platform/headless/HeadlessNames.h"

namespace platform::headless {

Handle HeadlessWindowRaising::findWindow(const char* title) {
  Desktop& d = desktop();
  const std::size_t length = std::strlen(title);
  // One character more than the title, so that a longer title does not pass for it.
  std::string read(length + 2, '\0');
  for (Handle w = d.topWindow(); w != 0; w = d.nextWindow(w)) {
    const int got = d.windowText(w, read.data(), static_cast<int>(read.size()));
    if (SameName(title, std::string_view(read.data(), static_cast<std::size_t>(got)))) return w;
  }
  return 0;
}

void HeadlessWindowRaising::restore(Handle window) {
  minimised_.erase(window);
  restored.push_back(window);
}

}  // namespace platform::headless
