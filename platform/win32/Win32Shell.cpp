#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A program's path quoted, as the shell starts it at log-in.
std::wstring Quoted(const std::wstring& path) {
  return L"\"" + path + L"\"";
}

// The user's Run key; empty, with the system's reason, when it cannot be opened.
UniqueKey OpenRunKey(REGSAM access, LSTATUS& status) {
  HKEY key = nullptr;
  status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access, &key);
  return status == ERROR_SUCCESS ? UniqueKey(key) : UniqueKey();
}

}  // namespace

bool Win32Shell::execute(Handle owner, const std::string& verb, const std::string& file,
                         int showCommand) {
  const HINSTANCE result = ShellExecuteW(toWindow(owner), Wide(verb).c_str(), Wide(file).c_str(),
                                         nullptr, nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

// Handed over as Unicode text; the system makes the plain-text form for programs that ask
// for it.
bool Win32Shell::setClipboardText(Handle owner, const std::string& text) {
  const std::wstring wide = Wide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* locked = GlobalLock(memory.get());
  if (locked == nullptr) return false;
  std::memcpy(locked, wide.c_str(), bytes);
  GlobalUnlock(memory.get());
  if (OpenClipboard(toWindow(owner)) == FALSE) return false;
  const ScopeGuard closed(CloseClipboard);
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  // The clipboard owns the block from now on.
  static_cast<void>(memory.release());
  return true;
}

std::optional<std::string> Win32Shell::clipboardText(Handle owner) {
  if (OpenClipboard(toWindow(owner)) == FALSE) return std::nullopt;
  const ScopeGuard closed(CloseClipboard);
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (text == nullptr) return std::nullopt;
  const ScopeGuard unlocked([data] { GlobalUnlock(data); });
  return Utf8(std::wstring_view(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t))));
}

// The entry names this program, quoted or not; one that names another copy is not this one's.
bool Win32Shell::startsAtLogIn(const std::string& name) {
  LSTATUS status = ERROR_SUCCESS;
  const UniqueKey key = OpenRunKey(KEY_QUERY_VALUE, status);
  const std::wstring valueName = Wide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (!key ||
      RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  std::vector<wchar_t> value(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring path = Wide(desktop().moduleFileName());
  return lstrcmpiW(value.data(), Quoted(path).c_str()) == 0 ||
         lstrcmpiW(value.data(), path.c_str()) == 0;
}

bool Win32Shell::setStartAtLogIn(const std::string& name, bool start) {
  const std::wstring valueName = Wide(name);
  if (!start) {
    // No key holds no entry.
    LSTATUS status = ERROR_SUCCESS;
    const UniqueKey key = OpenRunKey(KEY_SET_VALUE, status);
    if (!key) return status == ERROR_FILE_NOT_FOUND;
    const LSTATUS removed = RegDeleteValueW(key.get(), valueName.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueKey key(created);
  const std::wstring command = Quoted(Wide(desktop().moduleFileName()));
  return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(command.c_str()),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

}  // namespace platform::win32
