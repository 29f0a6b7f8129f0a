#include "platform/headless/HeadlessGlobalAtoms.h"

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/Names.h"

namespace platform::headless {
Atom HeadlessGlobalAtoms::add(const std::string& name) {
  if (Refused(Call::AddAtom)) return 0;
  if (name.empty() || name.size() > 255) return 0;
  if (Atom known = find(name); known != 0) {
    ++entries_[known].references;
    return known;
  }
  const Atom atom = next_++;
  entries_[atom] = {name, 1};
  return atom;
}

Atom HeadlessGlobalAtoms::find(const std::string& name) {
  for (const auto& [atom, entry] : entries_) {
    if (SameName(entry.name, name)) return atom;
  }
  return 0;
}

bool HeadlessGlobalAtoms::remove(Atom atom) {
  auto it = entries_.find(atom);
  if (it == entries_.end()) return false;
  if (--it->second.references == 0) entries_.erase(it);
  return true;
}

int HeadlessGlobalAtoms::references(const std::string& name) {
  const Atom atom = find(name);
  return atom == 0 ? 0 : entries_[atom].references;
}

}  // namespace platform::headless
