#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

std::string Win32FileSystem::currentDirectory() {
  std::wstring path;
  // The directory may change between asking for the length and reading it; ask again then.
  for (;;) {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    path.resize(needed);
    const DWORD written = GetCurrentDirectoryW(needed, path.data());
    if (written < needed) {
      path.resize(written);
      return Utf8(path);
    }
  }
}

unsigned Win32FileSystem::setCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryW(Wide(path).c_str()) ? 0 : static_cast<unsigned>(GetLastError());
}

std::vector<FoundFile> Win32FileSystem::findFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  WIN32_FIND_DATAW data{};
  const UniqueFind search(FindFirstFileW(Wide(pattern).c_str(), &data));
  if (!search) return found;
  do {
    found.push_back({Utf8(data.cFileName), data.dwFileAttributes});
  } while (FindNextFileW(search.get(), &data));
  return found;
}

std::optional<std::uint32_t> Win32FileSystem::fileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

}  // namespace platform::win32
