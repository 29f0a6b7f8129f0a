#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <vector>

#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

bool Win32Shell::execute(Handle owner, const std::string& verb, const std::string& file,
                         int showCommand) {
  const HINSTANCE result =
      ShellExecuteA(toWindow(owner), verb.c_str(), file.c_str(), nullptr, nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::setClipboardText(Handle owner, const std::string& text) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return false;
  {
    const LockedMemory locked(memory.get());
    if (locked.data() == nullptr) return false;
    std::memcpy(locked.data(), text.c_str(), text.size() + 1);
  }
  const OpenedClipboard clipboard(toWindow(owner));
  if (!clipboard.isOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, memory.get()) == nullptr) return false;
  // The clipboard owns the block from now on.
  static_cast<void>(memory.release());
  return true;
}

std::optional<std::string> Win32Shell::clipboardText(Handle owner) {
  const OpenedClipboard clipboard(toWindow(owner));
  if (!clipboard.isOpen()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) return std::nullopt;
  const LockedMemory locked(data);
  if (locked.data() == nullptr) return std::nullopt;
  return std::string(locked.data(), strnlen(locked.data(), GlobalSize(data)));
}

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A program's path quoted, as the shell starts it at log-in.
std::string Quoted(const std::string& path) {
  std::string command;
  command.reserve(path.size() + 2);
  command.push_back('"');
  command.append(path);
  command.push_back('"');
  return command;
}

// The user's Run key; empty, with the system's reason, when it cannot be opened.
UniqueKey OpenRunKey(REGSAM access, LSTATUS& status) {
  HKEY key = nullptr;
  status = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, access, &key);
  return status == ERROR_SUCCESS ? UniqueKey(key) : UniqueKey();
}

}  // namespace

// The entry names this program, quoted or not; one that names another copy is not this one's.
bool Win32Shell::startsAtLogIn(const std::string& name) {
  LSTATUS status = ERROR_SUCCESS;
  const UniqueKey key = OpenRunKey(KEY_QUERY_VALUE, status);
  DWORD type = 0;
  DWORD size = 0;
  if (!key ||
      RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  std::vector<char> value(size + 1, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  const std::string path = desktop().moduleFileName();
  return lstrcmpiA(value.data(), Quoted(path).c_str()) == 0 ||
         lstrcmpiA(value.data(), path.c_str()) == 0;
}

bool Win32Shell::setStartAtLogIn(const std::string& name, bool start) {
  if (!start) {
    // No key holds no entry.
    LSTATUS status = ERROR_SUCCESS;
    const UniqueKey key = OpenRunKey(KEY_SET_VALUE, status);
    if (!key) return status == ERROR_FILE_NOT_FOUND;
    const LSTATUS removed = RegDeleteValueA(key.get(), name.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  HKEY created = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueKey key(created);
  const std::string command = Quoted(desktop().moduleFileName());
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(command.c_str()),
                        static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace platform::win32
