#pragma once
// An in-memory wave-audio device for tests, over the devices' portable command machine. It
// opens real WAV files (their length comes from the header), plays them on the desktop's
// virtual clock in milliseconds, and records every command it is sent. A refused open finds
// no output device; any other refused command meets a hardware error.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Media.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessFileSystem.h"
#include "platform/portable/MediaDevices.h"

namespace platform::headless {

class HeadlessMedia final : public Media, portable::MediaDevices::Host {
 public:
  struct Command {
    std::uint16_t device = 0;
    std::uint32_t message = 0;
    std::uint32_t flags = 0;
    MciParams params;  // as the program filled them in
  };
  using Capabilities = portable::MediaDevices::Capabilities;

  // Element names are real paths, or, given a file system, paths as the program names them
  // on its drives.
  explicit HeadlessMedia(HeadlessDesktop& desktop, const HeadlessFileSystem* files = nullptr)
      : desktop_(desktop), files_(files) {}

  std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                            MciParams& params) override;
  std::optional<std::string> errorString(std::uint32_t code) override {
    return devices_.errorString(code);
  }

  void setCapabilities(const Capabilities& capabilities) { devices_.setCapabilities(capabilities); }
  // The user presses a key after a delay; it ends a waited play whose break key it is.
  void pressKeyAfter(std::uint64_t milliseconds, int virtKey) {
    keyPress_ = KeyPress{desktop_.now() + milliseconds, virtKey};
  }
  std::size_t openDevices() const { return devices_.openDevices(); }

  std::vector<Command> commands;

 private:
  class VirtualSound;
  std::uint64_t now() override { return desktop_.now(); }
  bool post(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    return desktop_.postMessage(window, message, wParam, lParam);
  }
  std::unique_ptr<portable::MediaDevices::Sound> open(const std::string& path,
                                                      std::uint32_t& length,
                                                      std::uint32_t& error) override;
  void wait(portable::MediaDevices::Sound& sound, std::uint64_t remaining, int breakKey) override;

  HeadlessDesktop& desktop_;
  const HeadlessFileSystem* files_;
  struct KeyPress {
    std::uint64_t at;
    int virtKey;
  };
  std::optional<KeyPress> keyPress_;
  portable::MediaDevices devices_{*this};
};

}  // namespace platform::headless
