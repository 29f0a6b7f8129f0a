#include "platform/linux/LinuxFileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/portable/Names.h"

namespace platform::linuxdesktop {
namespace {

struct DirectoryCloser {
  void operator()(DIR* directory) const { closedir(directory); }
};

std::optional<std::uint32_t> AttributesOf(const std::string& path, const std::string& name) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  std::uint32_t bits = S_ISDIR(status.st_mode) ? fileattr::kDirectory : fileattr::kArchive;
  if ((status.st_mode & S_IWUSR) == 0) bits |= fileattr::kReadOnly;
  if (name.starts_with('.') && name != "." && name != "..") bits |= fileattr::kHidden;
  return bits;
}

}  // namespace

// Unlike Windows, Linux lets a user remove the folder that a program stands in, the sound
// folder the file list entered for instance. The program then moves to the root, so that its
// current directory always exists and it can always come back to it.
std::string LinuxFileSystem::currentDirectory() {
  std::unique_ptr<char, decltype(&free)> path(getcwd(nullptr, 0), &free);
  if (!path && errno == ENOENT && chdir("/") == 0) path.reset(getcwd(nullptr, 0));
  return path ? std::string(path.get()) : std::string();
}

// A missing last name is a missing file, a missing name before it a missing path, as the
// program's messages tell them apart.
unsigned LinuxFileSystem::setCurrentDirectory(const std::string& path) {
  if (path.empty()) return fileerror::kInvalidName;
  if (chdir(path.c_str()) == 0) return 0;
  switch (errno) {
    case ENOENT: {
      const std::size_t slash = path.find_last_of('/');
      struct stat status {};
      const std::string parent = slash == std::string::npos ? "." : path.substr(0, slash + 1);
      return stat(parent.c_str(), &status) == 0 ? fileerror::kFileNotFound
                                                : fileerror::kPathNotFound;
    }
    case ENOTDIR:
      return fileerror::kNotADirectory;
    case EACCES:
    case EPERM:
      return fileerror::kAccessDenied;
    default:
      return fileerror::kPathNotFound;
  }
}

std::vector<FoundFile> LinuxFileSystem::findFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  const std::size_t slash = pattern.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  const std::string names = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  if (names.empty()) return found;
  const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
  if (!directory) return found;
  while (const dirent* entry = readdir(directory.get())) {
    const std::string name = entry->d_name;
    if (!portable::MatchesPattern(names, name)) continue;
    const std::string path = folder.ends_with('/') ? folder + name : folder + "/" + name;
    if (const auto attributes = AttributesOf(path, name)) found.push_back({name, *attributes});
  }
  return found;
}

std::optional<std::uint32_t> LinuxFileSystem::fileAttributes(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::size_t slash = path.find_last_of('/');
  return AttributesOf(path, slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace platform::linuxdesktop
