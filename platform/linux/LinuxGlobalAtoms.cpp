#include "platform/linux/LinuxGlobalAtoms.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/linux/XdgBase.h"
#include "platform/portable/Names.h"

namespace platform::linuxdesktop {

UniqueDescriptor::~UniqueDescriptor() {
  if (descriptor_ >= 0) close(descriptor_);
}

LinuxGlobalAtoms::LinuxGlobalAtoms() : folder_(RuntimeFolder()) {}

// Letters, digits, '.', '-' and '_' stand as they are; any other byte as %XX. A name whose
// file name would pass the file system's limit keeps its first part and adds a 64-bit FNV-1a
// hash of the whole, so that every name the table takes has a file.
std::string LinuxGlobalAtoms::lockFile(const std::string& name) const {
  std::string file = "wumpex-atom-";
  std::uint64_t hash = 0xcbf29ce484222325;
  for (const char c : UpperCase(name)) {
    const auto byte = static_cast<unsigned char>(c);
    hash = (hash ^ byte) * 0x100000001b3;
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_') {
      file += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      file += escaped;
    }
  }
  if (file.size() > kLongestFileName) {
    char tail[18];
    std::snprintf(tail, sizeof tail, "~%016llx", static_cast<unsigned long long>(hash));
    file = file.substr(0, kLongestFileName - 17) + tail;
  }
  return folder_ + "/" + file;
}

Atom LinuxGlobalAtoms::number(const std::string& name) {
  const auto [entry, added] = numbers_.try_emplace(UpperCase(name), next_);
  if (added) ++next_;
  return entry->second;
}

Atom LinuxGlobalAtoms::add(const std::string& name) {
  if (name.empty() || name.size() > 255) return 0;
  UniqueDescriptor file(open(lockFile(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  // A finder holds the lock alone only for a moment; the shared one waits for it.
  if (!file || flock(file.get(), LOCK_SH) != 0) return 0;
  const Atom atom = number(name);
  held_[atom].push_back(std::move(file));
  return atom;
}

// The name is held when its file cannot be locked alone, by this process or another.
Atom LinuxGlobalAtoms::find(const std::string& name) {
  if (name.empty() || name.size() > 255) return 0;
  const UniqueDescriptor probe(open(lockFile(name).c_str(), O_RDONLY | O_CLOEXEC));
  if (!probe || flock(probe.get(), LOCK_EX | LOCK_NB) == 0) return 0;
  return errno == EWOULDBLOCK ? number(name) : 0;
}

bool LinuxGlobalAtoms::remove(Atom atom) {
  const auto held = held_.find(atom);
  if (held == held_.end() || held->second.empty()) return false;
  held->second.pop_back();
  return true;
}

}  // namespace platform::linuxdesktop
