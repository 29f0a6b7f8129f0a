#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Exceptions.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class SchedulerTest : public DesktopTest {
 protected:
  TWumpexForm& Form() {
    if (form == nullptr) form = application.CreateForm<TWumpexForm>();
    return *form;
  }
  void SetTiming(const char* base, int baseUnit, const char* adjustment, int adjustmentUnit) {
    Form().RandomTimeEB->SetText(base);
    form->RandomTimeCB->SetItemIndex(baseUnit);
    form->VariableTimeEB->SetText(adjustment);
    form->VariableTimeCB->SetItemIndex(adjustmentUnit);
  }
  // Milliseconds from now to each of the next n ticks.
  std::vector<std::uint64_t> NextTicks(int n) {
    std::vector<std::uint64_t> gaps;
    for (int i = 0; i < n; ++i) {
      auto next = desktop.nextEventIn();
      if (!next) break;
      gaps.push_back(*next);
      desktop.advance(*next);
    }
    return gaps;
  }

  TWumpexForm* form = nullptr;
};

TEST_F(SchedulerTest, IntervalsFromCountsAndUnits) {
  // Base count and unit, adjustment count and unit, the least and most seconds.
  const std::tuple<const char*, int, const char*, int, std::uint64_t, std::uint64_t> cases[] = {
      {"10", 0, "0", 0, 10, 10},
      {"2", 2, "1", 1, 7200, 7259},
      {"3", 1, "0", 2, 180, 180},
      {"7", -1, "5", -1, 7, 11},                     // no unit selected: seconds
      {" 12", 0, "$A", 0, 12, 21},                   // leading spaces and "$" forms count too
      {"-5", 0, "0", 0, 0, 0},                       // a negative count counts as nothing...
      {"5", 0, "-3", 0, 5, 5},                       // ...also as adjustment
      {"2000000", 2, "0", 0, 4'294'967, 4'294'967},  // beyond 32-bit milliseconds
      {"4294967", 0, "100", 2, 4'294'967, 4'294'967},
      {"2147483647", 2, "2147483647", 2, 4'294'967, 4'294'967},
  };
  for (const auto& [base, baseUnit, adjustment, adjustmentUnit, min, max] : cases) {
    SCOPED_TRACE(std::string(base) + " / " + adjustment);
    SetTiming(base, baseUnit, adjustment, adjustmentUnit);
    for (int i = 0; i < 20; ++i) {
      form->ScheduleNextSound();
      const std::uint64_t seconds = form->Timer1->Interval() / 1000;
      ASSERT_EQ(form->Timer1->Interval() % 1000, 0u);
      ASSERT_GE(seconds, min);
      ASSERT_LE(seconds, max);
    }
  }
}

TEST_F(SchedulerTest, SchedulingsGoOnFromSeedZeroUntilATickReseedsFromTheClock) {
  // FormCreate draws from seed 0; later schedulings before any playing tick go on from there.
  desktop.setUtcMillisecondsAtStart(45'296'789 - 10'000);  // first tick at 12:34:56.789
  SetTiming("10", 0, "1000", 0);
  EXPECT_EQ(RandSeed(), 1u);
  form->ScheduleNextSound();
  EXPECT_EQ(RandSeed(), 134775814u);
  EXPECT_EQ(form->Timer1->Interval(), (10u + 31u) * 1000u);  // 1000 * 134775814 >> 32
  SetTiming("10", 0, "1", 2);
  desktop.advance(*desktop.nextEventIn());
  const std::uint32_t seed = (45'296'789u + 31'000u) * 134775813u + 1u;
  EXPECT_EQ(RandSeed(), seed);
  EXPECT_EQ(form->Timer1->Interval(), (10 + ((std::uint64_t{3600} * seed) >> 32)) * 1000);
}

TEST_F(SchedulerTest, TickHeldByBeQuietGoesOnWithoutReseeding) {
  Form().BeQuietListBox->Add("Defrag");
  const platform::Handle defrag = desktop.openForeignWindow("Disk Defragmenter");
  desktop.setUtcMillisecondsAtStart(5000);
  desktop.advance(10'000);
  EXPECT_EQ(RandSeed(), 134775814u) << "the unseeded sequence goes on";
  EXPECT_TRUE(form->Timer1->Enabled());
  desktop.closeForeignWindow(defrag);
  desktop.advance(*desktop.nextEventIn());
  EXPECT_NE(RandSeed(), 3698175007u) << "the next tick reseeded from the clock";
}

TEST_F(SchedulerTest, MutingLetsTheCountdownEndInOneSilentTickAndUnmutingSchedules) {
  Form();
  desktop.advance(4'000);
  form->Disable1->Click();
  EXPECT_EQ(desktop.nextEventIn(), 6'000u) << "the countdown goes on";
  const std::uint32_t seed = RandSeed();
  desktop.advance(6'000);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(desktop.nextEventIn().has_value());
  EXPECT_EQ(RandSeed(), seed);
  // Scheduling while muted leaves the timer alone.
  form->ScheduleNextSound();
  EXPECT_FALSE(form->Timer1->Enabled());
  form->Enable1->Click();  // unmuting schedules at once
  EXPECT_EQ(desktop.nextEventIn(), 10'000u);
}

TEST_F(SchedulerTest, BadCountAtTheTickIsShownAndStopsTheSchedule) {
  Form().RandomTimeEB->SetText("abc");
  desktop.advance(10'000);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "'abc' is not a valid integer value.");
  EXPECT_FALSE(form->Timer1->Enabled());
  desktop.advance(3'600'000);
  EXPECT_EQ(desktop.messageBoxes.size(), 1u);
}

TEST_F(SchedulerTest, RefusedSystemTimerIsReported) {
  Form();
  faults.refuse({platform::headless::Call::StartTimer});
  desktop.advance(10'000);  // the tick stops the timer and cannot start it again
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "Not enough timers available.");
  EXPECT_FALSE(desktop.nextEventIn().has_value());
  // The timer kept Enabled; a scheduling with a new interval starts it again.
  EXPECT_TRUE(form->Timer1->Enabled());
  faults.refuseNothing();
  form->RandomTimeEB->SetText("30");
  form->VariableTimeEB->SetText("0");
  form->ScheduleNextSound();
  EXPECT_EQ(desktop.nextEventIn(), 30'000u);
}

}  // namespace
}  // namespace wumpex
