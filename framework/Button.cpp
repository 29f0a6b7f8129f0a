#include "framework/Button.h"

#include "framework/Form.h"

namespace wumpex {

TButton::TButton(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Button) {
  SetTabOrder(0);
}

void TButton::Click() {
  Fire(OnClick, this);
  if (modalResult_ == 0) return;
  TControl* top = this;
  while (top->Parent() != nullptr) top = top->Parent();
  if (auto* form = dynamic_cast<TForm*>(top)) form->SetModalResult(modalResult_);
}

void TButton::userClicked() {
  Guarded([this] { Click(); });
}

}  // namespace wumpex
