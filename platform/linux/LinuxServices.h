#pragma once
// The Linux desktop with every seam service, installed for the lifetime of this object. Qt's
// application object comes first: every widget, the clipboard and the tray need it.

#include <QApplication>

#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxGlobalAtoms.h"
#include "platform/linux/LinuxMedia.h"
#include "platform/linux/LinuxProfile.h"
#include "platform/linux/LinuxSimpleSound.h"
#include "platform/linux/QtDesktop.h"
#include "platform/linux/QtFolderBrowser.h"
#include "platform/linux/QtNotificationArea.h"
#include "platform/linux/QtShell.h"
#include "platform/linux/X11WindowRaising.h"

namespace platform::linuxdesktop {

struct LinuxServices {
  // Qt keeps the arguments for the application's lifetime; the program reads none.
  int argumentCount = 1;
  char programName[7] = "wumpex";
  char* arguments[2] = {programName, nullptr};
  QApplication application{argumentCount, arguments};
  QtDesktop desktop;
  DesktopScope desktopScope{desktop};
  LinuxFileSystem files;
  FileSystemScope filesScope{files};
  QtNotificationArea notificationArea;
  NotificationAreaScope notificationScope{notificationArea};
  LinuxMedia media{QtHandles::post};
  MediaScope mediaScope{media};
  LinuxGlobalAtoms atoms;
  GlobalAtomsScope atomsScope{atoms};
  X11WindowRaising windowRaising;
  WindowRaisingScope windowRaisingScope{windowRaising};
  QtFolderBrowser folderBrowser;
  FolderBrowserScope folderBrowserScope{folderBrowser};
  LinuxProfile profile;
  ProfileScope profileScope{profile};
  QtShell shell;
  ShellScope shellScope{shell};
  LinuxSimpleSound simpleSound;
  SimpleSoundScope simpleSoundScope{simpleSound};
};

}  // namespace platform::linuxdesktop
