#pragma once
// The seam to the task bar's notification area: icons with a tool tip that report the
// mouse to a window of the program, the program's icon resources, and the cursor.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// An opaque icon identity; 0 is no icon.
using IconHandle = std::uintptr_t;

// What the notification area is told, with the values the system gives them.
namespace nim {
inline constexpr std::uint32_t kAdd = 0;
inline constexpr std::uint32_t kModify = 1;
inline constexpr std::uint32_t kDelete = 2;
}  // namespace nim

// Which fields of a record count.
namespace nif {
inline constexpr std::uint32_t kMessage = 1;
inline constexpr std::uint32_t kIcon = 2;
inline constexpr std::uint32_t kTip = 4;
}  // namespace nif

// The size the first form of the system's wide record declares: the fields below laid out
// as the system lays them out, which depends on the width of a pointer.
inline constexpr std::uint32_t kNotifyIconRecordV1Size = sizeof(void*) == 8 ? 168 : 152;
// The system's room for a tip, its zero included, in UTF-16 units.
inline constexpr std::size_t kTipUnits = 64;

// One icon of the notification area, known by its window and id, in the first form of the
// system's record.
struct NotifyIconRecord {
  std::uint32_t size = 0;  // the declared size, kNotifyIconRecordV1Size
  Handle window = 0;       // gets the mouse reports
  std::uint32_t id = 0;
  std::uint32_t flags = 0;            // nif
  std::uint32_t callbackMessage = 0;  // the message that carries the mouse reports
  IconHandle icon = 0;
  std::array<char, 3 * kTipUnits> tip{};  // UTF-8, zero-terminated, within kTipUnits
  bool operator==(const NotifyIconRecord&) const = default;
};

// An icon loaded from the program's resources; it is freed with this object.
class LoadedIcon {
 public:
  virtual ~LoadedIcon() = default;
  virtual IconHandle handle() const = 0;
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // Adds, changes or removes an icon (nim); true when the shell did it.
  virtual bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
  // A 32 by 32 icon from the program's resources; throws when there is none by that name.
  virtual std::unique_ptr<LoadedIcon> loadIcon(const std::string& resourceName) = 0;
  // The mouse cursor, in screen coordinates.
  virtual Point cursorPos() = 0;
  virtual void setForegroundWindow(Handle window) = 0;
};

using NotificationAreaScope = ServiceScope<NotificationArea>;
inline NotificationArea& notificationArea() {
  return ServiceScope<NotificationArea>::get();
}

}  // namespace platform
