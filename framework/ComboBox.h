#pragma once

#include <vector>

#include "framework/Control.h"

namespace wumpex {

// A drop-down list with an edit field: the text may be any text, the selected item is
// separate from it.
class TComboBox : public TControl {
 public:
  TComboBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TComboBox"; }

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  // -1 when no item is selected.
  int ItemIndex() const { return itemIndex_; }
  // Selecting an item puts its text in the edit field; -1 (or an index outside the items)
  // selects nothing and clears the field, as the system's combo box does.
  void SetItemIndex(int index);
  const std::string& Text() const { return GetText(); }
  void SetText(const std::string& text) { SetTextValue(text); }

  // The user's selections and typing; changes made by the program raise nothing. A typed
  // text selects the item it names, letter case ignored, and otherwise none.
  TNotifyEvent OnChange;

 protected:
  void InitPeer(platform::Widget& peer) override;
  void userSelected(int index) override;
  void userEditedText(const std::string& text) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace wumpex
