#pragma once

#include <memory>
#include <vector>

#include "framework/Component.h"
#include "platform/Desktop.h"

namespace wumpex {

class TPopupMenu;

class TMenuItem : public TComponent {
 public:
  TMenuItem(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TMenuItem"; }

  // "-" makes the item a separator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  // The default item is drawn bold.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { default_ = isDefault; }
  bool RadioItem() const { return radio_; }
  void SetRadioItem(bool radio) { radio_ = radio; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int group) { groupIndex_ = group; }
  bool Checked() const { return checked_; }
  // Checking a radio item clears the other radio items of its group.
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  TPopupMenu* Menu() const { return menu_; }
  void Click() { Fire(OnClick, this); }
  // The items of the submenu that this item opens; none makes it a plain item. Their radio
  // marks are their own: they clear no other item.
  void Add(TMenuItem* item) { items_.push_back(item); }
  const std::vector<TMenuItem*>& Items() const { return items_; }

  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  TPopupMenu* menu_ = nullptr;
  std::string caption_;
  bool default_ = false;
  bool radio_ = false;
  int groupIndex_ = 0;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  TPopupMenu(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TPopupMenu"; }

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }
  // Shows the menu at a screen point and runs the chosen item's OnClick.
  void Popup(platform::Point at, platform::Handle owner);

 private:
  std::vector<TMenuItem*> items_;
  std::unique_ptr<platform::PopupMenuPeer> peer_;
};

}  // namespace wumpex
