#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

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
  const UniqueFind search(FindFirstFileA(pattern.c_str(), &data));
  if (!search) return found;
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
