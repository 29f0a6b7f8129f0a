#include "platform/headless/HeadlessMedia.h"

#include <fstream>
#include <iterator>

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/WaveLength.h"

namespace platform::headless {

// A play that lasts its length on the virtual clock; its end is a user action due then.
class HeadlessMedia::VirtualSound final : public portable::MediaDevices::Sound {
 public:
  explicit VirtualSound(HeadlessDesktop& desktop) : desktop_(desktop) {}
  std::uint32_t start(std::uint32_t from, std::uint32_t to, std::function<void()> ended) override {
    endsAt_ = desktop_.now() + (to - from);
    desktop_.actAfter(to - from, std::move(ended));
    return 0;
  }
  void stop() override { endsAt_ = 0; }
  bool playing() override { return desktop_.now() < endsAt_; }

 private:
  HeadlessDesktop& desktop_;
  std::uint64_t endsAt_ = 0;
};

std::uint32_t HeadlessMedia::sendCommand(std::uint16_t device, std::uint32_t message,
                                         std::uint32_t flags, MciParams& params) {
  commands.push_back({device, message, flags, params});
  const Call call = message == mci::kOpen    ? Call::OpenDevice
                    : message == mci::kPlay  ? Call::PlayDevice
                    : message == mci::kClose ? Call::CloseDevice
                                             : Call::DeviceCommand;
  if (Refused(call)) {
    return call == Call::OpenDevice ? mci::kErrWaveOutputsUnsuitable : mci::kErrHardware;
  }
  return devices_.sendCommand(device, message, flags, params);
}

// The length of a RIFF/WAVE file, its chunks bounded by the file's own size.
std::unique_ptr<portable::MediaDevices::Sound> HeadlessMedia::open(const std::string& name,
                                                                   std::uint32_t& length,
                                                                   std::uint32_t& error) {
  std::string path = name;
  if (files_ != nullptr) {
    const auto real = files_->realPath(path);
    path = real ? real->string() : std::string();
  }
  std::ifstream file(path, std::ios::binary);
  error = mci::kErrFileNotFound;
  if (path.empty() || !file) return nullptr;
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const auto wave =
      bytes.starts_with("RIFF") ? portable::WaveLength(bytes.data(), bytes.size()) : std::nullopt;
  error = mci::kErrInvalidFile;
  if (!wave) return nullptr;
  length = static_cast<std::uint32_t>(*wave);
  return std::make_unique<VirtualSound>(desktop_);
}

// The blocked thread lets the virtual clock pass to the end, or to the press of the break key.
void HeadlessMedia::wait(portable::MediaDevices::Sound&, std::uint64_t remaining, int breakKey) {
  const std::uint64_t finish = desktop_.now() + remaining;
  if (keyPress_ && keyPress_->at < finish) {
    const KeyPress press = *keyPress_;
    keyPress_.reset();
    if (press.at >= desktop_.now() && press.virtKey == breakKey) {
      desktop_.blockFor(press.at - desktop_.now());
      return;
    }
  }
  desktop_.blockFor(remaining);
}

}  // namespace platform::headless
