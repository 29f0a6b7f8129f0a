#include "platform/win32/Win32Profile.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

namespace platform::win32 {
namespace {

const char* OrNull(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

}  // namespace

std::string Win32Profile::readString(const std::string& fileName, const std::string& section,
                                     const std::optional<std::string>& key,
                                     const std::optional<std::string>& defaultValue,
                                     std::uint32_t size) {
  // One spare byte, so that a zero size still has a buffer to point at.
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
  const DWORD count = GetPrivateProfileStringA(section.c_str(), OrNull(key), OrNull(defaultValue),
                                               buffer.data(), size, fileName.c_str());
  return std::string(buffer.data(), count);
}

bool Win32Profile::writeString(const std::string& fileName, const std::string& section,
                               const std::optional<std::string>& key,
                               const std::optional<std::string>& value) {
  return WritePrivateProfileStringA(section.c_str(), OrNull(key), OrNull(value),
                                    fileName.c_str()) != FALSE;
}

std::string Win32Profile::windowsDirectory() {
  char path[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(path, sizeof path);
  return length < sizeof path ? std::string(path, length) : std::string();
}

std::optional<std::string> Win32Profile::appDataFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return std::nullopt;
  }
  return std::string(path);
}

bool Win32Profile::fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Profile::fileReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32Profile::createFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The probe must have been made, not only named: Wine names one also when the folder refuses
// it.
bool Win32Profile::folderWritable(const std::string& folder) {
  char probe[MAX_PATH] = {};
  return GetTempFileNameA(folder.c_str(), "wpx", 0, probe) != 0 && DeleteFileA(probe) != FALSE;
}

bool Win32Profile::copyFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32Profile::replaceFile(const std::string& replacement, const std::string& target) {
  return MoveFileExA(replacement.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Profile::deleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace platform::win32
