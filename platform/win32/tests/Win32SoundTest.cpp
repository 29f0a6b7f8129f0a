// Sound on the real multimedia devices, each suite run on its own while the sound server is
// recorded: the preview bar pressed with the mouse on a real window, the simple sound call
// playing the program's built-in sound from memory, the program's tick kept quiet by a window
// that fills the screen, and files named in several scripts. The devices' answers are the
// desktop contract's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/MPlayer.h"
#include "app/WumpexProps.h"
#include "components/Waveplay.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32SimpleSound.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using namespace std::chrono_literals;
using namespace platform::win32::testing;
using Btn = TMPBtnType;

class MediaBarOnWindows : public ::testing::Test {
 protected:
  platform::win32::Win32Desktop desktop;
  platform::DesktopScope desktopScope{desktop};
  platform::win32::Win32Media media;
  platform::MediaScope mediaScope{media};
};

// Inside Play's triangle: black while Play can be pressed; its disabled picture is hollow
// there. The pictures' olive corners never reach the screen.
TEST_F(MediaBarOnWindows, PlayPlaysTheFileInTheBackgroundAndStopEndsIt) {
  TForm form{nullptr, "Form"};
  auto* bar = form.Make<TMediaPlayer>("MediaPlayer2");
  form.SetClientSize(120, 60);
  bar->SetParent(&form);
  bar->SetBounds({16, 16, 57, 22});
  bar->SetVisibleButtons({Btn::btPlay, Btn::btStop});
  bar->SetEnabledButtons({Btn::btPlay, Btn::btStop});
  bar->SetColoredButtons({Btn::btPause, Btn::btNext, Btn::btPrev, Btn::btStep, Btn::btBack,
                          Btn::btRecord, Btn::btEject});
  bar->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
  bar->SetFileName(testSounds() + "\\long.wav");
  form.LoadedAll();
  form.CreateHandle();
  form.SetVisible(true);
  const HWND window = platform::win32::toWindow(bar->Peer()->handle());
  const auto blackInsidePlay = [&] {
    pumpFor(desktop, 100ms);
    return GetPixel(platform::win32::windowDc(window).get().dc, 13, 10) == RGB(0, 0, 0);
  };
  EXPECT_FALSE(blackInsidePlay()) << "disabled with no file open";
  bar->Open();
  EXPECT_TRUE(blackInsidePlay());
  EXPECT_NE(GetPixel(platform::win32::windowDc(window).get().dc, 8, 3), RGB(128, 128, 0));

  const auto start = std::chrono::steady_clock::now();
  clickAt(window, 10, 10);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "the play returns at once";
  EXPECT_EQ(bar->Error(), 0u) << bar->ErrorMessage();
  EXPECT_EQ(bar->Mode(), TMPModes::mpPlaying);
  EXPECT_FALSE(blackInsidePlay());

  pumpFor(desktop, 1000ms);
  clickAt(window, 40, 10);
  EXPECT_EQ(bar->Mode(), TMPModes::mpStopped);
  EXPECT_TRUE(blackInsidePlay());
  bar->Close();
}

class SimpleSoundTest : public ::testing::Test {
 protected:
  platform::win32::Win32Desktop desktop;
  platform::DesktopScope desktopScope{desktop};
  platform::win32::Win32SimpleSound sound;
  platform::SimpleSoundScope soundScope{sound};
};

// A wave of a format that no driver knows.
TEST_F(SimpleSoundTest, AnImageTheSystemCannotPlayFailsAtOnceAndSilently) {
  const std::string image(
      "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x55\x55\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
      "data\x04\0\0\0\x80\x80\x80\x80",
      48);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(sound.playSound(image.c_str(), platform::snd::kMemory | platform::snd::kNoDefault));
  EXPECT_LE(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_TRUE(sound.playSound(nullptr, platform::snd::kSync));
}

// 20,764 bytes of sound at 4,096 bytes a second; the sound server adds its own latency, and a
// busy machine more.
TEST_F(SimpleSoundTest, TheBuiltInSoundPlaysFromMemoryToItsEnd) {
  TWavePlayer player{nullptr, "WavePlayer1"};
  std::istringstream stored{std::string(BuiltInWaveData())};
  player.Wave().ReadDataProperty(stored);
  const auto start = std::chrono::steady_clock::now();
  player.Play();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, 4900ms);
  EXPECT_LE(took, 10s);
  EXPECT_EQ(Screen().Cursor(), crDefault);
}

// Another program's window in front, as high as the screen or a pixel less: the tick that
// comes while it fills the screen plays nothing, and the server hears one tone in all.
TEST(FullScreenOnWindows, AWindowThatFillsTheScreenKeepsTheTickQuiet) {
  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(testSounds())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
  ASSERT_EQ(form->FileListBox1->Count(), 1);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  for (const int shortBy : {0, 1}) {
    SCOPED_TRACE(shortBy);
    const platform::win32::UniqueWindow film(
        CreateWindowExA(0, "STATIC", "Film", WS_POPUP | WS_VISIBLE, 0, 0, width, height - shortBy,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(film);
    SetForegroundWindow(film.get());
    ASSERT_TRUE(pumpUntil(services.desktop, [&] { return GetForegroundWindow() == film.get(); }));
    EXPECT_EQ(form->FullScreenCheck(), shortBy > 0);
    const auto start = std::chrono::steady_clock::now();
    form->Timer1Timer(form->Timer1);
    const auto took = std::chrono::steady_clock::now() - start;
    if (shortBy == 0) {
      EXPECT_LT(took, 500ms) << "nothing played";
    } else {
      EXPECT_GE(took, 900ms) << "the tone played";
    }
  }
}

// Names in several scripts, none of them all in the code page: the pool lists each as it is
// named and each plays, so the server hears all five tones.
TEST(UnicodeNamesOnWindows, EveryFileInTheFolderPlays) {
  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(testSounds())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
  const std::vector<std::string> names = {"caf\xC3\xA9.wav",                       // café
                                          "\xCE\xAE\xCF\x87\xCE\xBF\xCF\x82.wav",  // ήχος
                                          "\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA.wav",  // звук
                                          "\xE9\x9F\xB3.wav",                      // 音
                                          "\xF0\x9F\x94\x94.wav"};                 // a bell
  std::vector<std::string> listed = form->FileListBox1->Items();
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, names);
  std::vector<std::string> refused;
  for (const std::string& name : form->FileListBox1->Items()) {
    form->MediaPlayer1->SetFileName(testSounds() + "\\" + name);
    try {
      form->MediaPlayer1->Open();
    } catch (const EMCIDeviceError& error) {
      refused.push_back(name + ": " + error.Message());
      continue;
    }
    form->MediaPlayer1->SetWait(true);
    form->MediaPlayer1->Play();
    EXPECT_EQ(form->MediaPlayer1->Error(), 0u)
        << name << ": " << form->MediaPlayer1->ErrorMessage();
    form->MediaPlayer1->Close();
  }
  EXPECT_TRUE(refused.empty()) << ::testing::PrintToString(refused);
}

}  // namespace
}  // namespace wumpex

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
