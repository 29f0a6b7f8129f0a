#include "platform/Desktop.h"

#include <stdexcept>

namespace platform {
namespace {
Desktop* current = nullptr;
}

Desktop& desktop() {
  if (current == nullptr) throw std::logic_error("no desktop installed");
  return *current;
}

DesktopScope::DesktopScope(Desktop& installed) : previous_(current) {
  current = &installed;
}

DesktopScope::~DesktopScope() {
  current = previous_;
}

}  // namespace platform
