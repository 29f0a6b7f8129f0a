// The media layer on the real multimedia devices: a waited play, a notified one, and a file
// the device refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
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
  player.SetFileName(testing::testSounds() + "\\tone.wav");
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
}

TEST_F(MediaTest, APlayThatReturnsAtOnceNotifiesTheWindowWhenItEnds) {
  player.SetFileName(testing::testSounds() + "\\quiet.wav");
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
}

TEST_F(MediaTest, AMissingFileIsRefusedWithTheSystemsText) {
  player.SetFileName(testing::testSounds() + "\\missing.wav");
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
