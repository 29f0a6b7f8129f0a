#include "framework/Canvas.h"

#include <optional>

namespace wumpex {

void TCanvas::FillRect(const TRect& rect) {
  if (brush_.Style == TBrushStyle::bsClear) return;
  painter_.fillRect(rect, brush_.Color);
}

void TCanvas::DrawText(const std::string& text, const TRect& rect, unsigned flags) {
  std::optional<TColor> background;
  if (brush_.Style == TBrushStyle::bsSolid) background = brush_.Color;
  painter_.drawText(text, rect, flags, font_, background);
}

void TCanvas::Rectangle(const TRect& rect) {
  std::optional<TColor> fill;
  if (brush_.Style == TBrushStyle::bsSolid) fill = brush_.Color;
  painter_.rectangle(rect, pen_.Color, fill);
}

void TCanvas::Polyline(const std::vector<platform::Point>& points) {
  painter_.polyline(points, pen_.Color);
}

void TCanvas::DrawTransparent(int x, int y, const std::string& resourceName, TColor transparent) {
  painter_.drawBitmap(resourceName, {x, y}, transparent);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  painter_.focusRect(rect);
}

}  // namespace wumpex
