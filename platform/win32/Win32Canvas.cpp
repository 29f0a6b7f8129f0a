#include "platform/win32/Win32Canvas.h"

#include <memory>
#include <type_traits>

namespace platform::win32 {
namespace {

struct BrushDeleter {
  void operator()(HBRUSH brush) const { DeleteObject(brush); }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

RECT toRect(const Rect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

UniqueFont createFont(const Font& font) {
  return UniqueFont(CreateFontA(font.height, 0, 0, 0, FW_NORMAL, font.italic ? TRUE : FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
}

COLORREF colorRef(Color color) {
  constexpr Color kSystem = 0x80000000u;
  if ((color & kSystem) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
  return color;
}

Win32Painter::Win32Painter(HDC dc) : dc_(dc), savedState_(SaveDC(dc)) {}

Win32Painter::~Win32Painter() {
  RestoreDC(dc_, savedState_);
}

void Win32Painter::fillRect(const Rect& rect, Color color) {
  const UniqueBrush brush(CreateSolidBrush(colorRef(color)));
  const RECT area = toRect(rect);
  FillRect(dc_, &area, brush.get());
}

void Win32Painter::drawText(const std::string& text, const Rect& rect, unsigned flags,
                            const Font& font, std::optional<Color> background) {
  selectFont(font);
  SetTextColor(dc_, colorRef(font.color));
  if (background) {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, colorRef(*background));
  } else {
    SetBkMode(dc_, TRANSPARENT);
  }
  RECT area = toRect(rect);
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &area, flags);
}

// A font is made once for as long as the text keeps to it.
void Win32Painter::selectFont(const Font& font) {
  if (font_ && font.name == selected_.name && font.height == selected_.height &&
      font.italic == selected_.italic) {
    return;
  }
  UniqueFont made = createFont(font);
  SelectObject(dc_, made.get());
  font_ = std::move(made);
  selected_ = font;
}

}  // namespace platform::win32
