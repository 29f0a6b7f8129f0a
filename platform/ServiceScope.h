#pragma once
// The seam's services (the desktop, files, media, the notification area, ...) are reached
// through the implementation installed for a scope: the program's entry installs the real
// ones for its lifetime, a test the in-memory ones for its own. Scopes nest; leaving one
// brings back the implementation it replaced.

#include <stdexcept>

namespace platform {

template <class Service>
class ServiceScope {
 public:
  explicit ServiceScope(Service& service) : previous_(current()) { current() = &service; }
  ~ServiceScope() { current() = previous_; }
  ServiceScope(const ServiceScope&) = delete;
  ServiceScope& operator=(const ServiceScope&) = delete;

  // Reaching a service that nobody installed is a fault of the program.
  static Service& get() {
    if (current() == nullptr) throw std::logic_error("seam service not installed");
    return *current();
  }
  // Null when none is installed.
  static Service* installed() { return current(); }

 private:
  static Service*& current() {
    static Service* service = nullptr;
    return service;
  }
  Service* previous_;
};

}  // namespace platform
