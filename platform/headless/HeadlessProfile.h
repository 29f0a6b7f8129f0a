#pragma once
// The settings-file calls for tests, on real files in a folder presented as drive C:, read
// and written in the system's format (portable/ProfileFile.h) in a Western code page. A name
// without a directory lies in the Windows directory, C:\windows. Read-only comes from a file's
// permission bits.

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "platform/Profile.h"

namespace platform::headless {

class HeadlessProfile final : public Profile {
 public:
  // Creates the Windows and application-data folders inside `driveC`.
  explicit HeadlessProfile(std::filesystem::path driveC);

  // Refuses every change to the files directly in a folder, as the system does for a
  // standard user in the Windows directory.
  void refuseWritesIn(const std::string& folder);
  // The real file behind a name as the program gives it; nothing for a name of no known form.
  std::optional<std::filesystem::path> realPath(const std::string& path) const;

  std::string readString(const std::string& fileName, const std::string& section,
                         const std::optional<std::string>& key,
                         const std::optional<std::string>& defaultValue,
                         std::uint32_t size) override;
  bool writeString(const std::string& fileName, const std::string& section,
                   const std::optional<std::string>& key,
                   const std::optional<std::string>& value) override;
  std::string bareNameFolder() override;
  std::optional<std::string> appDataFolder() override;
  bool fileExists(const std::string& path) override;
  bool fileReadOnly(const std::string& path) override;
  bool createFolder(const std::string& path) override;
  bool folderWritable(const std::string& folder) override;
  bool copyFile(const std::string& from, const std::string& to) override;
  bool replaceFile(const std::string& replacement, const std::string& target) override;
  bool deleteFile(const std::string& path) override;

 private:
  // A path whose folder exists and takes changes.
  std::optional<std::filesystem::path> writablePath(const std::string& path) const;

  std::filesystem::path driveC_;
  std::set<std::filesystem::path> refused_;
};

}  // namespace platform::headless
