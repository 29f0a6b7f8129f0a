// The tray icon through the shell's own notification area: every call the shell accepts,
// the icon added again when the shell starts over.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "components/TrayIcon.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32NotificationArea.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

// The shell's own notification area, with every call and its answer kept.
class RecordingArea final : public NotificationArea {
 public:
  struct Call {
    std::uint32_t message;
    NotifyIconRecord record;
    bool succeeded;
  };
  bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    const bool succeeded = shell.notifyIcon(message, record);
    calls.push_back({message, record, succeeded});
    return succeeded;
  }
  std::unique_ptr<LoadedIcon> loadIcon(const std::string& name) override {
    return shell.loadIcon(name);
  }
  Point cursorPos() override { return shell.cursorPos(); }
  void setForegroundWindow(Handle window) override { shell.setForegroundWindow(window); }

  Win32NotificationArea shell;
  std::vector<Call> calls;
};

class NotificationAreaTest : public ::testing::Test {
 protected:
  Win32Desktop desktop;
  DesktopScope desktopScope{desktop};
  RecordingArea area;
  NotificationAreaScope areaScope{area};
  wumpex::TTrayIcon tray{nullptr, "TrayIcon1"};
};

TEST_F(NotificationAreaTest, ShellAddsChangesAddsAgainAfterRestartAndRemoves) {
  tray.SetIcon(wumpex::TIcon("MAINICON"));
  tray.SetToolTip("Wumpex!");
  tray.SetActive(true);
  tray.SetIcon(wumpex::TIcon("PROGRAMOFF"));
  // The shell forgets the icon, as when it starts over, then tells every top-level window.
  ASSERT_TRUE(area.shell.notifyIcon(NIM_DELETE, area.calls.back().record));
  ASSERT_TRUE(PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0));
  ASSERT_TRUE(testing::pumpUntil(desktop, [&] { return area.calls.size() == 3; }));
  tray.SetActive(false);

  std::vector<std::uint32_t> messages;
  for (const auto& call : area.calls) {
    messages.push_back(call.message);
    EXPECT_TRUE(call.succeeded) << "message " << call.message;
  }
  EXPECT_EQ(messages, (std::vector<std::uint32_t>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_DELETE}));
  EXPECT_TRUE(area.calls[2].record == area.calls[1].record);
}

}  // namespace
}  // namespace platform::win32
