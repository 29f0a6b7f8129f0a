#include "framework/Random.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace wumpex
