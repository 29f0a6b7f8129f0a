// The program's own logic on the real Windows desktop: what only the platform decides.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using namespace platform::win32::testing;

// Answers, as a user pressing Escape, every dialog of this thread that shows while it lives,
// and keeps the message of each message box. It looks every 20 ms, from within whichever
// loop the thread runs.
class DialogAnswerer final : public platform::TimerEvents {
 public:
  explicit DialogAnswerer(platform::Desktop& desktop) : timers_(desktop.createTimerWindow(*this)) {
    timers_->setTimer(1, 20);
  }
  void timerFired(unsigned) override {
    for (HWND window : dialogsOf(GetCurrentProcessId())) {
      if (!answered_.insert(window).second) continue;
      // The message of a box is the static control numbered 0xFFFF.
      char text[1024] = {};
      if (GetDlgItemTextA(window, 0xFFFF, text, sizeof text) > 0) messages.push_back(text);
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
  }

  std::vector<std::string> messages;

 private:
  std::unique_ptr<platform::TimerWindow> timers_;
  std::set<HWND> answered_;
};

class ProgramOnWindows : public ::testing::Test {
 protected:
  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(windowsDirectory())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

// Every top-level window's title counts, a hidden one's too, read up to its 254th character;
// once the window has gone, the next tick plays.
TEST_F(ProgramOnWindows, WindowWalkSeesEveryTitleAndATitleHoldsTheTick) {
  form->BeQuietListBox->Add("Defrag");
  for (const std::string& title :
       {std::string("Disk Defragmenter"), std::string(248, 'x') + "Defrag",
        std::string(249, 'x') + "Defrag"}) {
    SCOPED_TRACE(title.size());
    EXPECT_TRUE(form->BeQuietCheck());
    {
      const auto hidden = topLevelWindow(title, WS_POPUP);
      ASSERT_NE(hidden.get(), nullptr);
      EXPECT_EQ(form->BeQuietCheck(), title.size() > 254) << "quiet while the title holds it";
      form->WindowsList1->Refresh();
      const auto& list = form->WindowsList1->TheWindowsList();
      EXPECT_TRUE(std::any_of(list.begin(), list.end(), [&](const auto& entry) {
        return entry.info->Handle == reinterpret_cast<platform::Handle>(hidden.get()) &&
               entry.title == title.substr(0, 254);
      }));
    }
  }
  EXPECT_TRUE(form->BeQuietCheck()) << "closing the window lets the next tick play";
}

// The folder with one sound, tone.wav (1 s), that the test's runner made for the tick.
TEST_F(ProgramOnWindows, TickPlaysThePickedFileToItsEndOnTheWaveDevice) {
  const std::string folder = testSounds();
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

// A standard user on current Windows may not add files to the Windows directory. Run alone,
// with that directory made so by the test's runner.
TEST(StandardUserOnWindows, TheFirstSaveGoesToApplicationData) {
  platform::win32::Win32Services services;
  const std::string windows = windowsDirectory();
  ASSERT_FALSE(services.profile.folderWritable(windows)) << "the Windows directory takes new files";
  ASSERT_EQ(GetFileAttributesA((windows + "\\WUMPEX.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string own = *services.profile.appDataFolder() + "\\Wumpex!";
  const std::string file = own + "\\WUMPEX.INI";
  ASSERT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  {
    TApplication application;
    const DialogAnswerer answerer(services.desktop);
    // The first start: its prompt answered and the folder picker cancelled.
    auto* form = application.CreateForm<TWumpexForm>();
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_TRUE(answerer.messages[0].starts_with("Wumpex! needs to know")) << answerer.messages[0];
    form->SoundPathEB->SetText(windows);
    GuardHandler([&] { form->OKBtnClick(form->OKBtn); });
    EXPECT_EQ(answerer.messages.size(), 1u) << answerer.messages.back();
  }
  std::ifstream saved(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(saved), {}};
  saved.close();
  EXPECT_NE(content.find("WAVPath=" + windows + "\r\n"), std::string::npos) << content;
  EXPECT_EQ(GetFileAttributesA((file + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(file.c_str());
  RemoveDirectoryA(own.c_str());
}

}  // namespace
}  // namespace wumpex
