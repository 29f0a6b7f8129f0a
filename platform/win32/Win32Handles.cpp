#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

OwnedWindow::OwnedWindow(HWND window, const char* tag, void* owner)
    : window_(window), tag_(tag), owner_(owner) {
  SetPropA(window_, tag_, owner_);
}

OwnedWindow::~OwnedWindow() {
  if (IsWindow(window_) && GetPropA(window_, tag_) == owner_) {
    RemovePropA(window_, tag_);
    DestroyWindow(window_);
  }
}

}  // namespace platform::win32
