#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <memory>

namespace platform::win32 {
namespace {

struct FindCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};
using UniqueSearch = std::unique_ptr<void, FindCloser>;

}  // namespace

std::string Win32FileSystem::currentDirectory() {
  std::string path;
  // The directory may change between asking for the length and reading it; ask again then.
  for (;;) {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    path.resize(needed);
    const DWORD written = GetCurrentDirectoryA(needed, path.data());
    if (written < needed) {
      path.resize(written);
      return path;
    }
  }
}

unsigned Win32FileSystem::setCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) ? 0 : static_cast<unsigned>(GetLastError());
}

std::vector<FoundFile> Win32FileSystem::findFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  WIN32_FIND_DATAA data{};
  const HANDLE first = FindFirstFileA(pattern.c_str(), &data);
  if (first == INVALID_HANDLE_VALUE) return found;
  const UniqueSearch search(first);
  do {
    found.push_back({data.cFileName, data.dwFileAttributes});
  } while (FindNextFileA(search.get(), &data));
  return found;
}

std::optional<std::uint32_t> Win32FileSystem::fileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

}  // namespace platform::win32
