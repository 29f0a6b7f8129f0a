#pragma once
// Painting for controls that draw themselves: a font and a brush as the program sets them,
// applied to each drawing call of the platform's painter.

#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace wumpex {

using TColor = platform::Color;
using TRect = platform::Rect;

inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clWindowText = platform::systemColor(platform::syscolor::kWindowText);
inline constexpr TColor clBtnFace = platform::systemColor(platform::syscolor::kButtonFace);
inline constexpr TColor clBtnShadow = platform::systemColor(platform::syscolor::kButtonShadow);
inline constexpr TColor clGrayText = platform::systemColor(platform::syscolor::kGrayText);
inline constexpr TColor clBtnHighlight =
    platform::systemColor(platform::syscolor::kButtonHighlight);
inline constexpr TColor clWindowFrame = platform::systemColor(platform::syscolor::kWindowFrame);
inline constexpr TColor clOlive = 0x00008080;

// A clear brush fills nothing, so that text goes on without a box behind it.
enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = 0;
};

// The rectangle moved; coordinates wrap around as the system's do, whatever the offset.
inline TRect OffsetRect(TRect rect, int dx, int dy) {
  const auto add = [](int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
  };
  return {add(rect.left, dx), add(rect.top, dy), add(rect.right, dx), add(rect.bottom, dy)};
}

class TCanvas {
 public:
  explicit TCanvas(platform::Painter& painter) : painter_(painter) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The font of the text drawn next, with its colour.
  platform::Font& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  // Fills the rectangle with the brush's colour, unless the brush is clear.
  void FillRect(const TRect& rect);
  // The system's text drawing (flags from platform::dt) in the font; a solid brush puts a box
  // in its colour behind the text.
  void DrawText(const std::string& text, const TRect& rect, unsigned flags);
  // Outlined with the pen, filled with the brush unless it is clear.
  void Rectangle(const TRect& rect);
  // Lines with the pen through the points, the last one left out.
  void Polyline(const std::vector<platform::Point>& points);
  // A bitmap resource, its pixels of the transparent colour left out.
  void DrawTransparent(int x, int y, const std::string& resourceName, TColor transparent);
  void DrawFocusRect(const TRect& rect);

 private:
  platform::Painter& painter_;
  platform::Font font_;
  TBrush brush_;
  TPen pen_;
};

}  // namespace wumpex
