#pragma once
// Owners for the system handles the Windows desktop creates, and the conversions between
// the program's opaque window identities and window handles.

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/Desktop.h"

namespace platform::win32 {

inline Handle toHandle(HWND window) {
  return reinterpret_cast<Handle>(window);
}
inline HWND toWindow(Handle handle) {
  return reinterpret_cast<HWND>(handle);
}

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Registers a window class of this program, filling in the size and module; throws when
// the system refuses.
void registerWindowClass(WNDCLASSEXA windowClass);

// A window this program created, tagged with the object that handles its messages so that
// window procedures and parents find that object. Destroying a parent takes its children
// along, so a child's owner only destroys the window when it still carries its tag.
class OwnedWindow {
 public:
  OwnedWindow(HWND window, const char* tag, void* owner);
  ~OwnedWindow();
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  HWND get() const { return window_; }
  static void* ownerOf(HWND window, const char* tag) { return GetPropA(window, tag); }

 private:
  HWND window_;
  const char* tag_;
  void* owner_;
};

}  // namespace platform::win32
