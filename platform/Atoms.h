#pragma once
// The seam to the system's global atom table: names with a reference count, shared by every
// program of the session. Each add raises a name's count, each delete lowers it, and the
// name exists while its count is above zero.

#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// A name's number in the table; 0 is none.
using Atom = std::uint16_t;

class GlobalAtoms {
 public:
  virtual ~GlobalAtoms() = default;
  // Adds one reference to the name, entering it when it is new; 0 when the table refuses.
  virtual Atom add(const std::string& name) = 0;
  // The name's atom, or 0 when no program holds it. Names are compared ignoring case.
  virtual Atom find(const std::string& name) = 0;
  // Takes one reference away; false when there was no such atom.
  virtual bool remove(Atom atom) = 0;
};

using GlobalAtomsScope = ServiceScope<GlobalAtoms>;
inline GlobalAtoms& globalAtoms() {
  return ServiceScope<GlobalAtoms>::get();
}

}  // namespace platform
