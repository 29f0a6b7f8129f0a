#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Utf16.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace platform::win32 {
namespace {

RECT toRect(const Rect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

UniqueFont createFont(const Font& font) {
  return UniqueFont(CreateFontW(font.height, 0, 0, 0, FW_NORMAL, font.italic ? TRUE : FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                Wide(font.name).c_str()));
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
  const UniqueGdi<HBRUSH> brush(CreateSolidBrush(colorRef(color)));
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
  const std::wstring wide = Wide(text);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
}

void Win32Painter::polyline(const std::vector<Point>& points, Color color) {
  std::vector<POINT> corners;
  for (const Point& p : points) corners.push_back({p.x, p.y});
  const UniqueGdi<HGDIOBJ> pen(CreatePen(PS_SOLID, 1, colorRef(color)));
  const auto penSelected = selected(dc_, pen.get());
  Polyline(dc_, corners.data(), static_cast<int>(corners.size()));
}

void Win32Painter::rectangle(const Rect& rect, Color pen, std::optional<Color> fill) {
  const UniqueGdi<HGDIOBJ> outline(CreatePen(PS_SOLID, 1, colorRef(pen)));
  const UniqueGdi<HGDIOBJ> inside(fill ? CreateSolidBrush(colorRef(*fill)) : nullptr);
  const auto penSelected = selected(dc_, outline.get());
  const auto brushSelected = selected(dc_, inside ? inside.get() : GetStockObject(NULL_BRUSH));
  Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void Win32Painter::drawBitmap(const std::string& resourceName, Point at, Color transparent) {
  const UniqueGdi<HGDIOBJ> bitmap(LoadImageW(GetModuleHandleW(nullptr), Wide(resourceName).c_str(),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (!bitmap) return;
  BITMAP size{};
  GetObjectW(bitmap.get(), sizeof size, &size);
  const UniqueMemoryDc source(CreateCompatibleDC(dc_));
  const auto bitmapSelected = selected(source.get(), bitmap.get());
  TransparentBlt(dc_, at.x, at.y, size.bmWidth, size.bmHeight, source.get(), 0, 0, size.bmWidth,
                 size.bmHeight, colorRef(transparent));
}

void Win32Painter::focusRect(const Rect& rect) {
  const RECT area = toRect(rect);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  DrawFocusRect(dc_, &area);
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
