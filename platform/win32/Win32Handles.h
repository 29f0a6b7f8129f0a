#pragma once
// One owner for the system handles this program holds, and the conversions between the
// program's opaque window identities and window handles.

#include <windows.h>

#include <utility>

#include "platform/Desktop.h"

namespace platform::win32 {

inline Handle toHandle(HWND window) {
  return reinterpret_cast<Handle>(window);
}
inline HWND toWindow(Handle handle) {
  return reinterpret_cast<HWND>(handle);
}

// Owns one handle and gives it back to the system when it goes. Traits name the handle's
// Type, the invalid() value that holds nothing and the close() that gives it back.
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }

  Type get() const { return handle_; }
  explicit operator bool() const { return !(handle_ == Traits::invalid()); }
  Type release() { return std::exchange(handle_, Traits::invalid()); }
  void reset(Type handle = Traits::invalid()) {
    const Type previous = std::exchange(handle_, handle);
    if (!(previous == Traits::invalid())) Traits::close(previous);
  }

 private:
  Type handle_ = Traits::invalid();
};

// The common kind: no handle is null, and one function gives a handle back.
template <typename HandleType, auto closeFunction>
struct NullOrClosedBy {
  using Type = HandleType;
  static Type invalid() { return nullptr; }
  static void close(Type handle) { closeFunction(handle); }
};

using UniqueKernelHandle = UniqueHandle<NullOrClosedBy<HANDLE, CloseHandle>>;
using UniqueGlobal = UniqueHandle<NullOrClosedBy<HGLOBAL, GlobalFree>>;
using UniqueModule = UniqueHandle<NullOrClosedBy<HMODULE, FreeLibrary>>;
using UniqueWindow = UniqueHandle<NullOrClosedBy<HWND, DestroyWindow>>;
using UniqueMenu = UniqueHandle<NullOrClosedBy<HMENU, DestroyMenu>>;
using UniqueKey = UniqueHandle<NullOrClosedBy<HKEY, RegCloseKey>>;
using UniqueIcon = UniqueHandle<NullOrClosedBy<HICON, DestroyIcon>>;
using UniqueMemoryDc = UniqueHandle<NullOrClosedBy<HDC, DeleteDC>>;
// Fonts, brushes, pens and bitmaps all go back to the system with DeleteObject.
template <typename GdiHandle>
using UniqueGdi = UniqueHandle<NullOrClosedBy<GdiHandle, DeleteObject>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

// A directory search, which fails with INVALID_HANDLE_VALUE rather than null.
struct FindTraits {
  using Type = HANDLE;
  static Type invalid() { return INVALID_HANDLE_VALUE; }
  static void close(Type search) { FindClose(search); }
};
using UniqueFind = UniqueHandle<FindTraits>;

// An open file, which fails with INVALID_HANDLE_VALUE too.
struct FileTraits {
  using Type = HANDLE;
  static Type invalid() { return INVALID_HANDLE_VALUE; }
  static void close(Type file) { CloseHandle(file); }
};
using UniqueFile = UniqueHandle<FileTraits>;

// A window's device context, or the screen's for no window, goes back to that window.
struct WindowDcTraits {
  struct Type {
    HWND window;
    HDC dc;
    bool operator==(const Type&) const = default;
  };
  static Type invalid() { return {}; }
  static void close(Type held) { ReleaseDC(held.window, held.dc); }
};
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;
inline UniqueWindowDc windowDc(HWND window) {
  const HDC dc = GetDC(window);
  return dc != nullptr ? UniqueWindowDc({window, dc}) : UniqueWindowDc();
}

// A COM object, released by its interface.
template <typename Interface>
struct ComTraits {
  using Type = Interface*;
  static Type invalid() { return nullptr; }
  static void close(Type object) { object->Release(); }
};
template <typename Interface>
using UniqueCom = UniqueHandle<ComTraits<Interface>>;

// Undoes, when it goes, what was done for the scope: the one shape of every guard here.
template <typename Undo>
class [[nodiscard]] ScopeGuard {
 public:
  explicit ScopeGuard(Undo undo) : undo_(std::move(undo)) {}
  ~ScopeGuard() { undo_(); }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

 private:
  Undo undo_;
};

// Selects an object into a device context; the one it displaced goes back with the guard.
inline auto selected(HDC dc, HGDIOBJ object) {
  return ScopeGuard([dc, previous = SelectObject(dc, object)] { SelectObject(dc, previous); });
}

// Registers a window class of this program, filling in the size and module, once: a class
// already registered stays as it is. Throws when the system refuses.
void registerWindowClass(WNDCLASSEXW windowClass);

// Creates a window; throws, naming its class, when the system refuses.
HWND createWindowOrThrow(DWORD exStyle, const char* className, DWORD style, int x, int y,
                         HWND parent);

// Runs a window procedure's body so that no exception unwinds through the system code that
// called the procedure: the program's handlers report their own failures, so whatever still
// arrives is dropped.
template <typename Body>
LRESULT withoutUnwinding(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return 0;
  }
}

// A window this program created, tagged with the object that handles its messages so that
// window procedures and parents find that object. Destroying a parent takes its children
// along, so a child's owner only destroys the window when it still carries its tag.
class OwnedWindow {
 public:
  OwnedWindow(HWND window, const char* tag, void* owner);
  ~OwnedWindow();
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  HWND get() const { return window_.get(); }
  static void* ownerOf(HWND window, const char* tag) { return GetPropA(window, tag); }

 private:
  UniqueWindow window_;
  const char* tag_;
  void* owner_;
};

}  // namespace platform::win32
