#pragma once
// The process-wide pseudo-random generator: a 32-bit linear congruential sequence
// (seed * 134775813 + 1 mod 2^32) whose seed is 0 when the process starts.

#include <cstdint>

namespace wumpex {

// A number in 0..n-1 (0 for n = 0); always advances the seed. A negative n is taken as its
// unsigned 32-bit pattern.
std::int32_t RandomBelow(std::int32_t n);

// Seeds from the time of day: milliseconds since midnight UTC.
void ReseedFromClock();

std::uint32_t RandSeed();
void SetRandSeed(std::uint32_t seed);

}  // namespace wumpex
