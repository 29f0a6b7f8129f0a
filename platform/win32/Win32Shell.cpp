#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

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

}  // namespace platform::win32
