#include "framework/Label.h"

namespace wumpex {

TLabel::TLabel(TComponent* owner, std::string name)
    : TLabel(owner, std::move(name), platform::WidgetKind::Label) {}

TLabel::TLabel(TComponent* owner, std::string name, platform::WidgetKind kind)
    : TControl(owner, std::move(name), kind) {}

void TLabel::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
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
