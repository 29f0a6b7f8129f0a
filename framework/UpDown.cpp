#include "framework/UpDown.h"

#include <algorithm>
#include <string>

#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "framework/IntegerText.h"

namespace wumpex {

TUpDown::TUpDown(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::UpDown) {
  SetTabOrder(0);
}

void TUpDown::SetAssociate(TEdit* edit) {
  associate_ = edit;
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
  Mirror();
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  Mirror();
}

void TUpDown::SetPosition(int position) {
  position = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  if (position == position_) return;
  position_ = position;
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
  Mirror();
}

void TUpDown::Step(int delta) {
  int from = position_;
  if (associate_ != nullptr) {
    try {
      from = StrToInt(associate_->Text());
    } catch (const EConvertError&) {
      // A box that holds no number steps from the last position, as the system's does.
    }
  }
  long long next = static_cast<long long>(from) + delta;
  if (wrap_ && next > max_) next = min_;
  if (wrap_ && next < min_) next = max_;
  next = std::clamp<long long>(next, min_, max_);
  position_ = static_cast<int>(next);
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
  Mirror();
}

void TUpDown::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  peer.setUpDown(min_, max_, position_, associate_ != nullptr ? associate_->Peer() : nullptr);
}

void TUpDown::Mirror() {
  if (Peer() == nullptr) return;
  Peer()->setUpDown(min_, max_, position_, associate_ != nullptr ? associate_->Peer() : nullptr);
}

void TUpDown::userStepped(int by) {
  Guarded([&] { Step(by * increment_); });
}

}  // namespace wumpex
