#pragma once
// The global atom table as the host keeps it: a name is held while some process holds a
// shared lock on the name's file, so that the kernel gives up every reference of a process
// that ends, even of one that crashed, and no marker outlives its program. The files lie in
// $XDG_RUNTIME_DIR, private to the user's session, or in /tmp where that is unset. Names
// compare ignoring the letter case of a-z; atom numbers are this process's own. A process
// gives up only the references it holds.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Atoms.h"

namespace platform::linuxdesktop {

// A file descriptor, closed with its owner.
class UniqueDescriptor {
 public:
  explicit UniqueDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~UniqueDescriptor();
  UniqueDescriptor(UniqueDescriptor&& other) noexcept
      : descriptor_(std::exchange(other.descriptor_, -1)) {}
  UniqueDescriptor& operator=(UniqueDescriptor&&) = delete;
  UniqueDescriptor(const UniqueDescriptor&) = delete;
  UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;
  int get() const { return descriptor_; }
  explicit operator bool() const { return descriptor_ >= 0; }

 private:
  int descriptor_;
};

class LinuxGlobalAtoms final : public GlobalAtoms {
 public:
  LinuxGlobalAtoms();
  // A table in a folder of its own.
  explicit LinuxGlobalAtoms(std::string folder) : folder_(std::move(folder)) {}

  // An empty name or one longer than 255 characters is refused, as on Windows.
  Atom add(const std::string& name) override;
  Atom find(const std::string& name) override;
  bool remove(Atom atom) override;

 private:
  // NAME_MAX of the file systems Linux uses.
  static constexpr std::size_t kLongestFileName = 255;
  std::string lockFile(const std::string& name) const;
  Atom number(const std::string& name);

  std::string folder_;
  std::map<std::string, Atom> numbers_;  // by upper-cased name
  std::map<Atom, std::vector<UniqueDescriptor>> held_;
  Atom next_ = 0xC000;
};

}  // namespace platform::linuxdesktop
