#pragma once
// The settings-file calls for tests, on real files in a folder presented as drive C:. The
// profile calls parse and write the files as the system does: sections and keys match
// ignoring letter case and surrounding blanks, the first of duplicates wins, one pair of
// quotes around a value is dropped, and a change rewrites the whole file in the system's
// layout ("[section]", then "key=value" lines, CR LF endings, no blank lines). A name
// without a directory lies in the Windows directory, C:\windows. Read-only comes from a
// file's permission bits. A file holds its text in the system's code page, ISO 8859-1 here,
// or as UTF-16 after a byte-order mark; a write keeps the encoding while the code page holds
// every text, and otherwise writes the file as UTF-16, as the real desktop does.

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
  std::string windowsDirectory() override;
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
