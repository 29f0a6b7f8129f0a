#include "framework/Label.h"

namespace wumpex {

TLabel::TLabel(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Label) {}

void TLabel::userClicked() {
  Guarded([this] { Fire(OnClick, this); });
}

}  // namespace wumpex
