#include "platform/win32/Win32NotificationArea.h"

#include <algorithm>
#include <system_error>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {
namespace {

class Win32Icon final : public LoadedIcon {
 public:
  explicit Win32Icon(UniqueIcon icon) : icon_(std::move(icon)) {}
  IconHandle handle() const override { return reinterpret_cast<IconHandle>(icon_.get()); }

 private:
  UniqueIcon icon_;
};

}  // namespace

NOTIFYICONDATAW toNotifyIconData(const NotifyIconRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = record.size;
  data.hWnd = toWindow(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  const std::wstring tip = Wide(record.tip.data());
  std::copy_n(tip.begin(), CutBetweenCharacters(tip, kTipUnits - 1), data.szTip);
  return data;
}

bool Win32NotificationArea::notifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  NOTIFYICONDATAW data = toNotifyIconData(record);
  return Shell_NotifyIconW(message, &data) != FALSE;
}

std::unique_ptr<LoadedIcon> Win32NotificationArea::loadIcon(const std::string& resourceName) {
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), Wide(resourceName).c_str(), IMAGE_ICON, 32, 32, 0)));
  if (!icon) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "cannot load the icon " + resourceName);
  }
  return std::make_unique<Win32Icon>(std::move(icon));
}

Point Win32NotificationArea::cursorPos() {
  POINT at{};
  GetCursorPos(&at);
  return {at.x, at.y};
}

void Win32NotificationArea::setForegroundWindow(Handle window) {
  SetForegroundWindow(toWindow(window));
}

}  // namespace platform::win32
