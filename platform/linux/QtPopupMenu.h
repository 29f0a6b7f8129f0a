#pragma once
// A pop-up menu on Qt: its items rebuilt from the program's list, shown where the program
// says, the chosen item's index returned.

#include <QMenu>

#include <memory>
#include <vector>

#include "platform/Desktop.h"

namespace platform::linuxdesktop {

class QtPopupMenu final : public PopupMenuPeer {
 public:
  void setItems(const std::vector<MenuItemState>& items) override;
  int track(Point at, Handle owner) override;

 private:
  std::unique_ptr<QMenu> menu_ = std::make_unique<QMenu>();
};

}  // namespace platform::linuxdesktop
