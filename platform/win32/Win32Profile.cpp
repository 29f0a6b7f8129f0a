#include "platform/win32/Win32Profile.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {
namespace {

// The system's form of a text that may be absent.
std::optional<std::wstring> Wide(const std::optional<std::string>& text) {
  return text ? std::optional(win32::Wide(*text)) : std::nullopt;
}

const wchar_t* OrNull(const std::optional<std::wstring>& text) {
  return text ? text->c_str() : nullptr;
}

// Whether the system's ANSI code page holds every character of a text, as written.
bool FitsCodePage(const std::optional<std::wstring>& text) {
  if (!text || text->empty() || GetACP() == CP_UTF8) return true;
  BOOL lost = FALSE;
  return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text->c_str(),
                             static_cast<int>(text->size()), nullptr, 0, nullptr, &lost) > 0 &&
         lost == FALSE;
}

// Makes a profile file UTF-16 with a byte-order mark, which the profile calls then keep: an
// ANSI file is read in the system's code page and written anew, a missing one made empty. A
// file that has a byte-order mark already stays as it is.
bool MakeUnicode(const std::wstring& path) {
  std::string bytes;
  {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (file) {
      bytes.resize(GetFileSize(file.get(), nullptr));
      DWORD read = 0;
      if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
          read != bytes.size()) {
        return false;
      }
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      return false;
    }
  }
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
      bytes.starts_with("\xEF\xBB\xBF")) {
    return true;
  }
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          static_cast<int>(text.size()))));
  text.insert(text.begin(), L'\xFEFF');
  const UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) return false;
  const auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), size, &written, nullptr) && written == size;
}

}  // namespace

std::string Win32Profile::readString(const std::string& fileName, const std::string& section,
                                     const std::optional<std::string>& key,
                                     const std::optional<std::string>& defaultValue,
                                     std::uint32_t size) {
  // One spare unit, so that a zero size still has a buffer to point at.
  std::vector<wchar_t> buffer(static_cast<std::size_t>(size) + 1, L'\0');
  const DWORD count = GetPrivateProfileStringW(win32::Wide(section).c_str(), OrNull(Wide(key)),
                                               OrNull(Wide(defaultValue)), buffer.data(), size,
                                               win32::Wide(fileName).c_str());
  const std::wstring_view read(buffer.data(), count);
  // A value cut to the buffer ends between characters.
  return Utf8(read.substr(0, key && count + 1 == size ? CutBetweenCharacters(read, count) : count));
}

bool Win32Profile::writeString(const std::string& fileName, const std::string& section,
                               const std::optional<std::string>& key,
                               const std::optional<std::string>& value) {
  const std::optional<std::wstring> wideSection = win32::Wide(section);
  const std::optional<std::wstring> wideKey = Wide(key);
  const std::optional<std::wstring> wideValue = Wide(value);
  const std::wstring path = win32::Wide(fileName);
  // A name without a folder lives in the Windows directory, as the profile calls place it.
  const std::wstring placed = path.find_first_of(L"\\/:") == std::wstring::npos
                                  ? win32::Wide(bareNameFolder()) + L"\\" + path
                                  : path;
  if ((!FitsCodePage(wideSection) || !FitsCodePage(wideKey) || !FitsCodePage(wideValue)) &&
      !MakeUnicode(placed)) {
    return false;
  }
  return WritePrivateProfileStringW(wideSection->c_str(), OrNull(wideKey), OrNull(wideValue),
                                    path.c_str()) != FALSE;
}

std::string Win32Profile::bareNameFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(path, MAX_PATH + 1);
  return length <= MAX_PATH ? Utf8(std::wstring_view(path, length)) : std::string();
}

std::optional<std::string> Win32Profile::appDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return std::nullopt;
  }
  return Utf8(path);
}

bool Win32Profile::fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Profile::fileReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32Profile::createFolder(const std::string& path) {
  if (CreateDirectoryW(win32::Wide(path).c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The probe must have been made, not only named: Wine names one also when the folder refuses
// it.
bool Win32Profile::folderWritable(const std::string& folder) {
  wchar_t probe[MAX_PATH] = {};
  return GetTempFileNameW(win32::Wide(folder).c_str(), L"wpx", 0, probe) != 0 &&
         DeleteFileW(probe) != FALSE;
}

bool Win32Profile::copyFile(const std::string& from, const std::string& to) {
  return CopyFileW(win32::Wide(from).c_str(), win32::Wide(to).c_str(), FALSE) != FALSE;
}

bool Win32Profile::replaceFile(const std::string& replacement, const std::string& target) {
  return MoveFileExW(win32::Wide(replacement).c_str(), win32::Wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Profile::deleteFile(const std::string& path) {
  return DeleteFileW(win32::Wide(path).c_str()) != FALSE;
}

}  // namespace platform::win32
