#pragma once
// The in-memory desktop with every seam service installed, drive C: over a real temporary
// folder, as the tests and the fuzz targets use it.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Random.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessFaults.h"
#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessFolderBrowser.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/headless/HeadlessMedia.h"
#include "platform/headless/HeadlessNotificationArea.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/headless/HeadlessShell.h"
#include "platform/headless/HeadlessSimpleSound.h"
#include "platform/headless/HeadlessWindowRaising.h"
#include "platform/win32/Utf16.h"

namespace wumpex {

// A real folder of the test's own, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int n = 0;; ++n) {
      path_ = std::filesystem::temp_directory_path() /
              ("wumpex-test-" + std::to_string(stamp) + "-" + std::to_string(n));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A settings file's text as the in-memory system reads it: UTF-16 after a byte-order mark,
// else in its code page, ISO 8859-1.
inline std::string FileText(const std::string& bytes) {
  std::wstring units;
  if (bytes.starts_with("\xFF\xFE")) {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
  } else {
    for (const char c : bytes) units += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return platform::win32::Utf8(units);
}

// A text as a UTF-16 settings file holds it.
inline std::string Utf16File(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t unit : platform::win32::Wide(text)) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8 & 0xFF);
  }
  return bytes;
}

// The settings file of a user who chose the folder C:\Sounds and saved once.
inline constexpr const char* kSettledSettings =
    "[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\nRandomTime=10\r\nRandomTimeType=0\r\n"
    "VariableTime=5\r\nVariableTimeType=0\r\nNumBeQuietItems=0\r\n";

// The in-memory desktop with every seam service installed, drive C: over a temporary folder,
// and a settled user: the settings file names the empty folder C:\Sounds.
struct HeadlessServices {
  HeadlessServices() {
    std::filesystem::create_directory(driveC.path() / "Sounds");
    WriteSettings(kSettledSettings);
  }
  std::filesystem::path SettingsPath() const { return driveC.path() / "windows" / "WUMPEX.INI"; }
  void WriteSettings(const std::string& content) const {
    std::ofstream(SettingsPath(), std::ios::binary) << content;
  }
  // The control's window as the desktop holds it.
  const platform::headless::HeadlessWidget& Window(const TControl* control) const {
    return *desktop.widget(control->Peer()->handle());
  }
  // The control's window as the user works it.
  platform::WidgetEvents& User(const TControl* control) const { return Window(control).events(); }

  // Which calls of the services below the system refuses: none until a test says.
  platform::headless::HeadlessFaults faults;
  platform::headless::HeadlessDesktop desktop;
  platform::DesktopScope scope{desktop};
  TempFolder driveC;
  platform::headless::HeadlessFileSystem files = [this] {
    platform::headless::HeadlessFileSystem made;
    made.mapRoot("C:", driveC.path());
    return made;
  }();
  platform::FileSystemScope filesScope{files};
  platform::headless::HeadlessNotificationArea notificationArea;
  platform::NotificationAreaScope notificationScope{notificationArea};
  platform::headless::HeadlessMedia media{desktop, &files};
  platform::MediaScope mediaScope{media};
  platform::headless::HeadlessGlobalAtoms atoms;
  platform::GlobalAtomsScope atomsScope{atoms};
  platform::headless::HeadlessWindowRaising windowRaising;
  platform::WindowRaisingScope windowRaisingScope{windowRaising};
  platform::headless::HeadlessFolderBrowser folderBrowser;
  platform::FolderBrowserScope folderBrowserScope{folderBrowser};
  platform::headless::HeadlessProfile profile{driveC.path()};
  platform::ProfileScope profileScope{profile};
  platform::headless::HeadlessShell shellAndClipboard;
  platform::ShellScope shellAndClipboardScope{shellAndClipboard};
  platform::headless::HeadlessSimpleSound simpleSound{desktop};
  platform::SimpleSoundScope simpleSoundScope{simpleSound};
};

// The program's application object on those services, titled as the program titles it, with
// the random sequence at its start.
struct Program : HeadlessServices {
  Program() {
    SetRandSeed(0);
    application.SetTitle(kProgramTitle);
  }
  TApplication application;
};

}  // namespace wumpex
