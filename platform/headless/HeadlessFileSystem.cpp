#include "platform/headless/HeadlessFileSystem.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/Names.h"

namespace platform::headless {
namespace fs = std::filesystem;
namespace {

// The root a path starts with: "X:", "\\server\share", or nothing.
std::string RootOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (!path.starts_with("\\\\")) return {};
  const std::size_t server = path.find('\\', 2);
  if (server == std::string::npos) return path;
  return path.substr(0, path.find('\\', server + 1));
}

}  // namespace

// In the POSIX grammar the one root has no name: its paths start with the separator.
void HeadlessFileSystem::mapRoot(const std::string& root, const fs::path& folder) {
  const std::string name = grammar_.drives ? root : std::string();
  roots_[UpperCase(name)] = folder;
  if (!current_) current_ = Presented{name, {}};
}

void HeadlessFileSystem::setAttributes(const std::string& path, std::uint32_t bits) {
  const auto full = absolute(path);
  if (!full) throw std::invalid_argument("no such path form: " + path);
  marked_[UpperCase(text(*full))] = bits & (fileattr::kHidden | fileattr::kSystem);
}

std::string HeadlessFileSystem::currentDirectory() {
  return current_ ? text(*current_) : std::string();
}

unsigned HeadlessFileSystem::setCurrentDirectory(const std::string& path) {
  if (Refused(Call::EnterDirectory)) return fileerror::kAccessDenied;
  if (path.empty()) return fileerror::kInvalidName;
  const auto full = absolute(path);
  if (!full) return fileerror::kPathNotFound;
  const Located found = locate(*full);
  if (found.error != 0) return found.error;
  std::error_code error;
  if (!fs::is_directory(found.real, error)) return fileerror::kNotADirectory;
  current_ = *full;
  return 0;
}

std::vector<FoundFile> HeadlessFileSystem::findFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  if (Refused(Call::ReadDirectory)) return found;
  const std::size_t split = pattern.find_last_of(grammar_.drives ? "\\:" : "/");
  const std::string namePattern = split == std::string::npos ? pattern : pattern.substr(split + 1);
  const auto folder =
      split == std::string::npos ? current_ : absolute(pattern.substr(0, split + 1));
  if (namePattern.empty() || !folder) return found;
  const Located located = locate(*folder);
  std::error_code error;
  if (located.error != 0 || !fs::is_directory(located.real, error)) return found;

  if (!folder->names.empty()) {
    for (const char* special : {".", ".."}) {
      if (portable::MatchesPattern(namePattern, special))
        found.push_back({special, fileattr::kDirectory});
    }
  }
  for (const auto& entry : fs::directory_iterator(located.real, error)) {
    const std::string name = portable::ProgramName(entry.path().filename());
    if (!portable::MatchesPattern(namePattern, name)) continue;
    Presented child = *folder;
    child.names.push_back(name);
    found.push_back({name, attributesOf(child, entry.path())});
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::optional<std::uint32_t> HeadlessFileSystem::fileAttributes(const std::string& path) {
  // The system names no file by the empty path, not even the current directory.
  const auto real = path.empty() ? std::nullopt : realPath(path);
  if (!real) return std::nullopt;
  return attributesOf(*absolute(path), *real);
}

std::optional<HeadlessFileSystem::Presented> HeadlessFileSystem::absolute(
    const std::string& path) const {
  const char separator = grammar_.separator;
  std::string rest = path;
  std::string root;
  if (grammar_.drives) {
    std::replace(rest.begin(), rest.end(), '/', '\\');
    root = RootOf(rest);
    rest.erase(0, root.size());
  }
  Presented full;
  if (root.empty()) {
    if (!current_) return std::nullopt;
    full = *current_;
    if (rest.starts_with(separator)) full.names.clear();
  } else {
    // The root keeps the spelling it was given, as the system keeps it. "X:name" is relative
    // to the current directory when that is on the same drive, else to the drive's root.
    full.root = root;
    const bool onCurrentDrive =
        current_ && !root.starts_with('\\') && SameName(root, current_->root);
    if (onCurrentDrive && !rest.starts_with('\\')) full.names = current_->names;
  }

  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(separator, start), rest.size());
    const std::string name = rest.substr(start, end - start);
    if (name == "..") {
      if (!full.names.empty()) full.names.pop_back();
    } else if (!name.empty() && name != ".") {
      full.names.push_back(name);
    }
    start = end + 1;
  }
  return full;
}

std::string HeadlessFileSystem::text(const Presented& path) const {
  std::string joined = path.root;
  for (const std::string& name : path.names) (joined += grammar_.separator) += name;
  return path.names.empty() ? joined + grammar_.separator : joined;
}

std::optional<fs::path> HeadlessFileSystem::realPath(const std::string& path) const {
  const auto presented = absolute(path);
  if (!presented) return std::nullopt;
  Located found = locate(*presented);
  if (found.error != 0) return std::nullopt;
  return found.real;
}

HeadlessFileSystem::Located HeadlessFileSystem::locate(const Presented& path) const {
  const auto root = roots_.find(UpperCase(path.root));
  if (root == roots_.end()) return {{}, fileerror::kPathNotFound};
  fs::path real = root->second;
  for (std::size_t i = 0; i < path.names.size(); ++i) {
    const bool last = i + 1 == path.names.size();
    const unsigned missing = last ? fileerror::kFileNotFound : fileerror::kPathNotFound;
    std::error_code error;
    if (!fs::is_directory(real, error)) return {{}, fileerror::kPathNotFound};
    std::optional<fs::path> match;
    for (const auto& entry : fs::directory_iterator(real, error)) {
      const std::string name = portable::ProgramName(entry.path().filename());
      if (name == path.names[i]) {
        match = entry.path();
        break;
      }
      if (!match && !grammar_.caseSensitive && SameName(name, path.names[i])) {
        match = entry.path();
      }
    }
    if (!match) return {{}, missing};
    real = *match;
  }
  return {real, 0};
}

std::uint32_t HeadlessFileSystem::attributesOf(const Presented& path, const fs::path& real) const {
  std::error_code error;
  const fs::file_status status = fs::status(real, error);
  std::uint32_t bits = fs::is_directory(status) ? fileattr::kDirectory : fileattr::kArchive;
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    bits |= fileattr::kReadOnly;
  }
  // Where the grammar is POSIX's, a name that starts with a dot is hidden.
  if (!grammar_.drives && !path.names.empty() && path.names.back().starts_with('.')) {
    bits |= fileattr::kHidden;
  }
  const auto marked = marked_.find(UpperCase(text(path)));
  if (marked != marked_.end()) bits |= marked->second;
  return bits;
}

}  // namespace platform::headless
