#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32PopupMenu.h"
#include "platform/win32/Win32TimerWindow.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using namespace std::chrono_literals;
using testing::pumpFor;
using testing::pumpUntil;
using testing::RecordingEvents;

class RecordingTimer final : public TimerEvents {
 public:
  void timerFired(unsigned id) override {
    fired.push_back(id);
    if (onFired) onFired(id);
  }
  long count(unsigned id) const { return std::count(fired.begin(), fired.end(), id); }

  std::vector<unsigned> fired;
  std::function<void(unsigned)> onFired;
};

class DesktopTest : public ::testing::Test {
 protected:
  std::unique_ptr<Widget> make(WidgetKind kind, Widget* parent) {
    return desktop_.createWidget(kind, parent, {}, events_);
  }

  Win32Desktop desktop_;
  RecordingEvents events_;
};

TEST_F(DesktopTest, OnlyLiveTimersFireWithTheirIdsUntilAHandlerQuitsTheLoop) {
  RecordingTimer timer;
  auto timers = desktop_.createTimerWindow(timer);
  ASSERT_TRUE(timers->setTimer(3, 10));
  ASSERT_TRUE(timers->setTimer(7, 10));
  timers->killTimer(7);

  ASSERT_TRUE(pumpUntil(desktop_, [&] { return timer.count(3) >= 3; }));
  EXPECT_EQ(timer.count(7), 0);

  // A killed id starts again; the other one, once killed, stays quiet.
  timers->killTimer(3);
  desktop_.processMessages();
  timer.fired.clear();
  timer.onFired = [&](unsigned) {
    if (timer.fired.size() == 3) desktop_.postQuit(42);
  };
  ASSERT_TRUE(timers->setTimer(7, 10));
  EXPECT_EQ(desktop_.runMessageLoop(), 42);
  EXPECT_EQ(timer.fired, (std::vector<unsigned>{7, 7, 7}));
}

TEST_F(DesktopTest, WindowStatesRoundTripAndOnlyTopLevelWindowsAreListed) {
  RecordingTimer timer;
  auto timers = desktop_.createTimerWindow(timer);
  auto application = make(WidgetKind::ApplicationWindow, nullptr);
  auto form = make(WidgetKind::Form, nullptr);
  auto button = make(WidgetKind::Button, form.get());
  const std::vector<Handle> windows = desktop_.threadWindows();
  const auto listed = [&](Handle window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
  };
  EXPECT_TRUE(listed(application->handle()));
  EXPECT_TRUE(listed(form->handle()));
  EXPECT_FALSE(listed(button->handle()));
  EXPECT_FALSE(listed(toHandle(static_cast<Win32TimerWindow&>(*timers).window())));

  form->setBounds({0, 0, 200, 100});
  form->show(true);
  const Handle window = form->handle();
  EXPECT_EQ(desktop_.activeWindow(), window);
  for (const bool enable : {false, true}) {
    desktop_.enableWindow(window, enable);
    EXPECT_EQ(desktop_.isWindowEnabled(window), enable);
    EXPECT_EQ(IsWindowEnabled(toWindow(window)) != FALSE, enable);
  }

  SetCapture(toWindow(window));
  EXPECT_EQ(desktop_.captureWindow(), window);
  desktop_.cancelMode(window);
  EXPECT_EQ(desktop_.captureWindow(), Handle{0});

  EXPECT_TRUE(desktop_.isWindowVisible(window));
  desktop_.hideWindow(window);
  EXPECT_FALSE(desktop_.isWindowVisible(window));
  EXPECT_FALSE(IsWindowVisible(toWindow(window)));
}

TEST_F(DesktopTest, ProcessMessagesHandlesWaitingMessagesAndKeepsTheQuit) {
  auto form = make(WidgetKind::Form, nullptr);
  for (const int exitCode : {0, 3, 255}) {
    SCOPED_TRACE(exitCode);
    events_.log.clear();
    PostMessageA(toWindow(form->handle()), WM_CLOSE, 0, 0);
    desktop_.postQuit(exitCode);
    desktop_.processMessages();
    EXPECT_EQ(events_.log, std::vector<std::string>{"close"});
    // Should the quit be lost, this one ends the loop with another code.
    RecordingTimer timer;
    timer.onFired = [&](unsigned) { desktop_.postQuit(-1); };
    auto timers = desktop_.createTimerWindow(timer);
    ASSERT_TRUE(timers->setTimer(1, 1000));
    EXPECT_EQ(desktop_.runMessageLoop(), exitCode);
  }
}

// Called directly, as the system would call them: the system may not unwind C++ frames.
LRESULT callWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  return procedure(window, message, wParam, lParam);
}

TEST_F(DesktopTest, ExceptionsStopAtTheWindowProcedure) {
  class Throwing final : public WidgetEvents {
   public:
    void userClicked() override { throw std::runtime_error("handler failed"); }
    void closeRequested() override { throw std::runtime_error("handler failed"); }
  } throwing;
  auto form = desktop_.createWidget(WidgetKind::Form, nullptr, {}, throwing);
  auto button = desktop_.createWidget(WidgetKind::Button, form.get(), {}, throwing);
  HWND formWindow = toWindow(form->handle());

  EXPECT_NO_THROW(callWindowProcedure(formWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                                      static_cast<LPARAM>(button->handle())));
  EXPECT_NO_THROW(callWindowProcedure(formWindow, WM_CLOSE, 0, 0));
  // A failed close request still leaves the window in place.
  EXPECT_TRUE(IsWindow(formWindow));

  RecordingTimer timer;
  timer.onFired = [](unsigned) { throw std::runtime_error("timer failed"); };
  auto timers = desktop_.createTimerWindow(timer);
  EXPECT_NO_THROW(
      callWindowProcedure(static_cast<Win32TimerWindow&>(*timers).window(), WM_TIMER, 5, 0));
  EXPECT_EQ(timer.fired, std::vector<unsigned>{5});
}

BOOL CALLBACK findDialogBox(HWND window, LPARAM found) {
  if (testing::className(window) != "#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

TEST_F(DesktopTest, MessageBoxShowsTextAndCaptionOverItsOwner) {
  auto application = make(WidgetKind::ApplicationWindow, nullptr);
  HWND owner = toWindow(application->handle());
  std::vector<std::string> seen;  // the caption, the owner and its state, the box's texts
  RecordingTimer timer;
  // Fires inside the box's own message loop: looks at the box, then answers it.
  timer.onFired = [&](unsigned) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialogBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    seen = {testing::windowText(box), GetWindow(box, GW_OWNER) == owner ? "owner" : "other",
            IsWindowEnabled(owner) ? "enabled" : "disabled"};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      seen.push_back(testing::windowText(child));
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  };
  auto timers = desktop_.createTimerWindow(timer);
  ASSERT_TRUE(timers->setTimer(1, 20));

  EXPECT_EQ(desktop_.messageBox(application->handle(), "Something went wrong.", "Wumpex!",
                                mb::kOk | mb::kIconError),
            mb::kIdOk);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(std::vector(seen.begin(), seen.begin() + 3),
            (std::vector<std::string>{"Wumpex!", "owner", "disabled"}));
  EXPECT_NE(std::find(seen.begin(), seen.end(), "Something went wrong."), seen.end());
}

struct MenuItem {
  UINT id;
  UINT type;
  UINT state;  // of default, checked and disabled only
  std::string text;
  bool operator==(const MenuItem&) const = default;
};

void PrintTo(const MenuItem& item, std::ostream* out) {
  *out << item.id << " type " << item.type << " state " << item.state << " " << item.text;
}

std::vector<MenuItem> menuItems(HMENU menu) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back(
        {info.wID, info.fType, info.fState & (MFS_DEFAULT | MFS_CHECKED | MFS_DISABLED), text});
  }
  return items;
}

TEST(PopupMenuTest, ItemsCarryTheirStatesAndLeaveHiddenOnesOut) {
  Win32Desktop desktop;
  auto peer = desktop.createPopupMenu();
  const HMENU menu = static_cast<Win32PopupMenu&>(*peer).menu();
  peer->setItems({{.caption = "Open", .isDefault = true},
                  {.caption = "-"},
                  {.caption = "Hidden", .visible = false},
                  {.caption = "Fast", .radio = true, .checked = true},
                  {.caption = "Slow", .radio = true},
                  {.caption = "Sound", .checked = true},
                  {.caption = "Off", .enabled = false}});
  EXPECT_EQ(menuItems(menu), (std::vector<MenuItem>{
                                 {1, MFT_STRING, MFS_DEFAULT, "Open"},
                                 {2, MFT_SEPARATOR, 0, ""},
                                 {4, MFT_STRING | MFT_RADIOCHECK, MFS_CHECKED, "Fast"},
                                 {5, MFT_STRING | MFT_RADIOCHECK, 0, "Slow"},
                                 {6, MFT_STRING, MFS_CHECKED, "Sound"},
                                 {7, MFT_STRING, MFS_DISABLED, "Off"},
                             }));

  peer->setItems({{.caption = "Exit"}});
  EXPECT_EQ(menuItems(menu), (std::vector<MenuItem>{{1, MFT_STRING, 0, "Exit"}}));
}

TEST(PopupMenuTest, TrackReturnsTheChosenItemsIndexOrMinusOne) {
  struct Case {
    const char* name;
    std::vector<WPARAM> keys;
    int expected;
  };
  const Case cases[] = {
      {"second visible item", {VK_DOWN, VK_DOWN, VK_RETURN}, 2},
      {"first visible item", {VK_DOWN, VK_RETURN}, 1},
      {"dismissed", {VK_ESCAPE}, -1},
  };
  Win32Desktop desktop;
  RecordingEvents events;
  auto owner = desktop.createWidget(WidgetKind::ApplicationWindow, nullptr, {}, events);
  auto peer = desktop.createPopupMenu();
  peer->setItems({{.caption = "Hidden", .visible = false}, {.caption = "One"}, {.caption = "Two"}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Waiting in the queue when the menu starts, as if typed while it shows.
    for (WPARAM key : c.keys) {
      PostMessageA(toWindow(owner->handle()), WM_KEYDOWN, key, 1);
      PostMessageA(toWindow(owner->handle()), WM_KEYUP, key, 1);
    }
    EXPECT_EQ(peer->track({100, 100}, owner->handle()), c.expected);
    desktop.processMessages();
  }
}

TEST(SystemTest, ModuleFileNameIsThisProgram) {
  Win32Desktop desktop;
  const std::string path = desktop.moduleFileName();
  const std::string name = "win32_platform_tests.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(lstrcmpiA(path.substr(path.size() - name.size()).c_str(), name.c_str()), 0);
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SystemTest, UtcTimeOfDayMatchesTheClock) {
  Win32Desktop desktop;
  const TimeOfDay time = desktop.utcTimeOfDay();
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const long long clockMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 86'400'000;
  const long long desktopMs =
      ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond;
  const long long difference = std::llabs(clockMs - desktopMs);
  EXPECT_LT(std::min(difference, 86'400'000 - difference), 2000);
}

}  // namespace
}  // namespace platform::win32
