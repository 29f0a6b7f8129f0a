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

struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// Fonts, brushes, pens and bitmaps all go back to the system with DeleteObject.
template <typename GdiHandle>
struct GdiObjectDeleter {
  void operator()(GdiHandle object) const { DeleteObject(object); }
};
template <typename GdiHandle>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<GdiHandle>, GdiObjectDeleter<GdiHandle>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's device context, or the screen's for no window, released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back when it goes.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

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
