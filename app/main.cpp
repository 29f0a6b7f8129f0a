// The program's entry on Windows: the real desktop and its services, then the program's
// life on them. Linked for the GUI subsystem, so no console window appears.

#include "app/Program.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32NotificationArea.h"

int main() {
  platform::win32::Win32Desktop desktop;
  platform::DesktopScope desktopScope(desktop);
  platform::win32::Win32FileSystem files;
  platform::FileSystemScope filesScope(files);
  platform::win32::Win32NotificationArea notificationArea;
  platform::NotificationAreaScope notificationScope(notificationArea);
  platform::win32::Win32Media media;
  platform::MediaScope mediaScope(media);
  return wumpex::RunWumpex();
}
