#include "platform/headless/HeadlessProfile.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/Names.h"
#include "platform/portable/ProfileFile.h"

namespace platform::headless {
namespace fs = std::filesystem;
namespace {

constexpr const char* kWindowsDirectory = "C:\\windows";
constexpr const char* kAppData = "C:\\users\\wumpex\\AppData\\Roaming";
// A Western system, as the Windows tests run on.
constexpr auto kCodePage = portable::CodePage::Latin1;

}  // namespace

HeadlessProfile::HeadlessProfile(fs::path driveC) : driveC_(std::move(driveC)) {
  fs::create_directories(*realPath(kWindowsDirectory));
  fs::create_directories(*realPath(kAppData));
}

void HeadlessProfile::refuseWritesIn(const std::string& folder) {
  if (auto real = realPath(folder)) refused_.insert(real->lexically_normal());
}

std::optional<fs::path> HeadlessProfile::realPath(const std::string& path) const {
  if (path.find_first_of("\\/:") == std::string::npos) {
    return realPath(std::string(kWindowsDirectory) + "\\" + path);
  }
  if (path.size() < 3 || UpperAZ(path[0]) != 'C' || path.substr(1, 2) != ":\\") return std::nullopt;
  fs::path real = driveC_;
  std::size_t start = 3;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) real /= portable::HostName(path.substr(start, end - start));
    start = end + 1;
  }
  return real;
}

std::optional<fs::path> HeadlessProfile::writablePath(const std::string& path) const {
  auto real = realPath(path);
  std::error_code error;
  if (!real || !fs::is_directory(real->parent_path(), error) ||
      refused_.contains(real->parent_path().lexically_normal())) {
    return std::nullopt;
  }
  return real;
}

std::string HeadlessProfile::readString(const std::string& fileName, const std::string& section,
                                        const std::optional<std::string>& key,
                                        const std::optional<std::string>& defaultValue,
                                        std::uint32_t size) {
  std::optional<fs::path> real = realPath(fileName);
  // Refused, the call answers as for a file that cannot be read; so does a name of no form.
  if (Refused(Call::ProfileRead)) real.reset();
  return portable::ReadProfileString(real, section, key, defaultValue, size, kCodePage);
}

bool HeadlessProfile::writeString(const std::string& fileName, const std::string& section,
                                  const std::optional<std::string>& key,
                                  const std::optional<std::string>& value) {
  if (Refused(Call::ProfileWrite)) return false;
  const auto real = writablePath(fileName);
  return real && portable::WriteProfileString(*real, section, key, value, kCodePage);
}

std::string HeadlessProfile::bareNameFolder() {
  return kWindowsDirectory;
}

std::optional<std::string> HeadlessProfile::appDataFolder() {
  return kAppData;
}

bool HeadlessProfile::fileExists(const std::string& path) {
  const auto real = realPath(path);
  std::error_code error;
  return real && fs::is_regular_file(*real, error);
}

bool HeadlessProfile::fileReadOnly(const std::string& path) {
  std::error_code error;
  return fileExists(path) && (fs::status(*realPath(path), error).permissions() &
                              fs::perms::owner_write) == fs::perms::none;
}

bool HeadlessProfile::createFolder(const std::string& path) {
  if (Refused(Call::CreateFolder)) return false;
  const auto real = writablePath(path);
  std::error_code error;
  if (!real) return false;
  fs::create_directory(*real, error);
  return fs::is_directory(*real, error);
}

bool HeadlessProfile::folderWritable(const std::string& folder) {
  for (int n = 0;; ++n) {
    const auto probe = writablePath(folder + "\\wpx" + std::to_string(n) + ".tmp");
    std::error_code error;
    if (!probe) return false;
    if (fs::exists(*probe, error)) continue;
    const bool made = static_cast<bool>(std::ofstream(*probe));
    fs::remove(*probe, error);
    return made;
  }
}

bool HeadlessProfile::copyFile(const std::string& from, const std::string& to) {
  if (Refused(Call::CopyFile)) return false;
  const auto source = realPath(from);
  const auto target = writablePath(to);
  std::error_code error;
  return source && target &&
         fs::copy_file(*source, *target, fs::copy_options::overwrite_existing, error);
}

bool HeadlessProfile::replaceFile(const std::string& replacement, const std::string& target) {
  if (Refused(Call::ReplaceFile)) return false;
  const auto source = writablePath(replacement);
  const auto destination = writablePath(target);
  std::error_code error;
  if (!source || !destination || !fs::is_regular_file(*source, error)) return false;
  fs::rename(*source, *destination, error);
  return !error;
}

bool HeadlessProfile::deleteFile(const std::string& path) {
  if (Refused(Call::DeleteFile)) return false;
  const auto real = writablePath(path);
  std::error_code error;
  return real && fs::is_regular_file(*real, error) && fs::remove(*real, error);
}

}  // namespace platform::headless
