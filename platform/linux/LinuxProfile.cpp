#include "platform/linux/LinuxProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/linux/XdgBase.h"
#include "platform/portable/ProfileFile.h"

namespace platform::linuxdesktop {
namespace fs = std::filesystem;
namespace {

constexpr auto kCodePage = portable::CodePage::Utf8;

bool IsFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Flushes a file or folder to disk.
bool Flush(const std::string& path, int flags) {
  const int descriptor = open(path.c_str(), flags | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool flushed = fsync(descriptor) == 0;
  return close(descriptor) == 0 && flushed;
}

}  // namespace

std::string LinuxProfile::placed(const std::string& fileName) {
  return fileName.find('/') == std::string::npos ? bareNameFolder() + "/" + fileName : fileName;
}

std::string LinuxProfile::readString(const std::string& fileName, const std::string& section,
                                     const std::optional<std::string>& key,
                                     const std::optional<std::string>& defaultValue,
                                     std::uint32_t size) {
  return portable::ReadProfileString(fs::path(placed(fileName)), section, key, defaultValue, size,
                                     kCodePage);
}

bool LinuxProfile::writeString(const std::string& fileName, const std::string& section,
                               const std::optional<std::string>& key,
                               const std::optional<std::string>& value) {
  const fs::path file = placed(fileName);
  std::error_code error;
  return fs::is_directory(file.parent_path(), error) &&
         portable::WriteProfileString(file, section, key, value, kCodePage);
}

std::string LinuxProfile::bareNameFolder() {
  return ConfigHome() + "/wumpex";
}

bool LinuxProfile::fileExists(const std::string& path) {
  return IsFile(path);
}

bool LinuxProfile::fileReadOnly(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         (status.st_mode & S_IWUSR) == 0;
}

// With the folders above it, as ~/.config may not be there yet on a new account.
bool LinuxProfile::createFolder(const std::string& path) {
  std::error_code error;
  fs::create_directories(path, error);
  return fs::is_directory(path, error);
}

bool LinuxProfile::folderWritable(const std::string& folder) {
  std::string probe = folder + "/wpxXXXXXX";
  const int descriptor = mkstemp(probe.data());
  if (descriptor < 0) return false;
  close(descriptor);
  return unlink(probe.c_str()) == 0;
}

bool LinuxProfile::copyFile(const std::string& from, const std::string& to) {
  std::error_code error;
  return IsFile(from) && fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
}

bool LinuxProfile::replaceFile(const std::string& replacement, const std::string& target) {
  if (!IsFile(replacement) || !Flush(replacement, O_RDONLY)) return false;
  if (std::rename(replacement.c_str(), target.c_str()) != 0) return false;
  const std::string folder = fs::path(target).parent_path().string();
  return Flush(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
}

bool LinuxProfile::deleteFile(const std::string& path) {
  return IsFile(path) && unlink(path.c_str()) == 0;
}

}  // namespace platform::linuxdesktop
