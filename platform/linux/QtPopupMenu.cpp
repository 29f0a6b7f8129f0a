#include "platform/linux/QtPopupMenu.h"

#include <QActionGroup>

#include "platform/linux/QtCanvas.h"

namespace platform::linuxdesktop {

// A submenu belongs to its menu, and goes with it.
void QtPopupMenu::setItems(const std::vector<MenuItemState>& items) {
  menu_ = std::make_unique<QMenu>();
  // The menu that takes each level's items; the items under a hidden one find none.
  std::vector<QMenu*> levels{menu_.get()};
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItemState& item = items[i];
    const auto level = static_cast<std::size_t>(item.level);
    if (level >= levels.size()) continue;
    levels.resize(level + 1);
    if (!item.visible) continue;
    QMenu* into = levels.back();
    if (item.caption == "-") {
      into->addSeparator();
      continue;
    }
    const bool opensSubmenu = i + 1 < items.size() && items[i + 1].level > item.level;
    QAction* action = nullptr;
    if (opensSubmenu) {
      QMenu* submenu = into->addMenu(ToQt(item.caption));
      action = submenu->menuAction();
      levels.push_back(submenu);
    } else {
      action = into->addAction(ToQt(item.caption));
      action->setData(static_cast<int>(i));
    }
    action->setEnabled(item.enabled);
    if (item.checked || item.radio) {
      action->setCheckable(true);
      action->setChecked(item.checked);
    }
    if (item.radio) {
      // A group of its own draws the item as a radio item.
      auto* group = new QActionGroup(action);
      group->addAction(action);
    }
    if (item.isDefault) {
      QFont bold = action->font();
      bold.setBold(true);
      action->setFont(bold);
    }
  }
}

int QtPopupMenu::track(Point at, Handle /*owner*/) {
  const QAction* chosen = menu_->exec(QPoint(at.x, at.y));
  return chosen != nullptr && chosen->data().isValid() ? chosen->data().toInt() : -1;
}

}  // namespace platform::linuxdesktop
