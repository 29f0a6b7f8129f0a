#include "framework/Timer.h"

#include <functional>
#include <vector>

#include "framework/Exceptions.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class TimerTest : public DesktopTest {
 protected:
  TComponent owner{nullptr, "Owner"};
  TTimer* timer = owner.Make<TTimer>("Timer");
  std::vector<std::uint64_t> ticks;
  TNotifyEvent record = [this](TComponent*) { ticks.push_back(desktop.now()); };
};

TEST_F(TimerTest, ChangesRestartOrLeaveTheCountdown) {
  const struct {
    const char* what;
    std::function<void(TTimer&)> change;
    std::optional<std::uint64_t> nextTickAt;  // made at 0 as it comes, changed at 400
  } cases[] = {
      {"no change", [](TTimer&) {}, 1000},
      {"same interval", [](TTimer& t) { t.SetInterval(1000); }, 1000},
      {"same enabled", [](TTimer& t) { t.SetEnabled(true); }, 1000},
      {"new interval restarts in full", [](TTimer& t) { t.SetInterval(300); }, 700},
      {"interval back and forth restarts",
       [](TTimer& t) { t.SetInterval(999), t.SetInterval(1000); }, 1400},
      {"handler assigned again restarts",
       [](TTimer& t) { t.SetOnTimer(TNotifyEvent(t.OnTimer())); }, 1400},
      {"disabled", [](TTimer& t) { t.SetEnabled(false); }, std::nullopt},
      {"disabled and enabled restarts", [](TTimer& t) { t.SetEnabled(false), t.SetEnabled(true); },
       1400},
      {"interval 0", [](TTimer& t) { t.SetInterval(0); }, std::nullopt},
      {"no handler", [](TTimer& t) { t.SetOnTimer(nullptr); }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TComponent scratch(nullptr, "Scratch");
    TTimer* t = scratch.Make<TTimer>("Timer");
    const std::uint64_t start = desktop.now();
    std::vector<std::uint64_t> seen;
    t->SetOnTimer([&](TComponent*) { seen.push_back(desktop.now() - start); });
    desktop.advance(400);
    c.change(*t);
    desktop.advance(2600);
    if (c.nextTickAt) {
      ASSERT_GE(seen.size(), 2u);
      EXPECT_EQ(seen[0], *c.nextTickAt);
      EXPECT_EQ(seen[1] - seen[0], t->Interval()) << "and it repeats";
    } else {
      EXPECT_TRUE(seen.empty());
    }
  }
}

TEST_F(TimerTest, RefusedTimerRaisesAfterTheValueIsTaken) {
  timer->SetOnTimer(record);
  faults.refuse({platform::headless::Call::StartTimer});
  timer->SetEnabled(false);
  EXPECT_EQ(RaisedMessage<EOutOfResources>([&] { timer->SetEnabled(true); }),
            "Not enough timers available");
  EXPECT_TRUE(timer->Enabled());
  EXPECT_THROW(timer->SetInterval(50), EOutOfResources);
  EXPECT_EQ(timer->Interval(), 50u);
  desktop.advance(10'000);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, ExceptionFromTheHandlerIsShownAndTheTimerGoesOn) {
  timer->SetOnTimer([](TComponent*) { throw EConvertError("'x' is not a valid integer value"); });
  desktop.advance(2000);
  ASSERT_EQ(desktop.messageBoxes.size(), 2u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "'x' is not a valid integer value.");
}

TEST_F(TimerTest, DestroyedTimerStopsItsSystemTimer) {
  timer->SetOnTimer(record);
  EXPECT_EQ(desktop.runningTimers(), 1u);
  {
    TComponent other(nullptr, "Other");
    other.Make<TTimer>("T")->SetOnTimer(record);
    EXPECT_EQ(desktop.runningTimers(), 2u);
  }
  EXPECT_EQ(desktop.runningTimers(), 1u);
}

}  // namespace
}  // namespace wumpex
