#include "framework/ComboBox.h"

#include <algorithm>

#include "platform/LetterCase.h"

namespace wumpex {

TComboBox::TComboBox(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::ComboBox) {
  SetTabOrder(0);
}

void TComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  if (Peer() != nullptr) {
    Peer()->setItems(items_);
    Peer()->setText(Text());
  }
}

void TComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (Peer() != nullptr) Peer()->setItemIndex(itemIndex_);
  SetTextValue(index < 0 ? std::string() : items_[static_cast<std::size_t>(index)]);
}

void TComboBox::InitPeer(platform::Widget& peer) {
  peer.setItems(items_);
  peer.setItemIndex(itemIndex_);
  TControl::InitPeer(peer);
}

void TComboBox::userSelected(int index) {
  Guarded([&] {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    itemIndex_ = index;
    SetTextValue(items_[static_cast<std::size_t>(index)], true);
    Fire(OnChange, this);
  });
}

void TComboBox::userEditedText(const std::string& text) {
  Guarded([&] {
    const auto named = std::ranges::find(items_, platform::UpperCase(text), platform::UpperCase);
    itemIndex_ = named == items_.end() ? -1 : static_cast<int>(named - items_.begin());
    if (SetTextValue(text, true)) Fire(OnChange, this);
  });
}

}  // namespace wumpex
