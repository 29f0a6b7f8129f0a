#include "platform/linux/LinuxMedia.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/linux/PulsePlayer.h"

namespace platform::linuxdesktop {
namespace {

// A file played by the sound server; the player's end is told on the player's thread.
class ServerSound final : public portable::MediaDevices::Sound {
 public:
  explicit ServerSound(std::unique_ptr<PulsePlayer> player) : player_(std::move(player)) {}
  std::uint32_t start(std::uint32_t from, std::uint32_t to, std::function<void()> ended) override {
    std::string error;
    return player_->play(from, to, std::move(ended), error) ? 0 : mci::kErrHardware;
  }
  void stop() override { player_->stop(); }
  bool playing() override { return player_->playing(); }

 private:
  std::unique_ptr<PulsePlayer> player_;
};

}  // namespace

void LinuxMedia::Closer::operator()(_XDisplay* display) const {
  XCloseDisplay(display);
}

LinuxMedia::LinuxMedia(Poster post) : display_(XOpenDisplay(nullptr)), post_(std::move(post)) {}

std::uint64_t LinuxMedia::now() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

std::unique_ptr<portable::MediaDevices::Sound> LinuxMedia::open(const std::string& path,
                                                                std::uint32_t& length,
                                                                std::uint32_t& error) {
  error = mci::kErrFileNotFound;
  if (!std::ifstream(path)) return nullptr;
  std::string why;
  auto player = PulsePlayer::Open(path, why);
  error = mci::kErrInvalidFile;
  if (!player) return nullptr;
  length = player->length();
  return std::make_unique<ServerSound>(std::move(player));
}

// Whether the key of a virtual-key code is down: Escape, or Break for the default Ctrl+Break.
bool LinuxMedia::keyDown(int virtKey) {
  constexpr int kCancel = 3;
  constexpr int kEscape = 27;
  const KeySym symbol = virtKey == kEscape ? XK_Escape : virtKey == kCancel ? XK_Break : NoSymbol;
  if (!display_ || symbol == NoSymbol) return false;
  const KeyCode code = XKeysymToKeycode(display_.get(), symbol);
  char keys[32] = {};
  XQueryKeymap(display_.get(), keys);
  return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

// The player's thread ends the play; this one looks in on it and on the keyboard meanwhile.
void LinuxMedia::wait(portable::MediaDevices::Sound& sound, std::uint64_t, int breakKey) {
  while (sound.playing() && !keyDown(breakKey)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace platform::linuxdesktop
