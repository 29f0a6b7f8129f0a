#include "platform/headless/HeadlessSimpleSound.h"

#include <algorithm>
#include <cstring>

#include "platform/headless/HeadlessFaults.h"

namespace platform::headless {
namespace {

std::uint32_t littleEndian(const char* bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

}  // namespace

std::optional<std::uint64_t> WaveLength(const char* image, std::uint64_t end) {
  if (end < 12 || std::memcmp(image + 8, "WAVE", 4) != 0) return std::nullopt;
  std::optional<std::uint32_t> byteRate;
  std::optional<std::uint64_t> dataSize;
  for (std::uint64_t at = 12; at + 8 <= end;) {
    const std::uint64_t size = littleEndian(image + at + 4);
    const std::uint64_t body = at + 8;
    if (std::memcmp(image + at, "fmt ", 4) == 0 && size >= 16 && body + 16 <= end) {
      byteRate = littleEndian(image + body + 8);
    } else if (std::memcmp(image + at, "data", 4) == 0) {
      dataSize = std::min(size, end - body);
    }
    at = body + size + size % 2;  // chunks are padded to even sizes
  }
  if (!byteRate || *byteRate == 0 || !dataSize) return std::nullopt;
  return *dataSize * 1000 / *byteRate;
}

bool HeadlessSimpleSound::playing() const {
  return current_ && (current_->loop || desktop_.now() < current_->start + current_->length);
}

bool HeadlessSimpleSound::playSound(const char* sound, std::uint32_t flags) {
  Call& call = calls.emplace_back(Call{sound, flags, false});
  if (Refused(platform::headless::Call::SimpleSound)) return false;
  if ((flags & snd::kNoStop) != 0 && playing()) return false;
  current_.reset();
  if (sound == nullptr) return call.played = true;
  if ((flags & snd::kMemory) == 0 || std::memcmp(sound, "RIFF", 4) != 0) return false;
  // The image is trusted to be as long as its RIFF header says.
  const auto length = WaveLength(sound, 8 + std::uint64_t{littleEndian(sound + 4)});
  if (!length) return false;
  if ((flags & snd::kAsync) != 0) {
    current_ = Sound{desktop_.now(), *length, (flags & snd::kLoop) != 0};
  } else {
    // A play that waits never loops: the system plays it once.
    desktop_.blockFor(*length);
  }
  return call.played = true;
}

}  // namespace platform::headless
