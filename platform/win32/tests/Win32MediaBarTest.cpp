// The preview bar on a real window: pressed with the mouse, it plays and stops a real file,
// and what it paints is read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/MPlayer.h"
#include "framework/Form.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using namespace std::chrono_literals;
using Btn = TMPBtnType;
using platform::win32::testing::pumpFor;
using platform::win32::testing::pumpUntil;

class MediaBarOnWindows : public ::testing::Test {
 protected:
  MediaBarOnWindows() {
    form.SetClientSize(120, 60);
    bar->SetParent(&form);
    bar->SetBounds({16, 16, 57, 22});
    bar->SetVisibleButtons({Btn::btPlay, Btn::btStop});
    bar->SetEnabledButtons({Btn::btPlay, Btn::btStop});
    bar->SetColoredButtons({Btn::btPause, Btn::btNext, Btn::btPrev, Btn::btStep, Btn::btBack,
                            Btn::btRecord, Btn::btEject});
    bar->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
    bar->SetFileName(platform::win32::testing::testSounds() + "\\long.wav");
    form.LoadedAll();
    form.CreateHandle();
    form.SetVisible(true);
  }
  ~MediaBarOnWindows() override { bar->Close(); }

  HWND Window() const { return platform::win32::toWindow(bar->Peer()->handle()); }
  void Click(int x) { platform::win32::testing::clickAt(Window(), x, 10); }
  COLORREF Pixel(int x, int y) {
    pumpFor(desktop, 100ms);
    return GetPixel(platform::win32::windowDc(Window()).get().dc, x, y);
  }

  platform::win32::Win32Desktop desktop;
  platform::DesktopScope scope{desktop};
  platform::win32::Win32Media media;
  platform::MediaScope mediaScope{media};
  TForm form{nullptr, "Form"};
  TMediaPlayer* bar = form.Make<TMediaPlayer>("MediaPlayer2");
};

// Inside Play's triangle: black while Play can be pressed; its disabled picture is hollow
// there. The pictures' olive corners never reach the screen.
constexpr int kInsidePlay = 13;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kOlive = RGB(128, 128, 0);

TEST_F(MediaBarOnWindows, PlayPlaysTheFileInTheBackgroundAndStopEndsIt) {
  EXPECT_EQ(bar->BoundsRect(), (Bounds{16, 16, 57, 22}));
  EXPECT_NE(Pixel(kInsidePlay, 10), kBlack) << "disabled with no file open";
  bar->Open();
  EXPECT_EQ(Pixel(kInsidePlay, 10), kBlack);
  EXPECT_NE(Pixel(8, 3), kOlive);

  const auto start = std::chrono::steady_clock::now();
  Click(10);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "the play returns at once";
  EXPECT_EQ(bar->Error(), 0u) << bar->ErrorMessage();
  EXPECT_EQ(bar->Mode(), TMPModes::mpPlaying);
  EXPECT_FALSE(bar->EnabledButtons().Contains(Btn::btPlay));
  EXPECT_TRUE(bar->EnabledButtons().Contains(Btn::btStop));
  EXPECT_NE(Pixel(kInsidePlay, 10), kBlack);

  pumpFor(desktop, 1000ms);
  Click(40);
  EXPECT_EQ(bar->Mode(), TMPModes::mpStopped);
  EXPECT_TRUE(bar->EnabledButtons().Contains(Btn::btPlay));
  EXPECT_FALSE(bar->EnabledButtons().Contains(Btn::btStop));
  EXPECT_EQ(Pixel(kInsidePlay, 10), kBlack);
}

}  // namespace
}  // namespace wumpex
