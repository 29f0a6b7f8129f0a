#include <gtest/gtest.h>

#include <functional>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

constexpr std::intptr_t kLeftDoubleClick = 0x203;

class TrayHandlersTest : public DesktopTest {
 protected:
  // The picture the notification area shows for the program's icon.
  std::string TrayPicture() const {
    const auto* record = notificationArea.shown(form->TrayIcon1->WindowHandle(), 0);
    return record != nullptr ? notificationArea.iconName(record->icon) : std::string();
  }
  void UserDoubleClicksTheTrayIcon() {
    desktop.postMessage(form->TrayIcon1->WindowHandle(), TTrayIcon::kCallbackMessage, 0,
                        kLeftDoubleClick);
    desktop.processMessages();
  }

  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(TrayHandlersTest, DoubleClickStopsTheTimerAndShowsTheWindowWithApplyOff) {
  desktop.processMessages();
  EXPECT_EQ(TrayPicture(), "MAINICON");
  form->RandomTimeEB->SetText("20");  // a change before the window shows does not count
  UserDoubleClicksTheTrayIcon();
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(desktop.nextEventIn().has_value());
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(desktop.widget(form->Peer()->handle())->visible());
  EXPECT_FALSE(form->ApplyBtn->Enabled());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);

  // Opened again while open, it only comes to the front: where the user moved it, with the
  // changes made meanwhile.
  User(form->RandomTimeEB).userEditedText("30");
  UserDoubleClicksTheTrayIcon();
  EXPECT_EQ(desktop.widget(form->Peer()->handle())->timesCentred(), 1);
  EXPECT_TRUE(form->ApplyBtn->Enabled());
}

TEST_F(TrayHandlersTest, MuteByMenuAndByBox) {
  const std::function<void()> muteByMenu = [&] { form->Disable1->Click(); };
  const std::function<void()> unmuteByMenu = [&] { form->Enable1->Click(); };
  const struct {
    const char* what;
    std::function<void()> act;
    bool boxTicked;
    bool muteOffMark;
    bool muteOnMark;
    const char* picture;
  } steps[] = {
      {"menu: mute on", muteByMenu, true, false, true, "PROGRAMOFF"},
      {"menu: mute on again", muteByMenu, true, false, true, "PROGRAMOFF"},
      {"menu: mute off", unmuteByMenu, false, true, false, "MAINICON"},
      {"box ticked: the marks stay", [&] { form->WumpexDisabledCB->SetChecked(true); }, true, true,
       false, "PROGRAMOFF"},
      {"box cleared", [&] { form->WumpexDisabledCB->SetChecked(false); }, false, true, false,
       "MAINICON"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(form->WumpexDisabledCB->Checked(), step.boxTicked);
    EXPECT_EQ(form->Enable1->Checked(), step.muteOffMark);
    EXPECT_EQ(form->Disable1->Checked(), step.muteOnMark);
    EXPECT_EQ(TrayPicture(), step.picture);
  }
}

TEST_F(TrayHandlersTest, MutingLetsTheCountdownEndInOneSilentTickAndUnmutingSchedules) {
  desktop.advance(4'000);
  form->Disable1->Click();
  EXPECT_EQ(desktop.nextEventIn(), 6'000u) << "the countdown goes on";
  desktop.advance(6'000);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(desktop.nextEventIn().has_value());
  form->Enable1->Click();
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_TRUE(desktop.nextEventIn().has_value());
}

}  // namespace
}  // namespace wumpex
