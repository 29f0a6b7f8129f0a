#pragma once
// The in-memory desktop with every seam service installed, and a test fixture with the
// application object on it, as the program's entry makes them.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
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

// The whole content of a file, or "<none>" if it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

// A silent 8 kHz 8-bit mono wave file of the given length.
inline void WriteSilentWave(const std::filesystem::path& path, std::uint32_t milliseconds) {
  const std::uint32_t samples = milliseconds * 8;
  std::ofstream out(path, std::ios::binary);
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  out << "RIFF";
  put(36 + samples, 4);
  out << "WAVEfmt ";
  for (auto [value, bytes] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {8000u, 4}, {8000u, 4}, {1u, 2}, {8u, 2}}) {
    put(value, bytes);
  }
  out << "data";
  put(samples, 4);
  out << std::string(samples, '\x80');
}

// The message of the E that `action` raises; a note instead when it raises none.
template <class E = Exception, class Action>
std::string RaisedMessage(Action&& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "<nothing raised>";
}

// The commands of one kind that the media device was sent, in order.
inline std::vector<platform::headless::HeadlessMedia::Command> CommandsSent(
    const platform::headless::HeadlessMedia& media, std::uint32_t message) {
  std::vector<platform::headless::HeadlessMedia::Command> found;
  for (const auto& c : media.commands) {
    if (c.message == message) found.push_back(c);
  }
  return found;
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
  // The control's window as the user works it.
  platform::WidgetEvents& User(const TControl* control) const {
    return desktop.widget(control->Peer()->handle())->events();
  }

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

class DesktopTest : public ::testing::Test, protected HeadlessServices {
 protected:
  DesktopTest() { SetRandSeed(0); }

  TApplication application;
};

}  // namespace wumpex
