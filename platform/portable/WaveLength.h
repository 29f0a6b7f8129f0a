#pragma once
// How long a WAV sound lasts, as the system's wave device tells it: the data chunk's bytes over
// the format's bytes per second, the chunks bounded by the bytes there are.

#include <cstdint>
#include <optional>

namespace platform::portable {

// The little-endian 32-bit number at `bytes`, as RIFF writes its sizes.
std::uint32_t LittleEndian32(const char* bytes);

// The length in milliseconds of a RIFF image's first `end` bytes, from its format and data
// chunks; nothing when they are no WAVE sound that can be played.
std::optional<std::uint64_t> WaveLength(const char* image, std::uint64_t end);

}  // namespace platform::portable
