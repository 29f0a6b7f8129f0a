#include <gtest/gtest.h>

#include <fstream>

#include "app/WumpexProps.h"
#include "platform/Media.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace mci = platform::mci;
using platform::headless::Call;

class TickTest : public DesktopTest {
 protected:
  TickTest() {
    application.SetTitle(kProgramTitle);
    media.commands.clear();  // the preview's own opening at start
  }
  void AddSound(const char* name, std::uint32_t milliseconds) {
    WriteSilentWave(driveC.path() / "Sounds" / name, milliseconds);
  }
  // Lists the folder box's folder afresh, as the Browse button does for a new folder; the
  // pool already shows the settings' C:\Sounds, which a second setting would not read again.
  void ApplyFolder() {
    form->FileListBox1->SetDirectory("C:\\");
    form->FileListBox1->SetDirectory(form->SoundPathEB->Text());
  }
  std::vector<platform::headless::HeadlessMedia::Command> Sent(std::uint32_t message) const {
    return CommandsSent(media, message);
  }

  // The tip the notification area shows for the program's icon.
  std::string TrayIcon1Tip() const {
    const auto* record = notificationArea.shown(form->TrayIcon1->WindowHandle(), 0);
    return record != nullptr ? std::string(record->tip.data()) : std::string();
  }

  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(TickTest, PlaysTheFileThatTheReseededGeneratorPicks) {
  AddSound("a.wav", 1000);
  AddSound("B.wav", 2000);
  AddSound("c.wav", 3000);
  std::ofstream(driveC.path() / "Sounds" / "0 readme.txt") << "not a sound";
  ApplyFolder();
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();  // 10 s from now, when the clock shows 12:00:00.000 UTC
  desktop.setUtcMillisecondsAtStart(12 * 3'600'000 - 10'000);
  media.commands.clear();

  desktop.advance(10'000);
  const std::uint32_t seed = 12u * 3'600'000u * 134775813u + 1u;
  const char* names[] = {"a.wav", "B.wav", "c.wav"};
  const std::string picked = names[(std::uint64_t{3} * seed) >> 32];
  const std::uint32_t length = picked == "a.wav" ? 1000 : picked == "B.wav" ? 2000 : 3000;

  EXPECT_EQ(TrayIcon1Tip(), "Last Wumpex! \"" + picked + "\"");
  ASSERT_EQ(Sent(mci::kOpen).size(), 1u);
  EXPECT_EQ(Sent(mci::kOpen)[0].params.elementName, "C:\\Sounds\\" + picked);
  EXPECT_EQ(Sent(mci::kPlay).size(), 1u);
  EXPECT_EQ(Sent(mci::kClose).size(), 1u);
  EXPECT_EQ(form->MediaPlayer1->DeviceID(), 0u);
  // The play held the tick for the sound's length; the next interval counts from its end.
  EXPECT_EQ(desktop.now(), 10'000u + length);
  desktop.advance(9'999);
  EXPECT_EQ(Sent(mci::kOpen).size(), 1u);
  desktop.advance(1);
  EXPECT_EQ(Sent(mci::kOpen).size(), 2u);
}

TEST_F(TickTest, FilesThatCannotBeOpenedAreShownOneAtATimeAndLeftOutUntilListedAgain) {
  std::ofstream(driveC.path() / "Sounds" / "broken.wav") << "not a wave";
  std::ofstream(driveC.path() / "Sounds" / "gone.wav") << "RIFF";
  ApplyFolder();
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();
  // The user reads the first box for a minute; the box's loop runs the timers meanwhile.
  desktop.answerNextMessageBox(platform::mb::kIdOk, 60'000);
  std::size_t boxesWhileReading = 0;
  desktop.actAfter(69'000, [&] { boxesWhileReading = desktop.messageBoxes.size(); });
  desktop.advance(95'000);

  EXPECT_EQ(boxesWhileReading, 1u) << "no tick while a box is up";
  ASSERT_EQ(desktop.messageBoxes.size(), 2u) << "each file once, the second after the first";
  EXPECT_EQ(desktop.messageBoxes[0].text, *media.errorString(mci::kErrInvalidFile) + ".");
  EXPECT_EQ(desktop.messageBoxes[0].caption, "Wumpex! 1.11");
  EXPECT_EQ(Sent(mci::kOpen).size(), 2u);
  EXPECT_EQ(TrayIcon1Tip(), "No WAV's in Wumpex! path!") << "neither is picked again";
  EXPECT_TRUE(form->Timer1->Enabled());

  // Listing the folder again gives both another chance.
  folderBrowser.chooseNextFolder("C:\\Sounds");
  form->BrowseBtnClick(form->BrowseBtn);
  desktop.advance(10'000);
  EXPECT_EQ(desktop.messageBoxes.size(), 3u);
}

TEST_F(TickTest, AMissingDeviceIsShownOnceUntilASoundHasPlayed) {
  AddSound("a.wav", 100);
  ApplyFolder();
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();
  faults.refuse({Call::OpenDevice});
  desktop.advance(40'000);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, *media.errorString(mci::kErrWaveOutputsUnsuitable) + ".");
  EXPECT_EQ(Sent(mci::kOpen).size(), 4u) << "every tick tries the device again";
  EXPECT_TRUE(form->Timer1->Enabled());

  faults.refuseNothing();
  desktop.advance(10'000);
  EXPECT_EQ(Sent(mci::kPlay).size(), 1u);
  // Gone again: said again. The user opens the settings window while reading the box, so
  // the tick leaves the timer to the window's OK.
  faults.refuse({Call::OpenDevice});
  desktop.answerNextMessageBox(platform::mb::kIdOk, 20'000);
  desktop.actAfter(15'000, [&] { form->TrayIcon1DblClick(form->TrayIcon1); });
  desktop.advance(30'000);
  EXPECT_EQ(desktop.messageBoxes.size(), 2u);
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(TickTest, EscapeCutsTheWaitingPlayShort) {
  AddSound("long.wav", 60'000);
  ApplyFolder();
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();
  media.pressKeyAfter(10'000 + 1'500, 27);
  desktop.advance(10'000);
  EXPECT_EQ(desktop.now(), 11'500u) << "the wait ended at the key press";
  EXPECT_EQ(Sent(mci::kClose).size(), 1u) << "the close ends the sound";
  EXPECT_EQ(form->MediaPlayer1->DeviceID(), 0u);
  EXPECT_EQ(form->Timer1->Interval(), 10'000u);
  EXPECT_TRUE(form->Timer1->Enabled());
}

TEST_F(TickTest, FolderTextIsJoinedAsItStands) {
  AddSound("a.wav", 100);
  form->SoundPathEB->SetText("C:\\Sounds\\");
  ApplyFolder();
  desktop.advance(10'000);
  ASSERT_EQ(Sent(mci::kOpen).size(), 1u);
  EXPECT_EQ(Sent(mci::kOpen)[0].params.elementName, "C:\\Sounds\\\\a.wav");
}

}  // namespace
}  // namespace wumpex
