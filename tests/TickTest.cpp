#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>

#include "app/WumpexProps.h"
#include "platform/Media.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace mci = platform::mci;
using platform::headless::Call;

class TickTest : public DesktopTest {
 protected:
  TickTest() { media.commands.clear(); }  // the preview's own opening at start
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
  EXPECT_EQ(desktop.messageBoxes[0].caption, kProgramTitle);
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

// The last file never plays twice in a row while another can, and the others share the picks
// evenly: after each file, each other one about as often. One file plays every time.
TEST_F(TickTest, NeverTheSameFileTwiceInARowWhileAnotherCanPlay) {
  constexpr int kPicks = 1000;
  const char* names[] = {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"};
  for (const int pool : {1, 2, 5}) {
    SCOPED_TRACE(pool);
    for (int i = 0; i < pool; ++i) AddSound(names[i], 10);
    ApplyFolder();
    media.commands.clear();
    // Each tick at a time of day of its own, as real ticks come: the virtual clock's even
    // steps would reseed the generator in step with them.
    std::mt19937 times(pool);
    for (int i = 0; i < kPicks; ++i) {
      desktop.setUtcMillisecondsAtStart(times() % 86'400'000);
      form->Timer1Timer(form->Timer1);
    }
    const auto opened = Sent(mci::kOpen);
    ASSERT_EQ(opened.size(), static_cast<std::size_t>(kPicks));
    std::map<std::string, int> picks;
    std::map<std::pair<std::string, std::string>, int> followers;
    for (std::size_t i = 0; i < opened.size(); ++i) {
      ++picks[opened[i].params.elementName];
      if (i > 0) ++followers[{opened[i - 1].params.elementName, opened[i].params.elementName}];
    }
    EXPECT_EQ(picks.size(), static_cast<std::size_t>(pool));
    for (const auto& [pair, count] : followers) {
      EXPECT_TRUE(pool == 1 || pair.first != pair.second) << pair.first;
      const double expected = pool == 1 ? kPicks - 1 : picks[pair.first] / (pool - 1.0);
      EXPECT_NEAR(count, expected, expected * 0.4) << pair.first << " then " << pair.second;
    }
  }
}

// While the window in front covers its whole monitor, or the shell says the user is busy,
// a tick plays nothing, unless the user cleared the box.
TEST_F(TickTest, QuietWhileAProgramFillsTheScreen) {
  AddSound("a.wav", 10);
  ApplyFolder();
  using Rect = platform::Rect;
  constexpr Rect kWhole = platform::headless::HeadlessDesktop::kMonitor;
  const struct {
    const char* what;
    std::vector<Rect> windows = {};  // opened in order, the last in front
    bool busy = false;
    bool boxTicked = true;
    bool plays;
  } cases[] = {
      {.what = "no window", .plays = true},
      {.what = "a window that fills the monitor", .windows = {kWhole}, .plays = false},
      {.what = "one beyond its edges", .windows = {{-8, -8, 1032, 776}}, .plays = false},
      {.what = "one a pixel short", .windows = {{0, 0, 1024, 767}}, .plays = true},
      {.what = "one a pixel in", .windows = {{1, 0, 1024, 768}}, .plays = true},
      {.what = "a full one behind", .windows = {kWhole, {10, 10, 300, 200}}, .plays = true},
      {.what = "the shell busy", .busy = true, .plays = false},
      {.what = "box clear", .windows = {kWhole}, .busy = true, .boxTicked = false, .plays = true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<platform::Handle> opened;
    for (const Rect& bounds : c.windows) opened.push_back(desktop.openForeignWindow("", bounds));
    desktop.shellBusy = c.busy;
    form->QuietFullScreenCB->SetChecked(c.boxTicked);
    media.commands.clear();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Sent(mci::kOpen).size(), c.plays ? 1u : 0u);
    EXPECT_TRUE(form->Timer1->Enabled()) << "held like a Be Quiet title: the next tick comes";
    for (const auto window : opened) desktop.closeForeignWindow(window);
  }
}

// "Play a sound now" plays a pick at once, also while muted or quiet, and the next interval
// counts from its end; muted or quiet, none is counting.
TEST_F(TickTest, PlayNowPlaysAtOnceAndTheNextIntervalCountsFromItsEnd) {
  AddSound("a.wav", 2000);
  ApplyFolder();
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();
  const struct {
    const char* what;
    std::function<void()> before;
    std::optional<std::uint64_t> nextTickIn;
  } cases[] = {
      {"playing", [] {}, 10'000},
      {"muted", [&] { form->Disable1->Click(); }, std::nullopt},
      {"quiet", [&] { form->Enable1->Click(), form->Quiet1Hour1->Click(); }, 58'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.advance(4'000);
    c.before();
    media.commands.clear();
    form->TrayIcon1->SetToolTip("");
    const std::uint64_t asked = desktop.now();
    form->PlayNow1->Click();
    EXPECT_EQ(Sent(mci::kPlay).size(), 1u);
    EXPECT_EQ(desktop.now(), asked + 2000) << "played to its end";
    EXPECT_EQ(TrayIcon1Tip(), "Last Wumpex! \"a.wav\"");
    EXPECT_EQ(form->Timer1->Enabled(), c.nextTickIn == 10'000u);
    // Quiet, only the quiet's own check is counting, its minute begun before the play.
    desktop.advance(0);
    EXPECT_EQ(desktop.nextEventIn(), c.nextTickIn);
  }
}

}  // namespace
}  // namespace wumpex
