#pragma once
// The simple sound call over the sound server: one sound at a time, a WAV file by its path or
// a WAV image in memory. A name that is no WAV file plays nothing: the desktop has no named
// system sounds, and so no default sound either.

#include <memory>

#include "platform/SimpleSound.h"
#include "platform/linux/PulsePlayer.h"

namespace platform::linuxdesktop {

class LinuxSimpleSound final : public SimpleSound {
 public:
  bool playSound(const char* sound, std::uint32_t flags) override;

 private:
  std::unique_ptr<PulsePlayer> playing_;
};

}  // namespace platform::linuxdesktop
