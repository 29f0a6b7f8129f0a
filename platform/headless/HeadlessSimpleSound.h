#pragma once
// The simple sound call for tests. It records every call and plays WAV images from memory on
// the desktop's virtual clock: a sound lasts as long as its header says (the data chunk's
// bytes over the format's bytes per second), a play that waits blocks the clock for that
// long, and one that returns at once plays on until its end or, looping, until the next
// call. It reads an image as the system does, trusting its RIFF header. It knows no sound
// by name: playing one fails, as the system's call does for a sound it cannot find.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/SimpleSound.h"
#include "platform/headless/HeadlessDesktop.h"

namespace platform::headless {

class HeadlessSimpleSound final : public SimpleSound {
 public:
  struct Call {
    const char* sound = nullptr;
    std::uint32_t flags = 0;
    bool played = false;  // what the call returned
  };

  explicit HeadlessSimpleSound(HeadlessDesktop& desktop) : desktop_(desktop) {}

  bool playSound(const char* sound, std::uint32_t flags) override;

  // A sound that returned at once is playing still.
  bool playing() const;

  std::vector<Call> calls;

 private:
  struct Sound {
    std::uint64_t start = 0;
    std::uint64_t length = 0;
    bool loop = false;
  };

  HeadlessDesktop& desktop_;
  std::optional<Sound> current_;
};

}  // namespace platform::headless
