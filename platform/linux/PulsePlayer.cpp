#include "platform/linux/PulsePlayer.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cstring>
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

std::unique_ptr<PulsePlayer> PulsePlayer::Open(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open the file";
    return nullptr;
  }
  return FromImage({std::istreambuf_iterator<char>(in), {}}, error);
}

// The length is the one the wave device of Windows tells, from the chunks, as every desktop
// of the program tells it; libsndfile's count of whole frames can be a little shorter.
std::unique_ptr<PulsePlayer> PulsePlayer::FromImage(std::string image, std::string& error) {
  const auto length =
      image.starts_with("RIFF") ? portable::WaveLength(image.data(), image.size()) : std::nullopt;
  if (!length) {
    error = "not a wave sound";
    return nullptr;
  }
  std::unique_ptr<PulsePlayer> player(new PulsePlayer(
      std::make_unique<Image>(Image{std::move(image)}), static_cast<std::uint32_t>(*length)));
  static SF_VIRTUAL_IO reader{
      [](void* data) { return static_cast<sf_count_t>(static_cast<Image*>(data)->bytes.size()); },
      [](sf_count_t offset, int whence, void* data) {
        auto* read = static_cast<Image*>(data);
        const auto size = static_cast<sf_count_t>(read->bytes.size());
        const sf_count_t from = whence == SEEK_CUR ? read->at : whence == SEEK_END ? size : 0;
        read->at = std::clamp<sf_count_t>(from + offset, 0, size);
        return read->at;
      },
      [](void* into, sf_count_t count, void* data) {
        auto* read = static_cast<Image*>(data);
        const sf_count_t taken =
            std::min(count, static_cast<sf_count_t>(read->bytes.size()) - read->at);
        std::memcpy(into, read->bytes.data() + read->at, static_cast<std::size_t>(taken));
        read->at += taken;
        return taken;
      },
      [](const void*, sf_count_t, void*) { return sf_count_t{0}; },
      [](void* data) { return static_cast<Image*>(data)->at; }};
  SNDFILE* file = sf_open_virtual(&reader, SFM_READ, &player->info_, player->image_.get());
  if (file == nullptr || player->info_.channels <= 0 || player->info_.samplerate <= 0) {
    error = sf_strerror(file);
    if (file != nullptr) sf_close(file);
    return nullptr;
  }
  player->file_.reset(file);
  return player;
}

PulsePlayer::~PulsePlayer() {
  stop();
}

std::uint32_t PulsePlayer::length() const {
  return length_;
}

bool PulsePlayer::play(std::uint32_t from, std::uint32_t to, std::function<void()> ended,
                       std::string& error, bool repeat) {
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
  thread_ = std::jthread([this, stream = std::move(stream), first, last, repeat,
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
      if (repeat && at >= last) {
        sf_seek(file_.get(), first, SEEK_SET);
        at = first;
      }
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

void PulsePlayer::waitForEnd() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace platform::linuxdesktop
