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

}  // namespace wumpex
