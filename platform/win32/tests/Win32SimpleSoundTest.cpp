#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "components/Waveplay.h"
#include "framework/Screen.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32SimpleSound.h"

namespace platform::win32 {
namespace {

using namespace std::chrono_literals;

class SimpleSoundTest : public ::testing::Test {
 protected:
  Win32Desktop desktop;
  DesktopScope desktopScope{desktop};
  Win32SimpleSound sound;
  SimpleSoundScope soundScope{sound};
  wumpex::TWavePlayer player{nullptr, "WavePlayer1"};
};

TEST_F(SimpleSoundTest, AnImageTheSystemCannotPlayFailsAtOnceAndSilently) {
  // A wave of a format that no driver knows.
  const std::string image(
      "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x55\x55\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
      "data\x04\0\0\0\x80\x80\x80\x80",
      48);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(sound.playSound(image.c_str(), snd::kMemory | snd::kNoDefault));
  EXPECT_LE(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_TRUE(sound.playSound(nullptr, snd::kSync));
}

TEST_F(SimpleSoundTest, TheBuiltInSoundPlaysFromMemoryToItsEnd) {
  std::istringstream stored{std::string(wumpex::BuiltInWaveData())};
  player.Wave().ReadDataProperty(stored);
  const auto start = std::chrono::steady_clock::now();
  player.Play();
  const auto took = std::chrono::steady_clock::now() - start;
  // 20,764 bytes of sound at 4,096 bytes a second; the sound server adds its own latency,
  // and a busy machine more.
  EXPECT_GE(took, 4900ms);
  EXPECT_LE(took, 10s);
  EXPECT_EQ(wumpex::Screen().Cursor(), wumpex::crDefault);
}

}  // namespace
}  // namespace platform::win32

// Once a sound has played from memory, Wine's sound driver now and then crashes the process
// while it is being unloaded at exit, after every test has passed. The result is final when
// the tests have run, so the process ends there without unloading anything.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
  return result;
}
