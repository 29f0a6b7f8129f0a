// The program's own logic on the real Windows desktop: what only the platform decides.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using platform::win32::testing::SettingsFileInWindows;
using platform::win32::testing::settledSettings;
using platform::win32::testing::topLevelWindow;
using platform::win32::testing::windowsDirectory;

class ProgramOnWindows : public ::testing::Test {
 protected:
  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(windowsDirectory())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(ProgramOnWindows, WindowWalkSeesEveryTitleAndATitleHoldsTheTick) {
  form->BeQuietListBox->Add("Defrag");
  EXPECT_TRUE(form->BeQuietCheck());
  {
    const auto hidden = topLevelWindow("Disk Defragmenter", WS_POPUP);
    ASSERT_NE(hidden.get(), nullptr);
    EXPECT_FALSE(form->BeQuietCheck()) << "a hidden window's title counts too";
    form->WindowsList1->Refresh();
    bool listed = false;
    for (const auto& entry : form->WindowsList1->TheWindowsList()) {
      listed |= entry.info->Handle == reinterpret_cast<platform::Handle>(hidden.get());
    }
    EXPECT_TRUE(listed);
  }
  EXPECT_TRUE(form->BeQuietCheck()) << "closing the window lets the next tick play";
}

TEST_F(ProgramOnWindows, LongTitlesAreReadToTheir254thCharacter) {
  const std::string title = std::string(254, 'x') + "Defrag";
  const auto window = topLevelWindow(title, WS_POPUP);
  form->WindowsList1->Refresh();
  std::size_t longest = 0;
  for (const auto& entry : form->WindowsList1->TheWindowsList()) {
    longest = std::max(longest, entry.title.size());
  }
  EXPECT_EQ(longest, 254u);
  form->BeQuietListBox->Add("Defrag");
  EXPECT_TRUE(form->BeQuietCheck());
}

// The folder with one sound, tone.wav (1 s), that the test's runner made for the tick.
TEST_F(ProgramOnWindows, TickPlaysThePickedFileToItsEndOnTheWaveDevice) {
  const char* sounds = std::getenv("WUMPEX_TEST_SOUNDS");
  ASSERT_NE(sounds, nullptr) << "WUMPEX_TEST_SOUNDS names no folder";
  std::string folder = sounds;
  std::replace(folder.begin(), folder.end(), '/', '\\');
  form->SoundPathEB->SetText(folder);
  form->FileListBox1->SetDirectory(folder);
  ASSERT_EQ(form->FileListBox1->Count(), 1);

  const auto start = std::chrono::steady_clock::now();
  form->Timer1Timer(form->Timer1);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(900)) << "the tick waits for the sound's end";
  EXPECT_LT(took, std::chrono::milliseconds(3000));
  EXPECT_EQ(form->TrayIcon1->ToolTip(), "Last Wumpex! \"tone.wav\"");
  EXPECT_EQ(form->MediaPlayer1->DeviceID(), 0) << "closed after playing";
  EXPECT_TRUE(form->Timer1->Enabled());
}

// The settings file through the system's own profile calls.
TEST(SettingsOnWindows, LoadReadsLenientlyAndSaveWritesExactly) {
  platform::win32::Win32Services services;
  TApplication application;
  const std::string folder = windowsDirectory();
  SettingsFileInWindows settings("[WumpexSettings]\r\nWAVPath=" + folder +
                                 "\r\nRandomTime=0x1E\r\nRandomTimeType=7\r\nVariableTime=abc\r\n"
                                 "NumBeQuietItems=3\r\nBeQuietItem0=" +
                                 std::string(1100, 'p') + "\r\nBeQuietItem2=Calc\r\n");
  {
    const auto form = std::make_unique<TWumpexForm>();
    EXPECT_EQ(form->SoundPathEB->Text(), folder);
    EXPECT_EQ(form->RandomTimeEB->Text(), "30");
    EXPECT_EQ(form->RandomTimeCB->ItemIndex(), -1);
    EXPECT_EQ(form->VariableTimeEB->Text(), "5");
    EXPECT_EQ(form->VariableTimeCB->ItemIndex(), 0);
    EXPECT_EQ(form->BeQuietListBox->Items(),
              (std::vector<std::string>{"Calc", std::string(1023, 'p')}));

    form->RandomTimeEB->SetText(" 12");
    form->VariableTimeEB->SetText("$C");
    form->ApplyBtnClick(form->ApplyBtn);
    EXPECT_EQ(settings.content(),
              "[WumpexSettings]\r\nWAVPath=" + folder +
                  "\r\nRandomTime=12\r\nRandomTimeType=-1\r\nVariableTime=12\r\n"
                  "VariableTimeType=0\r\nNumBeQuietItems=2\r\nBeQuietItem0=Calc\r\n"
                  "BeQuietItem1=" +
                  std::string(1023, 'p') + "\r\n");
    form->BeQuietListBox->Clear();
    form->ApplyBtnClick(form->ApplyBtn);
    EXPECT_EQ(settings.content(),
              "[WumpexSettings]\r\nWAVPath=" + folder +
                  "\r\nRandomTime=12\r\nRandomTimeType=-1\r\nVariableTime=12\r\n"
                  "VariableTimeType=0\r\nNumBeQuietItems=0\r\n");
  }
  EXPECT_EQ(GetFileAttributesA((settings.path() + ".new").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no scratch file left behind";
}

}  // namespace
}  // namespace wumpex
