#pragma once
// Settings files on the host, in the private-profile format with the reading rules and the
// layout of Windows (portable/ProfileFile.h) and the host's UTF-8. A name without a folder
// lives in the user's configuration folder, $XDG_CONFIG_HOME/wumpex, or ~/.config/wumpex
// where that is unset; there is no second, application-data place. A replacement is flushed
// to disk before it is moved over the file, and the move is flushed with its folder.

#include "platform/Profile.h"

namespace platform::linuxdesktop {

class LinuxProfile final : public Profile {
 public:
  std::string readString(const std::string& fileName, const std::string& section,
                         const std::optional<std::string>& key,
                         const std::optional<std::string>& defaultValue,
                         std::uint32_t size) override;
  bool writeString(const std::string& fileName, const std::string& section,
                   const std::optional<std::string>& key,
                   const std::optional<std::string>& value) override;
  std::string bareNameFolder() override;
  std::optional<std::string> appDataFolder() override { return std::nullopt; }
  bool fileExists(const std::string& path) override;
  bool fileReadOnly(const std::string& path) override;
  bool createFolder(const std::string& path) override;
  bool folderWritable(const std::string& folder) override;
  bool copyFile(const std::string& from, const std::string& to) override;
  bool replaceFile(const std::string& replacement, const std::string& target) override;
  bool deleteFile(const std::string& path) override;

 private:
  // The file a name gives the profile calls.
  std::string placed(const std::string& fileName);
};

}  // namespace platform::linuxdesktop
