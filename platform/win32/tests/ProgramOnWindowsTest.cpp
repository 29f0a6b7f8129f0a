// The program's own logic on the real Windows desktop: what only the platform decides.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using platform::win32::testing::DialogAnswerer;
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

// The settings file made read-only for the test's length; a scratch file left beside it goes
// too, so that later tests find the Windows directory as it was.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  ~ReadOnlyFile() {
    for (const std::string& file : {path_, path_ + ".new"}) {
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    DeleteFileA((path_ + ".new").c_str());
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

TEST_F(ProgramOnWindows, OkOnAReadOnlySettingsFileSaysSoAndLeavesTheFileAsItWas) {
  const std::string before = settings.content();
  const ReadOnlyFile readOnly(settings.path());
  form->TrayIcon1DblClick(form->TrayIcon1);
  form->RandomTimeEB->SetText("20");
  const DialogAnswerer answerer(services.desktop);
  GuardHandler([&] { form->OKBtnClick(form->OKBtn); });
  EXPECT_EQ(answerer.messages, std::vector<std::string>{"Unable to write to WUMPEX.INI."});
  EXPECT_EQ(settings.content(), before);
  EXPECT_NE(GetFileAttributesA(settings.path().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(GetFileAttributesA((settings.path() + ".new").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no scratch file left behind";
}

// A folder of the test's own with one file that looks like a sound to the listing.
class SoundFolder {
 public:
  explicit SoundFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = temp + name;
    CreateDirectoryA(path_.c_str(), nullptr);
    std::ofstream(sound(), std::ios::binary) << "RIFF";
  }
  ~SoundFolder() {
    DeleteFileA(sound().c_str());
    RemoveDirectoryA(path_.c_str());
  }
  SoundFolder(const SoundFolder&) = delete;
  SoundFolder& operator=(const SoundFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string sound() const { return path_ + "\\tone.wav"; }

 private:
  std::string path_;
};

TEST_F(ProgramOnWindows, ASoundGoneOrDamagedSinceTheListingIsShownOnceAndLeftOut) {
  const struct {
    const char* folder;
    std::function<void(const SoundFolder&)> spoil;
  } cases[] = {
      {"wumpex-removed",
       [](const SoundFolder& f) {
         DeleteFileA(f.sound().c_str());
         RemoveDirectoryA(f.path().c_str());
       }},
      {"wumpex-damaged",
       [](const SoundFolder& f) {
         std::ofstream(f.sound(), std::ios::binary | std::ios::trunc) << "no wave at all";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const SoundFolder folder(c.folder);
    form->TrayIcon1DblClick(form->TrayIcon1);
    form->SoundPathEB->SetText(folder.path());
    form->OKBtnClick(form->OKBtn);
    ASSERT_EQ(form->FileListBox1->Items(), std::vector<std::string>{"tone.wav"});
    c.spoil(folder);
    const DialogAnswerer answerer(services.desktop);
    form->Timer1Timer(form->Timer1);
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_EQ(answerer.messages[0], form->MediaPlayer1->ErrorMessage() + ".");
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(answerer.messages.size(), 1u) << "shown once";
    EXPECT_EQ(form->TrayIcon1->ToolTip(), kEmptyPoolTip) << "left out of the picks";
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_GE(form->Timer1->Interval(), 10'000u);
  }
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
