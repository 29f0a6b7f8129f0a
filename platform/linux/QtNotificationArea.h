#pragma once
// The notification area on Qt: one tray icon for each of the program's records, shown by
// the desktop's tray host (a StatusNotifierItem host, or an XEmbed tray), with the mouse
// reported to the record's window as the system reports it. Without a tray host at the time
// an icon is added, the user is told so once and the program opens its window instead.

#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/NotificationArea.h"

namespace platform::linuxdesktop {

class QtNotificationArea final : public NotificationArea {
 public:
  bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
  std::unique_ptr<LoadedIcon> loadIcon(const std::string& resourceName) override;
  Point cursorPos() override;
  void setForegroundWindow(Handle window) override;

 private:
  void apply(QSystemTrayIcon& icon, const NotifyIconRecord& record);
  void withoutTray(const NotifyIconRecord& record);
  bool toldNoTray_ = false;
  // The record of an icon that found no tray, as the program last changed it.
  std::optional<NotifyIconRecord> trayless_;
  std::map<std::pair<Handle, std::uint32_t>, std::unique_ptr<QSystemTrayIcon>> icons_;
};

}  // namespace platform::linuxdesktop
