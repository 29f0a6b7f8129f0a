#pragma once
// The real settings-file calls of the system.

#include "platform/Profile.h"

namespace platform::win32 {

class Win32Profile final : public Profile {
 public:
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
};

}  // namespace platform::win32
