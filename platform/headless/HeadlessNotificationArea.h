#pragma once
// An in-memory notification area for tests: it records every call and keeps the icons it
// shows as the shell does, hands out fake handles for named icons, and has a cursor that
// tests put where they like.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/NotificationArea.h"

namespace platform::headless {

struct NotifyIconCall {
  std::uint32_t message = 0;
  NotifyIconRecord record;
  bool succeeded = false;
};

class HeadlessNotificationArea : public NotificationArea {
 public:
  HeadlessNotificationArea() = default;
  HeadlessNotificationArea(const HeadlessNotificationArea&) = delete;
  HeadlessNotificationArea& operator=(const HeadlessNotificationArea&) = delete;

  // Adding an icon that is shown fails, as does changing or removing one that is not.
  bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
  std::unique_ptr<LoadedIcon> loadIcon(const std::string& resourceName) override;
  Point cursorPos() override { return cursor_; }
  void setForegroundWindow(Handle window) override { foregroundWindows.push_back(window); }

  void setCursorPos(Point at) { cursor_ = at; }
  // The shell starting over: every icon disappears.
  void restartShell() { shown_.clear(); }
  // The record an icon shows, or nothing when it is not shown.
  const NotifyIconRecord* shown(Handle window, std::uint32_t id) const;
  // The resource a loaded icon came from; empty for a handle that is not loaded (any more).
  std::string iconName(IconHandle icon) const;
  std::size_t loadedIcons() const { return loaded_.size(); }

  std::vector<NotifyIconCall> calls;
  std::vector<Handle> foregroundWindows;

 private:
  friend class HeadlessIcon;
  Point cursor_;
  std::map<std::pair<Handle, std::uint32_t>, NotifyIconRecord> shown_;
  std::map<IconHandle, std::string> loaded_;
  IconHandle nextIcon_ = 0x5000;
};

}  // namespace platform::headless
