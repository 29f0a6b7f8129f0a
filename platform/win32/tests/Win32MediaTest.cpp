#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

#include "app/MPlayer.h"
#include "framework/Exceptions.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using namespace std::chrono_literals;
using wumpex::TMediaPlayer;
using wumpex::TMPDeviceTypes;

std::string tempPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder + name;
}

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A 440 Hz tone as 16-bit mono PCM at 22050 Hz; amplitude 0 makes it silence.
std::string writeTone(const std::string& name, std::uint32_t milliseconds, double amplitude) {
  constexpr std::uint32_t kRate = 22050;
  const std::string path = tempPath(name);
  std::ofstream out(path, std::ios::binary);
  const std::uint32_t samples = kRate * milliseconds / 1000;
  out << "RIFF";
  putLittleEndian(out, 36 + samples * 2, 4);
  out << "WAVEfmt ";
  for (auto [value, bytes] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {kRate, 4}, {kRate * 2, 4}, {2u, 2}, {16u, 2}}) {
    putLittleEndian(out, value, bytes);
  }
  out << "data";
  putLittleEndian(out, samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double wave = std::sin(2 * std::numbers::pi * 440 * i / kRate);
    putLittleEndian(out, static_cast<std::uint16_t>(std::lround(amplitude * 32767 * wave)), 2);
  }
  return path;
}

class MediaTest : public ::testing::Test {
 protected:
  MediaTest() { player.SetDeviceType(TMPDeviceTypes::dtWaveAudio); }

  Win32Desktop desktop;
  DesktopScope desktopScope{desktop};
  Win32Media media;
  MediaScope mediaScope{media};
  TMediaPlayer player{nullptr, "Player"};
};

TEST_F(MediaTest, AWaitedPlayOfARealFileLastsAsLongAsTheFile) {
  const std::string tone = writeTone("wumpex-tone.wav", 1000, 0.5);
  player.SetFileName(tone);
  player.Open();
  ASSERT_NE(player.DeviceID(), 0);
  EXPECT_EQ(player.Length(), 1000u);
  MciParams escape;
  escape.virtKey = VK_ESCAPE;
  EXPECT_EQ(media.sendCommand(player.DeviceID(), mci::kBreak, mci::kBreakKey, escape), 0u);

  player.SetWait(true);
  const auto start = std::chrono::steady_clock::now();
  player.Play();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(player.Error(), 0u) << player.ErrorMessage();
  EXPECT_GE(took, 900ms);
  EXPECT_LE(took, 2500ms);
  EXPECT_EQ(player.Mode(), wumpex::TMPModes::mpStopped);

  player.Close();
  EXPECT_EQ(player.Error(), 0u);
  EXPECT_FALSE(player.Opened());
  DeleteFileA(tone.c_str());
}

TEST_F(MediaTest, APlayThatReturnsAtOnceNotifiesTheWindowWhenItEnds) {
  const std::string quiet = writeTone("wumpex-quiet.wav", 300, 0);
  player.SetFileName(quiet);
  player.Open();
  int notices = 0;
  player.OnNotify = [&](wumpex::TComponent*) { ++notices; };
  player.Play();
  player.ApplyTransition(wumpex::TMPBtnType::btPlay);
  ASSERT_TRUE(testing::pumpUntil(desktop, [&] { return notices > 0; }));
  EXPECT_EQ(player.NotifyValue(), wumpex::TMPNotifyValues::nvSuccessful);
  EXPECT_TRUE(player.EnabledButtons().Contains(wumpex::TMPBtnType::btPlay));
  EXPECT_FALSE(player.EnabledButtons().Contains(wumpex::TMPBtnType::btStop));
  player.Close();
  DeleteFileA(quiet.c_str());
}

TEST_F(MediaTest, AMissingFileIsRefusedWithTheSystemsText) {
  player.SetFileName(tempPath("wumpex-no-such-file.wav"));
  try {
    player.Open();
    ADD_FAILURE() << "opened";
  } catch (const wumpex::EMCIDeviceError& e) {
    EXPECT_EQ(player.Error(), mci::kErrFileNotFound);
    EXPECT_EQ(e.Message(), media.errorString(mci::kErrFileNotFound).value_or(""));
    EXPECT_NE(e.Message(), "Unknown error code");
  }
  EXPECT_FALSE(player.Opened());
}

}  // namespace
}  // namespace platform::win32
