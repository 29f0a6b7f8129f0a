// The real desktop's timers, message loops, window walk, menus and clock.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32TimerWindow.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

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
  RecordingTimer timer_;
  std::unique_ptr<TimerWindow> timers_ = desktop_.createTimerWindow(timer_);
};

TEST_F(DesktopTest, OnlyLiveTimersFireWithTheirIdsUntilAHandlerQuitsTheLoop) {
  ASSERT_TRUE(timers_->setTimer(3, 10));
  ASSERT_TRUE(timers_->setTimer(7, 10));
  timers_->killTimer(7);
  ASSERT_TRUE(testing::pumpUntil(desktop_, [&] { return timer_.count(3) >= 3; }));
  EXPECT_EQ(timer_.count(7), 0);

  // A killed id starts again; the other one, once killed, stays quiet.
  timers_->killTimer(3);
  desktop_.processMessages();
  timer_.fired.clear();
  timer_.onFired = [&](unsigned) {
    if (timer_.fired.size() == 3) desktop_.postQuit(42);
  };
  ASSERT_TRUE(timers_->setTimer(7, 10));
  EXPECT_EQ(desktop_.runMessageLoop(), 42);
  EXPECT_EQ(timer_.fired, (std::vector<unsigned>{7, 7, 7}));
}

// Handling what waits must not swallow a quit: the loop after it ends with the quit's code,
// not with the one a timer posts a second later.
TEST_F(DesktopTest, ProcessMessagesHandlesWaitingMessagesAndKeepsTheQuit) {
  auto form = make(WidgetKind::Form, nullptr);
  timer_.onFired = [&](unsigned) { desktop_.postQuit(-1); };
  for (const int exitCode : {0, 255}) {
    SCOPED_TRACE(exitCode);
    events_.log.clear();
    PostMessageA(toWindow(form->handle()), WM_CLOSE, 0, 0);
    desktop_.postQuit(exitCode);
    desktop_.processMessages();
    EXPECT_EQ(events_.log, std::vector<std::string>{"close"});
    ASSERT_TRUE(timers_->setTimer(1, 1000));
    EXPECT_EQ(desktop_.runMessageLoop(), exitCode);
    timers_->killTimer(1);
  }
}

TEST_F(DesktopTest, TheWalkListsTopLevelWindowsOnlyAndCancelModeEndsTheCapture) {
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
  EXPECT_FALSE(listed(toHandle(static_cast<Win32TimerWindow&>(*timers_).window())));

  form->setBounds({0, 0, 200, 100});
  form->show(true);
  SetCapture(toWindow(form->handle()));
  EXPECT_EQ(desktop_.captureWindow(), form->handle());
  desktop_.cancelMode(form->handle());
  EXPECT_EQ(desktop_.captureWindow(), Handle{0});
}

// Called directly, as the system would call them: the system may not unwind C++ frames.
TEST_F(DesktopTest, ExceptionsStopAtTheWindowProcedure) {
  const auto call = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    return procedure(window, message, wParam, lParam);
  };
  class Throwing final : public WidgetEvents {
   public:
    void userClicked() override { throw std::runtime_error("handler failed"); }
    void closeRequested() override { throw std::runtime_error("handler failed"); }
  } throwing;
  auto form = desktop_.createWidget(WidgetKind::Form, nullptr, {}, throwing);
  auto button = desktop_.createWidget(WidgetKind::Button, form.get(), {}, throwing);
  HWND formWindow = toWindow(form->handle());
  EXPECT_NO_THROW(call(formWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                       static_cast<LPARAM>(button->handle())));
  EXPECT_NO_THROW(call(formWindow, WM_CLOSE, 0, 0));
  EXPECT_TRUE(IsWindow(formWindow)) << "a failed close request leaves the window in place";

  timer_.onFired = [](unsigned) { throw std::runtime_error("timer failed"); };
  EXPECT_NO_THROW(call(static_cast<Win32TimerWindow&>(*timers_).window(), WM_TIMER, 5, 0));
  EXPECT_EQ(timer_.fired, std::vector<unsigned>{5});
}

// Keys waiting in the queue when the menu starts, as if typed while it shows: the index is
// the item's among all, hidden ones included.
TEST_F(DesktopTest, ATrackedMenuReturnsTheChosenItemsIndexOrMinusOne) {
  const struct {
    const char* name;
    std::vector<WPARAM> keys;
    int expected;
  } cases[] = {
      {"second visible item", {VK_DOWN, VK_DOWN, VK_RETURN}, 2},
      {"first visible item", {VK_DOWN, VK_RETURN}, 1},
      {"dismissed", {VK_ESCAPE}, -1},
  };
  auto owner = make(WidgetKind::ApplicationWindow, nullptr);
  auto menu = desktop_.createPopupMenu();
  menu->setItems({{.caption = "Hidden", .visible = false}, {.caption = "One"}, {.caption = "Two"}});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (WPARAM key : c.keys) {
      PostMessageA(toWindow(owner->handle()), WM_KEYDOWN, key, 1);
      PostMessageA(toWindow(owner->handle()), WM_KEYUP, key, 1);
    }
    EXPECT_EQ(menu->track({100, 100}, owner->handle()), c.expected);
    desktop_.processMessages();
  }
}

// Run in a time zone far from UTC, where local time cannot pass for UTC.
TEST_F(DesktopTest, UtcTimeOfDayMatchesTheClock) {
  const TimeOfDay time = desktop_.utcTimeOfDay();
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
