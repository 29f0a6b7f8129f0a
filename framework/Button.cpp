#include "framework/Button.h"

namespace wumpex {

TButton::TButton(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Button) {
  SetTabOrder(0);
}

void TButton::userClicked() {
  Guarded([this] { Click(); });
}

}  // namespace wumpex
