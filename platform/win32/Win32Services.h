#pragma once
// The real desktop with every seam service, installed for the lifetime of this object.

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderBrowser.h"
#include "platform/win32/Win32GlobalAtoms.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32NotificationArea.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SimpleSound.h"
#include "platform/win32/Win32WindowRaising.h"

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
  Win32GlobalAtoms atoms;
  GlobalAtomsScope atomsScope{atoms};
  Win32WindowRaising windowRaising;
  WindowRaisingScope windowRaisingScope{windowRaising};
  Win32FolderBrowser folderBrowser;
  FolderBrowserScope folderBrowserScope{folderBrowser};
  Win32Profile profile;
  ProfileScope profileScope{profile};
  Win32Shell shell;
  ShellScope shellScope{shell};
  Win32SimpleSound simpleSound;
  SimpleSoundScope simpleSoundScope{simpleSound};
};

}  // namespace platform::win32
