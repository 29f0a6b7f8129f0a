#pragma once
// The seam to the file system: the current directory, the pattern search of a directory and
// the attributes of one entry, each as the system's own call gives them. Which entries a
// list shows is decided above this seam.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform {

// Attribute bits, with the values the system gives them.
namespace fileattr {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kVolumeId = 0x08;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
}  // namespace fileattr

// Error codes the system gives, among those the program meets.
namespace fileerror {
inline constexpr unsigned kFileNotFound = 2;
inline constexpr unsigned kPathNotFound = 3;
inline constexpr unsigned kTooManyOpenFiles = 4;
inline constexpr unsigned kAccessDenied = 5;
inline constexpr unsigned kInvalidName = 123;
inline constexpr unsigned kNotADirectory = 267;
}  // namespace fileerror

// How the system spells a path.
struct PathGrammar {
  char separator;      // between a folder and a name in it
  bool drives;         // a path may start with a drive, "X:", or a share, "\\server\share"
  bool caseSensitive;  // names that differ only in the letter case of a-z name different entries
};
inline constexpr PathGrammar kWindowsPaths{'\\', true, false};
inline constexpr PathGrammar kPosixPaths{'/', false, true};

struct FoundFile {
  std::string name;
  std::uint32_t attributes = 0;
  auto operator<=>(const FoundFile&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual PathGrammar grammar() const = 0;
  // The process's current directory, absolute; it ends in a separator only at a root.
  virtual std::string currentDirectory() = 0;
  // Enters a directory, given absolute, relative, drive-relative ("C:Sub") or as a network
  // path, as the grammar allows; returns 0 or the system's error code, and leaves the current
  // directory on failure.
  virtual unsigned setCurrentDirectory(const std::string& path) = 0;
  // Every entry that a pattern ("*.wav", "Sub\*" or "Sub/*") matches, letter case aside, "."
  // and ".." included, with its attribute bits; nothing when none matches or the directory
  // cannot be searched.
  virtual std::vector<FoundFile> findFiles(const std::string& pattern) = 0;
  // An entry's attribute bits, or nothing when there is no such file or directory.
  virtual std::optional<std::uint32_t> fileAttributes(const std::string& path) = 0;
};

using FileSystemScope = ServiceScope<FileSystem>;

// The file system the program runs on. Installed by the entry or a test for its lifetime.
inline FileSystem& fileSystem() {
  return ServiceScope<FileSystem>::get();
}

}  // namespace platform
