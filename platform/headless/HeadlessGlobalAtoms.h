#pragma once
// An in-memory global atom table for tests. It lives apart from any one desktop, so that
// several simulated runs of the program can share it as processes share the system's.

#include <cstddef>
#include <map>
#include <string>

#include "platform/Atoms.h"

namespace platform::headless {

class HeadlessGlobalAtoms : public GlobalAtoms {
 public:
  // As the system does, an empty name or one longer than 255 characters is refused.
  Atom add(const std::string& name) override;
  Atom find(const std::string& name) override;
  bool remove(Atom atom) override;

  // The references a name holds; 0 when it is not in the table.
  int references(const std::string& name);
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string name;
    int references = 0;
  };
  std::map<Atom, Entry> entries_;
  // String atoms are numbered from 0xC000, as the system numbers them.
  Atom next_ = 0xC000;
};

}  // namespace platform::headless
