#pragma once
// An in-memory wave-audio device for tests. It opens real WAV files (their length comes
// from the header), plays them on the desktop's virtual clock in milliseconds, posts the
// completion notices a notifying command asks for, and records every command it is sent.
// A refused open finds no output device; any other refused command meets a hardware error.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Media.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessFileSystem.h"

namespace platform::headless {

class HeadlessMedia final : public Media {
 public:
  struct Command {
    std::uint16_t device = 0;
    std::uint32_t message = 0;
    std::uint32_t flags = 0;
    MciParams params;  // as the program filled them in
  };
  // What the device reports of itself.
  struct Capabilities {
    bool canPlay = true;
    bool canRecord = false;
    bool canEject = false;
    bool hasVideo = false;
    std::uint32_t deviceType = mci::kDevTypeWaveform;
  };

  // Element names are real paths, or, given a file system, paths as the program names them
  // on its drives.
  explicit HeadlessMedia(HeadlessDesktop& desktop, const HeadlessFileSystem* files = nullptr);

  std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                            MciParams& params) override;
  std::optional<std::string> errorString(std::uint32_t code) override;

  void setCapabilities(const Capabilities& capabilities) { capabilities_ = capabilities; }
  // The user presses a key after a delay; it ends a waited play whose break key it is.
  void pressKeyAfter(std::uint64_t milliseconds, int virtKey) {
    keyPress_ = KeyPress{desktop_.now() + milliseconds, virtKey};
  }
  std::size_t openDevices() const { return devices_.size(); }
  bool playing(std::uint16_t device);

  std::vector<Command> commands;

 private:
  struct Device;
  std::uint32_t execute(Device& device, std::uint32_t message, std::uint32_t flags,
                        MciParams& params);
  std::uint32_t open(std::uint32_t flags, MciParams& params);
  std::uint32_t start(Device& device, std::uint32_t flags, const MciParams& params,
                      std::uint32_t from, std::uint32_t to);
  void halt(Device& device);

  HeadlessDesktop& desktop_;
  const HeadlessFileSystem* files_;
  Capabilities capabilities_;
  std::uint16_t nextId_ = 1;
  std::map<std::uint16_t, std::shared_ptr<Device>> devices_;
  struct KeyPress {
    std::uint64_t at;
    int virtKey;
  };
  std::optional<KeyPress> keyPress_;
};

}  // namespace platform::headless
