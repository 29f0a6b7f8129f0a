#include <gtest/gtest.h>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using platform::headless::Call;

constexpr std::intptr_t kLeftDoubleClick = 0x203;

class TrayHandlersTest : public DesktopTest {
 protected:
  // The picture the notification area shows for the program's icon.
  std::string TrayPicture() const {
    const auto* record = notificationArea.shown(form->TrayIcon1->WindowHandle(), 0);
    return record != nullptr ? notificationArea.iconName(record->icon) : std::string();
  }
  std::string Tip() const {
    const auto* record = notificationArea.shown(form->TrayIcon1->WindowHandle(), 0);
    return record != nullptr ? std::string(record->tip.data()) : std::string();
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
  EXPECT_FALSE(desktop.nextEventIn().has_value());
  EXPECT_TRUE(Window(form).visible());
  EXPECT_FALSE(form->ApplyBtn->Enabled());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);

  // Opened again while open, it only comes to the front: where the user moved it, with the
  // changes made meanwhile.
  User(form->RandomTimeEB).userEditedText("30");
  UserDoubleClicksTheTrayIcon();
  EXPECT_EQ(Window(form).timesCentred(), 1);
  EXPECT_TRUE(form->ApplyBtn->Enabled());
}

// Quiet for a while ends at its time on the wall clock, also when the computer slept through
// it; the tip says until when, and either mute mark ends it early.
TEST_F(TrayHandlersTest, QuietForAWhileEndsAtItsTimeOnTheWallClock) {
  const auto at = [](int hour, int minute) {
    return static_cast<std::uint32_t>((hour * 60 + minute) * 60'000);
  };
  form->VariableTimeEB->SetText("0");
  const struct {
    const char* what;
    std::uint32_t startsAt;  // the time of day when the user chooses
    TMenuItem* TWumpexForm::*choice;
    const char* tip;
    std::uint64_t sleeps;     // then the computer sleeps this long at once
    std::uint64_t endsAfter;  // and the quiet ends this long after the choice, on the clock
  } cases[] = {
      {"15 minutes", at(14, 20), &TWumpexForm::Quiet15Minutes1, "Quiet until 14:35", 0, 900'000},
      {"an hour", at(9, 0), &TWumpexForm::Quiet1Hour1, "Quiet until 10:00", 0, 3'600'000},
      {"until tomorrow", at(23, 50), &TWumpexForm::QuietUntilTomorrow1, "Quiet until 00:00", 0,
       600'000},
      {"from midnight on", at(0, 0), &TWumpexForm::QuietUntilTomorrow1, "Quiet until 00:00", 0,
       86'400'000},
      // Quiet ends at its time, at the first check after waking, not 15 minutes of timers later.
      {"slept for an hour", at(14, 20), &TWumpexForm::Quiet15Minutes1, "Quiet until 14:35",
       3'600'000, 3'660'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form->TrayIcon1->SetToolTip("Last Wumpex! \"a.wav\"");
    constexpr std::uint64_t kDay = 86'400'000;
    desktop.setUtcMillisecondsAtStart(
        static_cast<std::uint32_t>((c.startsAt + kDay - desktop.now() % kDay) % kDay));
    const std::uint64_t chosen = desktop.now();
    (form->*c.choice)->Click();
    EXPECT_EQ(Tip(), c.tip);
    EXPECT_EQ(TrayPicture(), "PROGRAMOFF");
    EXPECT_FALSE(form->Timer1->Enabled());
    desktop.sleep(c.sleeps);
    desktop.advance(c.endsAfter - c.sleeps - 1);
    EXPECT_TRUE(form->Quiet());
    desktop.advance(1);
    EXPECT_FALSE(form->Quiet());
    EXPECT_EQ(Tip(), "Last Wumpex! \"a.wav\"");
    EXPECT_EQ(TrayPicture(), "MAINICON");
    EXPECT_EQ(desktop.nextEventIn(), 10'000u) << "a fresh interval";
    EXPECT_EQ(desktop.now() - chosen, c.endsAfter - c.sleeps);
  }
  // "Mute off" ends it early; "Mute on" makes it a plain mute. Each menu item marks itself.
  for (const bool muteOn : {true, false}) {
    form->Quiet1Hour1->Click();
    (muteOn ? form->Disable1 : form->Enable1)->Click();
    EXPECT_FALSE(form->Quiet());
    EXPECT_EQ(form->Disable1->Checked(), muteOn);
    EXPECT_EQ(form->Enable1->Checked(), !muteOn);
    EXPECT_EQ(form->WumpexDisabledCB->Checked(), muteOn);
    EXPECT_EQ(TrayPicture(), muteOn ? "PROGRAMOFF" : "MAINICON");
    EXPECT_EQ(Tip(), "Last Wumpex! \"a.wav\"");
    EXPECT_EQ(form->Timer1->Enabled(), !muteOn);
    EXPECT_EQ(desktop.runningTimers(), muteOn ? 0u : 1u) << "the quiet's check is over";
  }
  form->WumpexDisabledCB->SetChecked(true);
  EXPECT_EQ(TrayPicture(), "PROGRAMOFF") << "the box alone changes the picture too";
}

// The box shows the entry that the system holds, also when another program removed it, and
// OK and Apply make or remove it; a refusal is shown and the box shows what is there.
TEST_F(TrayHandlersTest, StartAtLogInBoxFollowsTheSystemsEntry) {
  const auto open = [this] {
    UserDoubleClicksTheTrayIcon();
    return form->StartAtLogInCB->Checked();
  };
  shellAndClipboard.logInEntry = true;
  EXPECT_TRUE(open());
  form->OKBtn->Click();
  shellAndClipboard.logInEntry = false;  // removed behind the program's back
  EXPECT_FALSE(open());
  EXPECT_FALSE(form->ApplyBtn->Enabled());
  for (TButton* confirm : {form->ApplyBtn, form->OKBtn}) {
    User(form->StartAtLogInCB).userToggled(!shellAndClipboard.logInEntry);
    User(confirm).userClicked();
    EXPECT_EQ(shellAndClipboard.logInEntry, confirm == form->ApplyBtn);
  }
  faults.refuse({Call::LogInEntry});
  EXPECT_FALSE(open());
  User(form->StartAtLogInCB).userToggled(true);
  User(form->ApplyBtn).userClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "Unable to start Wumpex! when you log in.");
  EXPECT_FALSE(form->StartAtLogInCB->Checked());
  EXPECT_FALSE(shellAndClipboard.logInEntry);
}

}  // namespace
}  // namespace wumpex
