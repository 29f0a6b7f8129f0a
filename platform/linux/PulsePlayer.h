#pragma once
// One WAV file played to the sound server: libsndfile decodes it (PCM, float, MS-ADPCM and
// IMA-ADPCM), PulseAudio's simple interface plays it on a thread of the player's own, in
// pieces of 20 ms, so that a stop takes effect within one piece. PipeWire serves it through
// its PulseAudio server.

#include <sndfile.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace platform::linuxdesktop {

class PulsePlayer {
 public:
  // Nothing, and why in `error`, when the file is no wave sound or cannot be decoded.
  static std::unique_ptr<PulsePlayer> Open(const std::string& path, std::string& error);
  // The same for a whole WAV file held in memory.
  static std::unique_ptr<PulsePlayer> FromImage(std::string image, std::string& error);
  ~PulsePlayer();
  PulsePlayer(const PulsePlayer&) = delete;
  PulsePlayer& operator=(const PulsePlayer&) = delete;

  // In milliseconds, from the file's chunks.
  std::uint32_t length() const;
  // Plays from `from` up to `to` (milliseconds), stopping a play under way first. `ended` runs
  // on the player's thread when the play reaches `to`, not when it is stopped; a repeating play
  // starts over at `from` instead until it is stopped. False, and why in `error`, when the
  // sound server cannot be reached.
  bool play(std::uint32_t from, std::uint32_t to, std::function<void()> ended, std::string& error,
            bool repeat = false);
  void stop();
  // Returns when a play that does not repeat has ended.
  void waitForEnd();
  bool playing() const { return playing_; }

 private:
  struct FileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
  };
  // The bytes that libsndfile reads, and where it reads.
  struct Image {
    std::string bytes;
    sf_count_t at = 0;
  };
  PulsePlayer(std::unique_ptr<Image> image, std::uint32_t length)
      : image_(std::move(image)), length_(length) {}

  std::unique_ptr<Image> image_;
  std::unique_ptr<SNDFILE, FileCloser> file_;
  SF_INFO info_{};
  std::uint32_t length_;
  std::jthread thread_;
  std::atomic<bool> playing_ = false;
};

}  // namespace platform::linuxdesktop
