#pragma once

#include <windows.h>

#include <vector>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

// A shortcut menu. Each item's command identifier is its index plus one, hidden items
// included, so that a choice maps back to the program's index.
class Win32PopupMenu final : public PopupMenuPeer {
 public:
  Win32PopupMenu();
  void setItems(const std::vector<MenuItemState>& items) override;
  int track(Point at, Handle owner) override;

  HMENU menu() const { return menu_.get(); }

 private:
  UniqueMenu menu_;
};

}  // namespace platform::win32
