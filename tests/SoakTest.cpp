#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>

#include "app/WumpexProps.h"
#include "platform/Media.h"
#include "tests/DesktopFixture.h"

// The sanitizer runtime's count of the heap in use; the compiler here ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace wumpex {
namespace {

namespace mci = platform::mci;

constexpr std::intptr_t kLeftDoubleClick = 0x203;
constexpr std::uint64_t kMinute = 60'000;
constexpr std::uint64_t kHour = 60 * kMinute;
constexpr std::uint64_t kDay = 24 * kHour;

// The two timings the user switches between, in seconds: each interval is at least the base
// and less than base and adjustment together.
struct Timing {
  const char* base;
  const char* adjustment;
  std::uint32_t lowest;
  std::uint32_t highest;
};
constexpr Timing kTimings[] = {{"10", "20", 10'000, 29'000}, {"30", "30", 30'000, 59'000}};

// A week of the program on the virtual clock, every day alike: the settings window opened
// every four hours, the timing switched and applied, a file added to the folder and the
// oldest removed and the folder listed again (the day's first new file damaged), an editor
// open all day, a Be Quiet presentation for an hour, and the sound device gone for half an
// hour. Intervals of 10 to 60 s rather than a few seconds (about 19,000 ticks in the week)
// keep the week within a few seconds under the sanitizers.
class SoakTest : public DesktopTest {
 protected:
  SoakTest() {
    WriteSettings(
        "[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\nRandomTime=10\r\nRandomTimeType=0\r\n"
        "VariableTime=20\r\nVariableTimeType=0\r\nNumBeQuietItems=1\r\n"
        "BeQuietItem0=Presentation\r\n");
    while (added_ < kPoolSize) AddSound(false);
    form = application.CreateForm<TWumpexForm>();
  }

  static constexpr int kPoolSize = 5;

  void AddSound(bool damaged) {
    const auto path = driveC.path() / "Sounds" / ("sound-" + std::to_string(added_++) + ".wav");
    if (damaged) {
      std::ofstream(path) << "not a wave";
    } else {
      WriteSilentWave(path, 1000);
    }
  }

  void SettingsSession(bool damagedSound) {
    desktop.postMessage(form->TrayIcon1->WindowHandle(), TTrayIcon::kCallbackMessage, 0,
                        kLeftDoubleClick);
    desktop.actAfter(30'000, [this] {
      timing_ = 1 - timing_;
      User(form->RandomTimeEB).userEditedText(kTimings[timing_].base);
      User(form->VariableTimeEB).userEditedText(kTimings[timing_].adjustment);
      User(form->ApplyBtn).userClicked();
    });
    desktop.actAfter(60'000, [this, damagedSound] {
      AddSound(damagedSound);
      std::filesystem::remove(driveC.path() / "Sounds" /
                              ("sound-" + std::to_string(added_ - kPoolSize - 1) + ".wav"));
      folderBrowser.chooseNextFolder("C:\\Sounds");
      User(form->BrowseBtn).userClicked();
      EXPECT_EQ(form->FileListBox1->Count(), kPoolSize);
    });
    desktop.actAfter(90'000, [this] { User(form->OKBtn).userClicked(); });
  }

  void ScheduleDay() {
    for (int session = 0; session < 6; ++session) {
      desktop.actAfter((4 * session + 1) * kHour,
                       [this, session] { SettingsSession(session == 0); });
    }
    desktop.actAfter(8 * kHour, [this] { editor_ = desktop.openForeignWindow("Notes - Editor"); });
    desktop.actAfter(18 * kHour, [this] { desktop.closeForeignWindow(editor_); });
    desktop.actAfter(
        10 * kHour, [this] { presentation_ = desktop.openForeignWindow("Presentation - Slides"); });
    desktop.actAfter(11 * kHour, [this] { desktop.closeForeignWindow(presentation_); });
    desktop.actAfter(14 * kHour, [this] { faults.refuse({platform::headless::Call::OpenDevice}); });
    desktop.actAfter(14 * kHour + 30 * kMinute, [this] { faults.refuseNothing(); });
  }

  // What the program holds that could grow, with the records of the day let go.
  std::vector<std::size_t> HeldAtDayEnd() {
    media.commands.clear();
    desktop.messageBoxes.clear();
    desktop.cancelModeSentTo.clear();
    notificationArea.calls.clear();
    folderBrowser.dialogs.clear();
    return {static_cast<std::size_t>(form->FileListBox1->Count()),
            static_cast<std::size_t>(form->BeQuietListBox->Count()),
            form->WindowsList1->TheWindowsList().size(),
            desktop.threadWindows().size(),
            desktop.runningTimers(),
            media.openDevices(),
            notificationArea.loadedIcons(),
            folderBrowser.liveBlocks(),
            __sanitizer_get_current_allocated_bytes()};
  }

  TWumpexForm* form = nullptr;
  int added_ = 0;
  int timing_ = 0;
  platform::Handle editor_ = 0;
  platform::Handle presentation_ = 0;
};

TEST_F(SoakTest, AWeekRunsWithIntervalsInBoundsAndMemoryFlat) {
  std::uint32_t lowest[2] = {UINT32_MAX, UINT32_MAX};
  std::uint32_t highest[2] = {0, 0};
  std::vector<std::size_t> firstDay;
  for (int day = 1; day <= 7; ++day) {
    ScheduleDay();
    const std::uint64_t end = desktop.now() + kDay;
    while (desktop.now() < end) {
      desktop.advance(std::min(desktop.nextEventIn().value(), end - desktop.now()));
      if (!form->Timer1->Enabled()) continue;
      const std::uint32_t interval = form->Timer1->Interval();
      ASSERT_GE(interval, kTimings[timing_].lowest) << "day " << day << " at " << desktop.now();
      ASSERT_LE(interval, kTimings[timing_].highest) << "day " << day << " at " << desktop.now();
      lowest[timing_] = std::min(lowest[timing_], interval);
      highest[timing_] = std::max(highest[timing_], interval);
    }
    // At least a sound a minute while no title, device or window keeps the program quiet.
    EXPECT_GT(CommandsSent(media, mci::kPlay).size(), 20 * 60u) << "day " << day;
    auto held = HeldAtDayEnd();
    if (day == 1) firstDay = held;
    if (day < 7) continue;
    // The heap may differ by what the allocator rounds: far less than a day's growth would be.
    EXPECT_LE(held.back(), firstDay.back() + 16 * 1024);
    held.back() = firstDay.back() = 0;
    EXPECT_EQ(held, firstDay);
  }
  for (int t : {0, 1}) {
    EXPECT_EQ(lowest[t], kTimings[t].lowest) << "the whole adjustment is used";
    EXPECT_EQ(highest[t], kTimings[t].highest);
  }
}

}  // namespace
}  // namespace wumpex
