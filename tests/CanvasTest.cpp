#include <gtest/gtest.h>

#include "framework/Canvas.h"
#include "platform/headless/HeadlessDesktop.h"

namespace wumpex {
namespace {

using platform::headless::PaintOp;

// What goes through to the painter follows the brush: a solid one fills and boxes the text in
// its colour, a clear one fills nothing and leaves the text without a box.
TEST(CanvasTest, TheBrushDecidesWhatIsFilledAndWhatIsBehindTheText) {
  platform::headless::RecordingPainter painter;
  TCanvas canvas(painter);
  canvas.Font() = {"Arial", -16, true, clBtnShadow};
  const TRect area{1, 2, 30, 40};
  canvas.Brush().Color = clBtnFace;
  canvas.FillRect(area);
  canvas.DrawText("solid", area, platform::dt::kCenter);
  canvas.Brush().Style = TBrushStyle::bsClear;
  canvas.FillRect(area);
  canvas.DrawText("clear", area, platform::dt::kRight);

  const std::vector<PaintOp> expected{
      {.kind = PaintOp::Kind::FillRect, .rect = area, .color = clBtnFace},
      {.kind = PaintOp::Kind::Text,
       .rect = area,
       .color = clBtnShadow,
       .text = "solid",
       .flags = platform::dt::kCenter,
       .font = canvas.Font(),
       .background = clBtnFace},
      {.kind = PaintOp::Kind::Text,
       .rect = area,
       .color = clBtnShadow,
       .text = "clear",
       .flags = platform::dt::kRight,
       .font = canvas.Font(),
       .background = std::nullopt},
  };
  EXPECT_EQ(painter.ops, expected);
}

}  // namespace
}  // namespace wumpex
