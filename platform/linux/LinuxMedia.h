#pragma once
// The Linux desktop's wave-audio devices: the portable command machine over the sound server.
// Each device opened on a file plays it through a PulsePlayer; the end of a play is told from
// the player's thread, so the poster the desktop gives must be safe to call from any thread.
// A waited play blocks the calling thread until the sound ends, or until the break key is
// down on the X display; without a display it cannot be broken.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Media.h"
#include "platform/portable/MediaDevices.h"

// X11's connection; its header stays out of here, as its macros would leak.
struct _XDisplay;

namespace platform::linuxdesktop {

class LinuxMedia final : public Media, portable::MediaDevices::Host {
 public:
  using Poster = std::function<bool(Handle, unsigned, std::uintptr_t, std::intptr_t)>;
  explicit LinuxMedia(Poster post);

  std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                            MciParams& params) override {
    return devices_.sendCommand(device, message, flags, params);
  }
  // A play fails here only when the sound server cannot be reached or refuses the stream;
  // the Windows text for it would send the user to a device's maker.
  std::optional<std::string> errorString(std::uint32_t code) override {
    if (code == mci::kErrHardware) {
      return "The sound server cannot be reached. Check that PulseAudio, or PipeWire with its "
             "PulseAudio service, runs for this user";
    }
    return devices_.errorString(code);
  }

 private:
  std::uint64_t now() override;
  bool post(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    return post_(window, message, wParam, lParam);
  }
  std::unique_ptr<portable::MediaDevices::Sound> open(const std::string& path,
                                                      std::uint32_t& length,
                                                      std::uint32_t& error) override;
  void wait(portable::MediaDevices::Sound& sound, std::uint64_t remaining, int breakKey) override;
  bool keyDown(int virtKey);

  struct Closer {
    void operator()(_XDisplay* display) const;
  };
  std::unique_ptr<_XDisplay, Closer> display_;  // none without an X display
  Poster post_;
  portable::MediaDevices devices_{*this};  // last: its plays end before the poster goes
};

}  // namespace platform::linuxdesktop
