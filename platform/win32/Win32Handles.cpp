#include "platform/win32/Win32Handles.h"

#include <string>
#include <system_error>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

void registerWindowClass(WNDCLASSEXW windowClass) {
  windowClass.cbSize = sizeof windowClass;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::system_error(
        static_cast<int>(GetLastError()), std::system_category(),
        std::string("cannot register window class ") + Utf8(windowClass.lpszClassName));
  }
}

HWND createWindowOrThrow(DWORD exStyle, const char* className, DWORD style, int x, int y,
                         HWND parent) {
  HWND window = CreateWindowExW(exStyle, Wide(className).c_str(), L"", style, x, y, 0, 0, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            std::string("cannot create a window of class ") + className);
  }
  return window;
}

OwnedWindow::OwnedWindow(HWND window, const char* tag, void* owner)
    : window_(window), tag_(tag), owner_(owner) {
  SetPropA(window_.get(), tag_, owner_);
}

OwnedWindow::~OwnedWindow() {
  if (IsWindow(window_.get()) && GetPropA(window_.get(), tag_) == owner_) {
    RemovePropA(window_.get(), tag_);
  } else {
    // Gone with its parent, or another window's by now.
    static_cast<void>(window_.release());
  }
}

}  // namespace platform::win32
