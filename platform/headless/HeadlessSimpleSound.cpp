#include "platform/headless/HeadlessSimpleSound.h"

#include <cstring>

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/WaveLength.h"

namespace platform::headless {

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
  const auto length =
      portable::WaveLength(sound, 8 + std::uint64_t{portable::LittleEndian32(sound + 4)});
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
