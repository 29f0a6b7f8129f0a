#include "framework/Random.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessDesktop.h"

namespace wumpex {
namespace {

TEST(Random, ResultIsTheHighWordOfNTimesTheNewSeed) {
  // From seed 0 the rows follow the generator's own sequence.
  const struct {
    std::uint32_t seed;
    std::int32_t n;
    std::int32_t result;
  } cases[] = {
      {0, 5, 0},            // seed 1: 5 * 1 >> 32
      {0, 0, 0},            // still advances
      {1, 1000, 31},        // seed 134775814: 1000 * 134775814 >> 32 = 31
      {134775814, 2, 1},    // seed 3698175007 >= 2^31
      {0xFFFFFFFFu, 7, 6},  // seed 0xFFFFFFFF * 134775813 + 1 = 0xF7F77BFC
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seed);
    SetRandSeed(c.seed);
    EXPECT_EQ(RandomBelow(c.n), c.result);
    EXPECT_EQ(RandSeed(), c.seed * 134775813u + 1u);
  }
}

TEST(Random, StaysBelowN) {
  SetRandSeed(12345);
  for (std::int32_t n : {1, 2, 3, 10, 60, 3600, 2147483647}) {
    for (int i = 0; i < 1000; ++i) {
      std::int32_t r = RandomBelow(n);
      ASSERT_GE(r, 0);
      ASSERT_LT(r, n);
    }
  }
}

TEST(Random, ReseedTakesUtcMillisecondsSinceMidnight) {
  platform::headless::HeadlessDesktop desktop;
  platform::DesktopScope scope(desktop);
  const std::uint32_t samples[] = {0u, 1u, 45'296'789u /* 12:34:56.789 */, 86'399'999u};
  for (std::uint32_t ms : samples) {
    desktop.setUtcMillisecondsAtStart(ms);
    ReseedFromClock();
    EXPECT_EQ(RandSeed(), ms);
  }
}

}  // namespace
}  // namespace wumpex
