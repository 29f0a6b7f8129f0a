#include "framework/Random.h"

#include "platform/Desktop.h"

namespace wumpex {
namespace {
std::uint32_t seed = 0;
}

std::int32_t RandomBelow(std::int32_t n) {
  seed = seed * 134775813u + 1u;
  auto product = std::uint64_t{static_cast<std::uint32_t>(n)} * seed;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
}

void ReseedFromClock() {
  platform::TimeOfDay t = platform::desktop().utcTimeOfDay();
  seed =
      static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

std::uint32_t RandSeed() {
  return seed;
}

void SetRandSeed(std::uint32_t value) {
  seed = value;
}

}  // namespace wumpex
