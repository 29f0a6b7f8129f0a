#include "framework/PopupMenu.h"

#include "framework/Application.h"

namespace wumpex {

TMenuItem::TMenuItem(TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (!checked || !radio_ || menu_ == nullptr) return;
  for (TMenuItem* other : menu_->Items()) {
    if (other != this && other->radio_ && other->groupIndex_ == groupIndex_) {
      other->checked_ = false;
    }
  }
}

TPopupMenu::TPopupMenu(TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

void TPopupMenu::Add(TMenuItem* item) {
  item->menu_ = this;
  items_.push_back(item);
}

void TPopupMenu::Popup(platform::Point at, platform::Handle owner) {
  if (!peer_) peer_ = platform::desktop().createPopupMenu();
  // Every item, a submenu's items after the item that opens it, as the peer numbers them.
  std::vector<platform::MenuItemState> states;
  std::vector<TMenuItem*> shown;
  const auto list = [&](const std::vector<TMenuItem*>& items, int level, const auto& self) -> void {
    for (TMenuItem* item : items) {
      states.push_back({item->caption_, item->default_, item->radio_, item->checked_,
                        item->enabled_, item->visible_, level});
      shown.push_back(item);
      self(item->items_, level + 1, self);
    }
  };
  list(items_, 0, list);
  peer_->setItems(states);
  int chosen = peer_->track(at, owner);
  if (chosen < 0 || chosen >= static_cast<int>(shown.size())) return;
  TMenuItem* item = shown[static_cast<std::size_t>(chosen)];
  GuardHandler([item] { item->Click(); });
}

}  // namespace wumpex
