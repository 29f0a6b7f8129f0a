#include "framework/ListBox.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "platform/LetterCase.h"

namespace wumpex {
namespace {

bool LessFolded(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(platform::UpperAZ(x)) <
           static_cast<unsigned char>(platform::UpperAZ(y));
  });
}

}  // namespace

TListBox::TListBox(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::ListBox) {
  SetTabOrder(0);
}

void TListBox::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) {
    std::stable_sort(items_.begin(), items_.end(), LessFolded);
    Mirror();
  }
}

const std::string& TListBox::Item(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds");
  return items_[static_cast<std::size_t>(index)];
}

int TListBox::Add(const std::string& item) {
  auto at =
      sorted_ ? std::upper_bound(items_.begin(), items_.end(), item, LessFolded) : items_.end();
  int index = static_cast<int>(at - items_.begin());
  items_.insert(at, item);
  if (itemIndex_ >= index) ++itemIndex_;
  Mirror();
  return index;
}

void TListBox::Delete(int index) {
  Item(index);
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  Mirror();
}

void TListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  Mirror();
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (Peer() != nullptr) Peer()->setItemIndex(itemIndex_);
}

platform::WidgetStyle TListBox::Style() const {
  return {.sorted = sorted_, .itemHeight = itemHeight_};
}

void TListBox::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  peer.setItems(items_);
  peer.setItemIndex(itemIndex_);
}

void TListBox::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) Mirror();
}

void TListBox::Mirror() {
  if (Peer() == nullptr || updating_ > 0) return;
  Peer()->setItems(items_);
  Peer()->setItemIndex(itemIndex_);
}

void TListBox::userSelected(int index) {
  Guarded([&] {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    Fire(OnClick, this);
  });
}

}  // namespace wumpex
