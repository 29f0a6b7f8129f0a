#pragma once

#include <vector>

#include "framework/Control.h"

namespace wumpex {

class TListBox : public TControl {
 public:
  TListBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TListBox"; }

  // A sorted list keeps its items in the order of a comparison that folds a to z only.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height) { itemHeight_ = height; }

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EStringListError "List index out of bounds" outside 0..Count()-1.
  const std::string& Item(int index) const;
  const std::vector<std::string>& Items() const { return items_; }
  // Returns where the item went.
  int Add(const std::string& item);
  void Delete(int index);
  void Clear();
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // Between these, changes to the items reach the native list only once, at the end, so
  // that filling a long list costs one update instead of one per item.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  TNotifyEvent OnClick;

 protected:
  platform::WidgetStyle Style() const override;
  void InitPeer(platform::Widget& peer) override;
  void userSelected(int index) override;

 private:
  void Mirror();

  bool sorted_ = false;
  int itemHeight_ = 0;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int updating_ = 0;
};

// Holds a list's changes back from its native list while it lives.
class TListUpdate {
 public:
  explicit TListUpdate(TListBox& list) : list_(list) { list_.BeginUpdate(); }
  ~TListUpdate() { list_.EndUpdate(); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

 private:
  TListBox& list_;
};

}  // namespace wumpex
