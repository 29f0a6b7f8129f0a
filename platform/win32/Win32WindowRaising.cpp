#include "platform/win32/Win32WindowRaising.h"

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

Handle Win32WindowRaising::findWindow(const char* title) {
  return toHandle(FindWindowW(nullptr, Wide(title).c_str()));
}

bool Win32WindowRaising::isMinimised(Handle window) {
  return IsIconic(toWindow(window)) != FALSE;
}

void Win32WindowRaising::restore(Handle window) {
  ShowWindow(toWindow(window), SW_RESTORE);
}

void Win32WindowRaising::bringToTop(Handle window) {
  BringWindowToTop(toWindow(window));
}

}  // namespace platform::win32
