#pragma once
// The controls that offer a list of items to choose from: list boxes and drop-down combo
// boxes. Both keep their items and selection through the same steps, each with the
// messages of its own class.

#include <string>
#include <vector>

#include "platform/win32/Win32Widget.h"

namespace platform::win32 {

// The messages by which one class of list is filled and its selection kept.
struct ItemListMessages {
  UINT reset;
  UINT insert;
  UINT getSelection;
  UINT setSelection;
  WORD selectionChanged;  // the notification code
};

class Win32ItemListWidget : public Win32Widget {
 public:
  void setItems(const std::vector<std::string>& items) override;
  void setItemIndex(int index) override;

 protected:
  Win32ItemListWidget(HWND window, Win32Widget* parent, WidgetEvents& events,
                      const ItemListMessages& messages);
  void command(WORD code) override;
  // Replaces the control's items, each at its own index.
  virtual void refill(const std::vector<std::string>& items);

 private:
  const ItemListMessages& messages_;
  std::vector<std::string> items_;
};

class Win32ListBoxWidget final : public Win32ItemListWidget {
 public:
  Win32ListBoxWidget(Win32Widget* parent, const WidgetStyle& style, WidgetEvents& events);

 private:
  // A new font resets the item height to the font's.
  void fontApplied() override { applyItemHeight(); }
  void applyItemHeight();

  int itemHeight_;  // 0 leaves the font's
};

class Win32ComboBoxWidget final : public Win32ItemListWidget {
 public:
  Win32ComboBoxWidget(Win32Widget* parent, WidgetEvents& events);

 private:
  void command(WORD code) override;
  void refill(const std::vector<std::string>& items) override;
  void applyBounds() override;
  // The closed control's height follows the font.
  void fontApplied() override { applyBounds(); }
};

}  // namespace platform::win32
