#pragma once
// The host's own files in the POSIX grammar: one root, "/" between names, names as spelt. A
// name that starts with a dot is hidden, as file managers hide it; an entry without the
// owner's write permission is read-only; a pattern matches letter case aside, so that
// "*.wav" finds "BELL.WAV". Error codes are the ones the program knows from the seam.

#include "platform/FileSystem.h"

namespace platform::linuxdesktop {

class LinuxFileSystem final : public FileSystem {
 public:
  PathGrammar grammar() const override { return kPosixPaths; }
  std::string currentDirectory() override;
  unsigned setCurrentDirectory(const std::string& path) override;
  std::vector<FoundFile> findFiles(const std::string& pattern) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
};

}  // namespace platform::linuxdesktop
