#include "components/StyledLabel.h"

#include <algorithm>
#include <cstddef>

namespace wumpex {
namespace {

// Only this much of the caption is drawn.
constexpr std::size_t kMaxDrawn = 255;
constexpr int kMaxWindowSize = 32767;

unsigned AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify:
      return platform::dt::kRight;
    case TAlignment::taCenter:
      return platform::dt::kCenter;
    case TAlignment::taLeftJustify:
      break;
  }
  return platform::dt::kLeft;
}

}  // namespace

TStyledLabel::TStyledLabel(TComponent* owner, std::string name)
    : TLabel(owner, std::move(name), platform::WidgetKind::Custom),
      about_(std::make_unique<TAboutInfo>(
          "1996", "Wumpex! team",
          "A label that draws its caption raised, recessed or with a drop shadow.")) {}

TStyledLabel::~TStyledLabel() = default;

void TStyledLabel::SetTextStyle(TTextStyle style) {
  if (style == textStyle_) return;
  textStyle_ = style;
  AdjustBounds();
  Invalidate();
}

void TStyledLabel::SetShadowColor(TColor color) {
  if (color == shadowColor_) return;
  shadowColor_ = color;
  Invalidate();
}

void TStyledLabel::SetShadowDepth(int depth) {
  if (depth == shadowDepth_) return;
  shadowDepth_ = depth;
  AdjustBounds();
  Invalidate();
}

// A shadow below and to the right needs its own room; deeper than a window can be wide it
// is out of sight anyway.
platform::Size TStyledLabel::Overhang() const {
  if (textStyle_ != TTextStyle::tsShadow) return {};
  const int depth = std::clamp(shadowDepth_, 0, kMaxWindowSize);
  return {depth, depth};
}

void TStyledLabel::Paint(TCanvas& canvas) {
  if (!Transparent()) {
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(ClientRect());
  }
  canvas.Brush().Style = TBrushStyle::bsClear;
  DrawStyledText(canvas, ClientRect(), AlignmentFlag(Alignment()) | platform::dt::kExpandTabs);
}

void TStyledLabel::DrawStyledText(TCanvas& canvas, const TRect& rect, unsigned flags) {
  // The caption goes through a zero-terminated buffer, which also ends it at a zero byte.
  char buffer[kMaxDrawn + 1] = {};
  Caption().copy(buffer, kMaxDrawn);
  const std::string text(buffer);
  if (WordWrap()) flags |= platform::dt::kWordBreak;
  if (!ShowAccelChar()) flags |= platform::dt::kNoPrefix;
  canvas.Font() = Font();
  const auto copy = [&](int offset, TColor color) {
    canvas.Font().color = color;
    canvas.DrawText(text, OffsetRect(rect, offset, offset), flags);
  };
  switch (textStyle_) {
    case TTextStyle::tsRaised:
      copy(1, clBtnShadow);
      copy(-1, clBtnHighlight);
      break;
    case TTextStyle::tsRecessed:
      copy(1, clBtnHighlight);
      copy(-1, clBtnShadow);
      break;
    case TTextStyle::tsShadow:
      copy(shadowDepth_, shadowColor_);
      break;
    case TTextStyle::tsNone:
      break;
  }
  canvas.Font().color = Enabled() ? Font().color : clGrayText;
  canvas.DrawText(text, rect, flags);
}

}  // namespace wumpex
