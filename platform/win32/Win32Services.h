#pragma once
// The real desktop with every seam service, installed for the lifetime of this object.

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32NotificationArea.h"

namespace platform::win32 {

struct Win32Services {
  Win32Desktop desktop;
  DesktopScope desktopScope{desktop};
  Win32FileSystem files;
  FileSystemScope filesScope{files};
  Win32NotificationArea notificationArea;
  NotificationAreaScope notificationScope{notificationArea};
  Win32Media media;
  MediaScope mediaScope{media};
};

}  // namespace platform::win32
