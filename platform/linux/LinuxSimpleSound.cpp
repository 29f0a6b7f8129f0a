#include "platform/linux/LinuxSimpleSound.h"

#include <string>
#include <string_view>

#include "platform/portable/WaveLength.h"

namespace platform::linuxdesktop {

bool LinuxSimpleSound::playSound(const char* sound, std::uint32_t flags) {
  if (sound != nullptr && (flags & snd::kNoStop) != 0 && playing_ && playing_->playing()) {
    return false;
  }
  playing_.reset();
  if (sound == nullptr) return true;
  std::string error;
  if ((flags & snd::kMemory) != 0) {
    if (std::string_view(sound, 4) != "RIFF") return false;
    // The image's own header tells how long it is: its RIFF size and the eight bytes before.
    constexpr std::size_t kHeader = 8;
    const std::size_t size = kHeader + portable::LittleEndian32(sound + 4);
    playing_ = PulsePlayer::FromImage(std::string(sound, size), error);
  } else {
    playing_ = PulsePlayer::Open(sound, error);
  }
  if (!playing_) return false;
  const bool repeat = (flags & snd::kLoop) != 0 && (flags & snd::kAsync) != 0;
  if (!playing_->play(0, playing_->length(), nullptr, error, repeat)) return false;
  if ((flags & snd::kAsync) == 0) playing_->waitForEnd();
  return true;
}

}  // namespace platform::linuxdesktop
