// The program's own logic on the real Windows desktop: what only the platform decides.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"

namespace wumpex {
namespace {

class ProgramOnWindows : public ::testing::Test {
 protected:
  platform::win32::Win32Services services;
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

// A top-level window of the test's own, as another program's would be.
class ForeignWindow {
 public:
  explicit ForeignWindow(const char* title)
      : window_(CreateWindowExA(0, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
  ~ForeignWindow() { DestroyWindow(window_); }
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST_F(ProgramOnWindows, WindowWalkSeesEveryTitleAndATitleHoldsTheTick) {
  form->BeQuietListBox->Add("Defrag");
  EXPECT_TRUE(form->BeQuietCheck());
  {
    ForeignWindow hidden("Disk Defragmenter");
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
  ForeignWindow window(title.c_str());
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

}  // namespace
}  // namespace wumpex
