#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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
  EXPECT_FALSE(desktop.nextEventIn().has_value());
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
  const auto menu = [](TMenuItem* item) { return [item] { item->Click(); }; };
  const auto box = [this](bool ticked) {
    return [this, ticked] { form->WumpexDisabledCB->SetChecked(ticked); };
  };
  // What the user does; then the box, the marks of "Mute off" and "Mute on", the picture.
  const std::tuple<std::function<void()>, bool, bool, bool, const char*> steps[] = {
      {menu(form->Disable1), true, false, true, "PROGRAMOFF"},
      {menu(form->Disable1), true, false, true, "PROGRAMOFF"},
      {menu(form->Enable1), false, true, false, "MAINICON"},
      {box(true), true, true, false, "PROGRAMOFF"},  // the box leaves the marks
      {box(false), false, true, false, "MAINICON"}};
  for (const auto& [act, ticked, offMark, onMark, picture] : steps) {
    SCOPED_TRACE(picture);
    act();
    EXPECT_EQ(form->WumpexDisabledCB->Checked(), ticked);
    EXPECT_EQ(form->Enable1->Checked(), offMark);
    EXPECT_EQ(form->Disable1->Checked(), onMark);
    EXPECT_EQ(TrayPicture(), picture);
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
  EXPECT_TRUE(desktop.nextEventIn().has_value());
}

}  // namespace
}  // namespace wumpex
