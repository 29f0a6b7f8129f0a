#include "platform/linux/PulsePlayer.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/portable/WaveLength.h"

namespace platform::linuxdesktop {
namespace {

struct StreamCloser {
  void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using Stream = std::unique_ptr<pa_simple, StreamCloser>;

}  // namespace

// The length is the one the wave device of Windows tells, from the chunks, as every desktop
// of the program tells it; libsndfile's count of whole frames can be a little shorter.
std::unique_ptr<PulsePlayer> PulsePlayer::Open(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  const auto length =
      bytes.starts_with("RIFF") ? portable::WaveLength(bytes.data(), bytes.size()) : std::nullopt;
  if (!length) {
    error = "not a wave sound";
    return nullptr;
  }
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr || info.channels <= 0 || info.samplerate <= 0) {
    error = sf_strerror(file);
    if (file != nullptr) sf_close(file);
    return nullptr;
  }
  return std::unique_ptr<PulsePlayer>(
      new PulsePlayer(file, info, static_cast<std::uint32_t>(*length)));
}

PulsePlayer::~PulsePlayer() {
  stop();
}

std::uint32_t PulsePlayer::length() const {
  return length_;
}

bool PulsePlayer::play(std::uint32_t from, std::uint32_t to, std::function<void()> ended,
                       std::string& error) {
  stop();
  const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(info_.samplerate),
                              static_cast<std::uint8_t>(info_.channels)};
  // A short buffer at the server, so that a stop is heard at once.
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<std::uint32_t>(-1);
  buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(100'000, &format));
  buffer.prebuf = static_cast<std::uint32_t>(-1);
  buffer.minreq = static_cast<std::uint32_t>(-1);
  buffer.fragsize = static_cast<std::uint32_t>(-1);
  int code = 0;
  Stream stream(pa_simple_new(nullptr, "Wumpex!", PA_STREAM_PLAYBACK, nullptr, "sound", &format,
                              nullptr, &buffer, &code));
  if (!stream) {
    error = pa_strerror(code);
    return false;
  }
  const sf_count_t first = static_cast<sf_count_t>(from) * info_.samplerate / 1000;
  const sf_count_t last =
      std::min<sf_count_t>(static_cast<sf_count_t>(to) * info_.samplerate / 1000, info_.frames);
  sf_seek(file_.get(), first, SEEK_SET);
  playing_ = true;
  thread_ = std::jthread([this, stream = std::move(stream), first, last,
                          ended = std::move(ended)](std::stop_token stopping) mutable {
    const sf_count_t piece = info_.samplerate / 50;
    std::vector<short> samples(static_cast<std::size_t>(piece * info_.channels));
    int failure = 0;
    for (sf_count_t at = first; at < last && !stopping.stop_requested();) {
      const sf_count_t read =
          sf_readf_short(file_.get(), samples.data(), std::min(piece, last - at));
      if (read <= 0) break;
      if (pa_simple_write(stream.get(), samples.data(),
                          static_cast<std::size_t>(read * info_.channels) * sizeof(short),
                          &failure) < 0) {
        break;
      }
      at += read;
    }
    if (stopping.stop_requested()) {
      pa_simple_flush(stream.get(), &failure);
    } else {
      pa_simple_drain(stream.get(), &failure);
    }
    playing_ = false;
    if (!stopping.stop_requested() && ended) ended();
  });
  return true;
}

void PulsePlayer::stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
  playing_ = false;
}

}  // namespace platform::linuxdesktop
