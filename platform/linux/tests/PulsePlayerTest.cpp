// Runs with a sound server whose default sink is a null sink (scripts/desktop.sh makes one
// where none answers); what reaches the sink is recorded from its monitor.
#include "platform/linux/PulsePlayer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/tests/SinkRecorder.h"
#include "tests/HeadlessServices.h"

namespace platform::linuxdesktop {
namespace {

using namespace std::chrono_literals;
constexpr int kRate = 22050;

// A tone of `hertz` for `seconds`, written by libsndfile in the given WAV format.
void WriteTone(const std::string& path, int format, double hertz, double seconds) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] =
        0.5F * static_cast<float>(std::sin(2 * M_PI * hertz * static_cast<double>(i) / kRate));
  }
  sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

TEST(PulsePlayerTest, OpensEveryWaveFormatWithItsLength) {
  const wumpex::TempFolder folder;
  const std::pair<int, const char*> formats[] = {{SF_FORMAT_PCM_16, "pcm16"},
                                                 {SF_FORMAT_FLOAT, "float"},
                                                 {SF_FORMAT_IMA_ADPCM, "ima-adpcm"},
                                                 {SF_FORMAT_MS_ADPCM, "ms-adpcm"}};
  std::string error;
  for (const auto& [format, name] : formats) {
    const std::string path = (folder.path() / name).string() + ".wav";
    WriteTone(path, format, 440, 0.5);
    const auto player = PulsePlayer::Open(path, error);
    ASSERT_TRUE(player) << name << ": " << error;
    EXPECT_NEAR(player->length(), 500, 12) << name;
  }
  const auto jingle = PulsePlayer::Open(WUMPEX_RESOURCES "/about.wav", error);
  ASSERT_TRUE(jingle) << error;
  EXPECT_EQ(jingle->length(), 5069u) << "the built-in sound's chunks, as every desktop tells them";
  const std::string text = (folder.path() / "notes.wav").string();
  std::ofstream(text) << "Which sounds go where";
  EXPECT_FALSE(PulsePlayer::Open(text, error));
  EXPECT_FALSE(error.empty());
}

// A play is heard whole and says it ended; a stopped one is cut short and says nothing.
TEST(PulsePlayerTest, PlaysToTheSinkAndStopsAtOnce) {
  const wumpex::TempFolder folder;
  const std::string path = (folder.path() / "tone.wav").string();
  WriteTone(path, SF_FORMAT_PCM_16, 440, 1.0);
  std::string error;
  const auto player = PulsePlayer::Open(path, error);
  ASSERT_TRUE(player) << error;
  const struct {
    std::uint32_t to;
    std::chrono::milliseconds stopAfter;  // zero: let it end
    double low, high;                     // seconds heard
    bool ends;
  } plays[] = {{300, 0ms, 0.2, 0.45, true}, {1000, 200ms, 0.05, 0.4, false}};
  for (const auto& p : plays) {
    SCOPED_TRACE(p.to);
    const SinkRecorder recorder;
    ASSERT_TRUE(recorder.connected()) << "no sound server";
    std::atomic<bool> ended = false;
    ASSERT_TRUE(player->play(
        0, p.to, [&] { ended = true; }, error))
        << error;
    EXPECT_TRUE(player->playing());
    if (p.stopAfter > 0ms) {
      std::this_thread::sleep_for(p.stopAfter);
      player->stop();
    }
    for (int waited = 0; player->playing() && waited < 500; ++waited) {
      std::this_thread::sleep_for(10ms);
    }
    // The monitor passes the last of the sound on a little after the sink played it.
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(player->playing());
    EXPECT_EQ(ended, p.ends);
    EXPECT_GE(recorder.heard(), p.low);
    EXPECT_LE(recorder.heard(), p.high);
  }
}

}  // namespace
}  // namespace platform::linuxdesktop
