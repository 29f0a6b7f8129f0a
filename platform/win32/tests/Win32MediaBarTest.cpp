// The preview bar on a real window: pressed with the mouse, it plays and stops a real file,
// and what it paints is read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
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

// A 440 Hz tone of three seconds as 16-bit mono PCM at 22050 Hz.
std::string WriteTone() {
  constexpr std::uint32_t kRate = 22050;
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "wumpex-bar-tone.wav";
  std::ofstream out(path, std::ios::binary);
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  const std::uint32_t samples = kRate * 3;
  out << "RIFF";
  put(36 + samples * 2, 4);
  out << "WAVEfmt ";
  for (auto [value, bytes] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {kRate, 4}, {kRate * 2, 4}, {2u, 2}, {16u, 2}}) {
    put(value, bytes);
  }
  out << "data";
  put(samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double wave = std::sin(2 * std::numbers::pi * 440 * i / kRate);
    put(static_cast<std::uint16_t>(std::lround(16000 * wave)), 2);
  }
  return path;
}

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
    bar->SetFileName(tone);
    form.LoadedAll();
    form.CreateHandle();
    form.SetVisible(true);
  }
  ~MediaBarOnWindows() override {
    bar->Close();
    DeleteFileA(tone.c_str());
  }

  HWND Window() const { return platform::win32::toWindow(bar->Peer()->handle()); }
  void Click(int x) {
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
  }
  COLORREF Pixel(int x, int y) {
    pumpFor(desktop, 100ms);
    return GetPixel(platform::win32::windowDc(Window()).get().dc, x, y);
  }

  platform::win32::Win32Desktop desktop;
  platform::DesktopScope scope{desktop};
  platform::win32::Win32Media media;
  platform::MediaScope mediaScope{media};
  std::string tone = WriteTone();
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
