#pragma once
// The seam to the system's simple sound call: one sound at a time, named or held in memory
// as a whole WAV image, played to its end or on its own while the caller goes on. The flags
// carry the system's values; the program composes them itself.

#include <cstdint>

#include "platform/Desktop.h"

namespace platform {

namespace snd {
inline constexpr std::uint32_t kSync = 0x0000;       // returns when the sound has ended
inline constexpr std::uint32_t kAsync = 0x0001;      // returns at once; the sound plays on
inline constexpr std::uint32_t kNoDefault = 0x0002;  // silence, not the default sound, on failure
inline constexpr std::uint32_t kMemory = 0x0004;     // the sound is a WAV image in memory
inline constexpr std::uint32_t kLoop = 0x0008;       // with kAsync: repeats until stopped
inline constexpr std::uint32_t kNoStop = 0x0010;     // fails rather than stop a sound playing
}  // namespace snd

class SimpleSound {
 public:
  virtual ~SimpleSound() = default;
  // sndPlaySound: stops the sound that is playing and plays `sound`, a sound's name or,
  // with snd::kMemory, the first byte of a WAV image; no sound only stops. With kAsync the
  // image must stay unchanged until the sound ends or is stopped. True when it played.
  virtual bool playSound(const char* sound, std::uint32_t flags) = 0;
};

using SimpleSoundScope = ServiceScope<SimpleSound>;
// The simple sound call of the system the program runs on, installed like the desktop.
inline SimpleSound& simpleSound() {
  return ServiceScope<SimpleSound>::get();
}

}  // namespace platform
