#pragma once
// The wave-audio devices' command machine, the same on every desktop but Windows: the table of
// open devices, what each command does to a device's state and position, the notices a
// notifying command posts, the status and capability tables, the error codes and their texts.
// A desktop supplies its clock, its message posting, the sound of a file and the waited play.
// The machine's state belongs to the thread that sends the commands; only the end of a play
// may be told from another thread.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/Media.h"

namespace platform::portable {

class MediaDevices final : public Media {
 public:
  // One device's sound output.
  class Sound {
   public:
    virtual ~Sound() = default;
    // Plays from `from` up to `to` (milliseconds); `ended` runs once when the play reaches
    // `to`, on whatever thread the desktop tells it, never when it is stopped. 0 or an error.
    virtual std::uint32_t start(std::uint32_t from, std::uint32_t to,
                                std::function<void()> ended) = 0;
    virtual void stop() = 0;
    // False once the play has been heard to its end or stopped.
    virtual bool playing() = 0;
  };

  // What differs between desktops.
  class Host {
   public:
    // Milliseconds on a steady clock.
    virtual std::uint64_t now() = 0;
    // Posts a notice; called from any thread.
    virtual bool post(Handle window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam) = 0;
    // The sound of a wave file and its length, or nothing and kErrFileNotFound or
    // kErrInvalidFile in `error`.
    virtual std::unique_ptr<Sound> open(const std::string& path, std::uint32_t& length,
                                        std::uint32_t& error) = 0;
    // Blocks the thread while `sound` plays (`remaining` milliseconds by the clock), or until
    // the user presses the key `breakKey` (a virtual-key code; 0 for none).
    virtual void wait(Sound& sound, std::uint64_t remaining, int breakKey) = 0;

   protected:
    ~Host() = default;
  };

  // What the device reports of itself.
  struct Capabilities {
    bool canPlay = true;
    bool canRecord = false;
    bool canEject = false;
    bool hasVideo = false;
    std::uint32_t deviceType = mci::kDevTypeWaveform;
  };

  explicit MediaDevices(Host& host);
  ~MediaDevices() override;
  MediaDevices(const MediaDevices&) = delete;
  MediaDevices& operator=(const MediaDevices&) = delete;

  std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                            MciParams& params) override;
  std::optional<std::string> errorString(std::uint32_t code) override;

  void setCapabilities(const Capabilities& capabilities) { capabilities_ = capabilities; }
  std::size_t openDevices() const { return devices_.size(); }

 private:
  struct Device;
  class Notice;
  std::uint32_t execute(Device& device, std::uint32_t message, std::uint32_t flags,
                        MciParams& params);
  std::uint32_t open(std::uint32_t flags, MciParams& params);
  // `waiting` is a paused play's notice, which a resume carries on or supersedes.
  std::uint32_t start(Device& device, std::uint32_t flags, const MciParams& params,
                      std::uint32_t from, std::uint32_t to,
                      std::shared_ptr<Notice> waiting = nullptr);
  std::uint32_t current(const Device& device);
  void settle(Device& device);
  void halt(Device& device);

  Host& host_;
  Capabilities capabilities_;
  std::uint16_t nextId_ = 1;
  std::map<std::uint16_t, std::unique_ptr<Device>> devices_;
};

}  // namespace platform::portable
