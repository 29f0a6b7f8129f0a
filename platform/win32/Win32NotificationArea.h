#pragma once
// The task bar's notification area on Windows, through the shell.

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

#include "platform/NotificationArea.h"

namespace platform::win32 {

// The system's record for the program's record, field by field.
NOTIFYICONDATAW toNotifyIconData(const NotifyIconRecord& record);

class Win32NotificationArea final : public NotificationArea {
 public:
  bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
  std::unique_ptr<LoadedIcon> loadIcon(const std::string& resourceName) override;
  Point cursorPos() override;
  void setForegroundWindow(Handle window) override;
};

}  // namespace platform::win32
