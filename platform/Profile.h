#pragma once
// The seam to the settings file: the system's private-profile calls, each one self-contained,
// and the few file operations that keep the file where a standard user may write it and
// never lose it on the way.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Desktop.h"

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;

  // GetPrivateProfileString into a buffer of `size` UTF-16 units. Returns the first `count`
  // units of that buffer, `count` being what the call returns: a value, or the default, cut
  // between characters to at most size - 1 units; with no key, the section's key names, each
  // followed by a zero.
  virtual std::string readString(const std::string& fileName, const std::string& section,
                                 const std::optional<std::string>& key,
                                 const std::optional<std::string>& defaultValue,
                                 std::uint32_t size) = 0;
  // WritePrivateProfileString: no value deletes the key, no key erases the section. A file
  // keeps its encoding while it can hold the texts; one in the system's code page that cannot
  // is first made UTF-16 with a byte-order mark, so that no character is written as "?".
  virtual bool writeString(const std::string& fileName, const std::string& section,
                           const std::optional<std::string>& key,
                           const std::optional<std::string>& value) = 0;

  // Where the system keeps profile files named without a directory (on Windows the Windows
  // directory).
  virtual std::string bareNameFolder() = 0;
  // The user's roaming application-data folder; nothing when the system has none.
  virtual std::optional<std::string> appDataFolder() = 0;

  // A file, not a folder, is at the path.
  virtual bool fileExists(const std::string& path) = 0;
  // A file is at the path and marked read-only.
  virtual bool fileReadOnly(const std::string& path) = 0;
  // Creates a folder; true also when it is there already.
  virtual bool createFolder(const std::string& path) = 0;
  // A file can be created in the folder: a unique file is made there and deleted again.
  virtual bool folderWritable(const std::string& folder) = 0;
  // Copies a file, overwriting the target.
  virtual bool copyFile(const std::string& from, const std::string& to) = 0;
  // Moves `replacement` over `target` in one step, flushed to disk before it returns.
  virtual bool replaceFile(const std::string& replacement, const std::string& target) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
};

using ProfileScope = ServiceScope<Profile>;

// The settings-file calls of the system the program runs on, installed like the desktop.
inline Profile& profile() {
  return ServiceScope<Profile>::get();
}

}  // namespace platform
