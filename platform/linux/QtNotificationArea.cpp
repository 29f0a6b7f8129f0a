#include "platform/linux/QtNotificationArea.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <stdexcept>
#include <utility>

#include "platform/linux/QtCanvas.h"
#include "platform/linux/QtDesktop.h"

namespace platform::linuxdesktop {
namespace {

class QtIcon final : public LoadedIcon {
 public:
  explicit QtIcon(const QIcon& icon) : icon_(icon) {}
  IconHandle handle() const override { return reinterpret_cast<IconHandle>(&icon_); }

 private:
  QIcon icon_;
};

}  // namespace

void QtNotificationArea::apply(QSystemTrayIcon& icon, const NotifyIconRecord& record) {
  if ((record.flags & nif::kIcon) != 0 && record.icon != 0) {
    icon.setIcon(*reinterpret_cast<const QIcon*>(record.icon));
  }
  if ((record.flags & nif::kTip) != 0) icon.setToolTip(ToQt(record.tip.data()));
  // Qt shows no icon without a picture: one added before it has one shows once it has.
  if (!icon.isVisible() && !icon.icon().isNull()) icon.show();
}

bool QtNotificationArea::notifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  const auto key = std::make_pair(record.window, record.id);
  const auto it = icons_.find(key);
  switch (message) {
    case nim::kAdd: {
      if (it != icons_.end()) return false;
      if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        withoutTray(record);
        return false;
      }
      auto icon = std::make_unique<QSystemTrayIcon>();
      apply(*icon, record);
      if ((record.flags & nif::kMessage) != 0) {
        const Handle window = record.window;
        const std::uint32_t callback = record.callbackMessage;
        QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                         [window, callback](QSystemTrayIcon::ActivationReason reason) {
                           const unsigned mouse =
                               reason == QSystemTrayIcon::DoubleClick ? wm::kLeftButtonDoubleClick
                               : reason == QSystemTrayIcon::Context   ? wm::kRightButtonUp
                                                                      : wm::kLeftButtonUp;
                           QtHandles::post(window, callback, 0, mouse);
                         });
      }
      icons_[key] = std::move(icon);
      return true;
    }
    case nim::kModify:
      if (trayless_ && trayless_->window == record.window && trayless_->id == record.id) {
        trayless_ = record;
      }
      if (it == icons_.end()) return false;
      apply(*it->second, record);
      return true;
    case nim::kDelete:
      trayless_.reset();
      if (it == icons_.end()) return false;
      icons_.erase(it);
      return true;
    default:
      return false;
  }
}

// A program with no icon would have no way in: once the loop runs, the user hears why, once,
// under the tip the program has given by then, and the program gets the double click that
// opens its window.
void QtNotificationArea::withoutTray(const NotifyIconRecord& record) {
  trayless_ = record;
  QTimer::singleShot(0, [this] {
    if (!trayless_ || QtDesktop::QuitAsked()) return;
    const NotifyIconRecord last = *std::exchange(trayless_, std::nullopt);
    if (!toldNoTray_) {
      toldNoTray_ = true;
      QMessageBox box(
          QMessageBox::Information,
          last.tip[0] != '\0' ? ToQt(last.tip.data()) : QCoreApplication::applicationName(),
          "This desktop has no notification area, so the program's icon cannot be "
          "shown. Its settings window opens instead. To end the program, log out "
          "or end it from a terminal (pkill wumpex).",
          QMessageBox::Ok);
      box.exec();
    }
    if ((last.flags & nif::kMessage) != 0) {
      QtHandles::post(last.window, last.callbackMessage, 0, wm::kLeftButtonDoubleClick);
    }
  });
}

std::unique_ptr<LoadedIcon> QtNotificationArea::loadIcon(const std::string& resourceName) {
  if (!QFile::exists(ResourcePath(resourceName)))
    throw std::runtime_error("cannot load the icon " + resourceName);
  return std::make_unique<QtIcon>(ResourceIcon(resourceName));
}

Point QtNotificationArea::cursorPos() {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

void QtNotificationArea::setForegroundWindow(Handle window) {
  if (QWidget* widget = QtHandles::widget(window); widget != nullptr && widget->isVisible()) {
    widget->activateWindow();
  }
}

}  // namespace platform::linuxdesktop
