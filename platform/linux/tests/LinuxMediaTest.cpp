// Sound on the Linux desktop, over a sound server whose default sink is a null sink
// (scripts/desktop.sh makes one where none answers): what the wave-audio devices play is
// recorded from the sink's monitor. Their answers are the desktop contract's.
#include "platform/linux/LinuxMedia.h"

#include <gtest/gtest.h>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/linux/PulsePlayer.h"
#include "tests/HeadlessServices.h"

namespace platform::linuxdesktop {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
const std::string kAbout = WUMPEX_RESOURCES "/about.wav";  // 5069 ms, loud up to 4.8 s

// The null sink's monitor, read in 10-ms blocks with little latency so that nothing is lost:
// how much sound was heard, and when the last of it came.
class SinkRecorder {
 public:
  SinkRecorder() {
    const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(10'000, &format));
    stream_ = pa_simple_new(nullptr, "wumpex-test", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                            "monitor", &format, nullptr, &buffer, nullptr);
    thread_ = std::jthread([this](std::stop_token stop) {
      std::vector<short> block(441);
      while (stream_ != nullptr && !stop.stop_requested() &&
             pa_simple_read(stream_, block.data(), block.size() * sizeof(short), nullptr) == 0) {
        double sum = 0;
        for (const short s : block) sum += static_cast<double>(s) * s;
        if (std::sqrt(sum / static_cast<double>(block.size())) > 1000) {
          lastHeard = Clock::now();
          ++loudBlocks;
        }
      }
    });
  }
  ~SinkRecorder() {
    thread_.request_stop();
    thread_.join();
    if (stream_ != nullptr) pa_simple_free(stream_);
  }
  bool connected() const { return stream_ != nullptr; }
  double seconds() const { return loudBlocks * 0.01; }

  std::atomic<int> loudBlocks = 0;
  std::atomic<Clock::time_point> lastHeard{};

 private:
  pa_simple* stream_ = nullptr;
  std::jthread thread_;
};

using Notice = std::pair<std::uintptr_t, std::intptr_t>;  // how the play ended, and the device

// The Linux devices, with the notices they post from either thread and when the last came.
struct Linux {
  std::vector<Notice> received() {
    const std::scoped_lock hold(lock);
    return notices;
  }
  std::mutex lock;
  std::vector<Notice> notices;
  Clock::time_point lastNotice;
  LinuxMedia media{[this](Handle, unsigned message, std::uintptr_t how, std::intptr_t device) {
    const std::scoped_lock hold(lock);
    if (message == mci::kNotifyMessage) {
      notices.push_back({how, device});
      lastNotice = Clock::now();
    }
    return true;
  }};
};

// A play is heard up to where it was asked to end and says so only once the last of it has
// been heard; a stop cuts it short at once.
TEST(LinuxMediaTest, PlaysAreHeardToTheirEndOrStopAtOnce) {
  const struct {
    std::uint32_t to;
    std::chrono::milliseconds stopAfter;  // zero: let it end
    double low, high;                     // seconds heard
    std::uintptr_t notice;
  } plays[] = {{3600, 0ms, 0.5, 0.75, mci::kNotifySuccessful},
               {4700, 200ms, 0.05, 0.4, mci::kNotifyAborted}};
  for (const auto& p : plays) {
    SCOPED_TRACE(p.to);
    const SinkRecorder recorder;
    ASSERT_TRUE(recorder.connected()) << "no sound server";
    Linux host;
    MciParams params;
    params.callback = 1;
    params.elementName = kAbout;
    ASSERT_EQ(host.media.sendCommand(0, mci::kOpen, mci::kOpenElement, params), 0u);
    params.from = 3000;
    params.to = p.to;
    const std::uint32_t part = mci::kFrom | mci::kTo | mci::kNotify;
    ASSERT_EQ(host.media.sendCommand(params.deviceId, mci::kPlay, part, params), 0u);
    // The sink may pass silence on ahead of the play: the stop counts from the first sound.
    for (int waited = 0; recorder.loudBlocks == 0 && waited < 500; ++waited) {
      std::this_thread::sleep_for(10ms);
    }
    if (p.stopAfter > 0ms) {
      std::this_thread::sleep_for(p.stopAfter);
      ASSERT_EQ(host.media.sendCommand(params.deviceId, mci::kStop, 0, params), 0u);
    }
    for (int waited = 0; host.received().empty() && waited < 500; ++waited) {
      std::this_thread::sleep_for(10ms);
    }
    // The monitor passes the last of the sound on a little after the sink played it.
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(host.received(), (std::vector<Notice>{{p.notice, params.deviceId}}));
    EXPECT_GE(recorder.seconds(), p.low);
    EXPECT_LE(recorder.seconds(), p.high);
    const std::scoped_lock hold(host.lock);
    // A notice told by the clock, or when the last piece was written, comes the sink's latency
    // (some 60 ms) before the last sound; a stop's notice comes as the sound ends.
    EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(recorder.lastHeard.load() -
                                                                    host.lastNotice),
              40ms);
  }
}

// Without a sound server, a play fails with a text that names it.
TEST(LinuxMediaTest, APlayWithoutASoundServerSaysWhatIsMissing) {
  const char* server = std::getenv("PULSE_SERVER");
  const std::string previous = server != nullptr ? server : "";
  setenv("PULSE_SERVER", "unix:/nonexistent/native", 1);
  Linux host;
  MciParams params;
  params.elementName = kAbout;
  ASSERT_EQ(host.media.sendCommand(0, mci::kOpen, mci::kOpenElement, params), 0u);
  const std::uint32_t failed = host.media.sendCommand(params.deviceId, mci::kPlay, 0, params);
  server != nullptr ? setenv("PULSE_SERVER", previous.c_str(), 1) : unsetenv("PULSE_SERVER");
  EXPECT_EQ(failed, mci::kErrHardware);
  EXPECT_NE(host.media.errorString(failed).value_or("").find("sound server"), std::string::npos);
}

// libsndfile decodes each wave format it writes, and the length comes from the file's chunks.
TEST(PulsePlayerTest, OpensEveryWaveFormatWithItsLength) {
  const wumpex::TempFolder folder;
  const std::string path = (folder.path() / "half-second.wav").string();
  for (const int format :
       {SF_FORMAT_PCM_16, SF_FORMAT_FLOAT, SF_FORMAT_IMA_ADPCM, SF_FORMAT_MS_ADPCM}) {
    SCOPED_TRACE(format);
    SF_INFO info{0, 22050, 1, SF_FORMAT_WAV | format, 0, 0};  // mono, 22,050 Hz
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const std::vector<float> samples(11025, 0.5F);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    std::string error;
    const auto player = PulsePlayer::Open(path, error);
    ASSERT_TRUE(player) << error;
    EXPECT_NEAR(player->length(), 500, 12);
  }
}

}  // namespace
}  // namespace platform::linuxdesktop
