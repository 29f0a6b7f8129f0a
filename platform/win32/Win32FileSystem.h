#pragma once
// The real file system, through the system's ANSI file calls.

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  PathGrammar grammar() const override { return kWindowsPaths; }
  std::string currentDirectory() override;
  unsigned setCurrentDirectory(const std::string& path) override;
  std::vector<FoundFile> findFiles(const std::string& pattern) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
};

}  // namespace platform::win32
