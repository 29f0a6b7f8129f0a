#include "framework/Label.h"

namespace wumpex {

TLabel::TLabel(TComponent* owner, std::string name)
    : TLabel(owner, std::move(name), platform::WidgetKind::Label) {}

TLabel::TLabel(TComponent* owner, std::string name, platform::WidgetKind kind)
    : TControl(owner, std::move(name), kind) {}

void TLabel::SetCaption(const std::string& caption) {
  if (SetTextValue(caption)) AdjustBounds();
}

void TLabel::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::Loaded() {
  loaded_ = true;
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || !loaded_) return;
  unsigned flags = platform::dt::kExpandTabs;
  if (wordWrap_) flags |= platform::dt::kWordBreak;
  if (!showAccelChar_) flags |= platform::dt::kNoPrefix;
  Bounds bounds = BoundsRect();
  const platform::Size needed =
      platform::desktop().measureText(Caption(), Font(), flags, bounds.width);
  const platform::Size overhang = Overhang();
  const int width = needed.width + overhang.width;
  if (alignment_ == TAlignment::taRightJustify) bounds.left += bounds.width - width;
  bounds.width = width;
  bounds.height = needed.height + overhang.height;
  SetBounds(bounds);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TLabel::userClicked() {
  Guarded([this] { Fire(OnClick, this); });
}

}  // namespace wumpex
