#pragma once
// The system's global atom table.

#include <string>

#include "platform/Atoms.h"

namespace platform::win32 {

class Win32GlobalAtoms final : public GlobalAtoms {
 public:
  Atom add(const std::string& name) override;
  Atom find(const std::string& name) override;
  bool remove(Atom atom) override;
};

}  // namespace platform::win32
