#include "framework/CheckBox.h"

namespace wumpex {

TCheckBox::TCheckBox(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::CheckBox) {
  SetTabOrder(0);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (Peer() != nullptr) Peer()->setChecked(checked_);
  Fire(OnClick, this);
}

void TCheckBox::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  peer.setChecked(checked_);
}

void TCheckBox::userToggled(bool checked) {
  Guarded([&] { SetChecked(checked); });
}

}  // namespace wumpex
