#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace fs = std::filesystem;

// Every file of a folder, so that a save can be seen to leave nothing behind.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A desktop of its own for a case that cannot share one, as a refusal cannot be taken back:
// C:\Sounds holds a.wav and C:\Waves b.wav.
struct Session : Program {
  Session() {
    fs::create_directories(driveC.path() / "Waves");
    std::ofstream(driveC.path() / "Waves" / "b.wav") << "RIFF";
    std::ofstream(driveC.path() / "Sounds" / "a.wav") << "RIFF";
  }
};

class SettingsFileTest : public DesktopTest {
 protected:
  static std::unique_ptr<TWumpexForm> Start() { return std::make_unique<TWumpexForm>(); }
};

TEST_F(SettingsFileTest, LoadFillsTheControlsWithDefaultsForWhatIsMissing) {
  const std::string longPattern(1100, 'p');
  const struct {
    const char* what;
    std::string keys = "";
    const char* randomTime = "10";
    int randomUnit = 0;
    const char* variableTime = "5";
    int variableUnit = 0;
    std::vector<std::string> patterns = {"Defrag", "ScanDisk"};
    bool quietFullScreen = true;
  } cases[] = {
      {.what = "only the folder"},
      {.what = "every key",
       .keys = "RandomTime=0x1E\r\nRandomTimeType=2\r\nVariableTime=abc\r\nVariableTimeType=7\r\n"
               "NumBeQuietItems=3\r\nBeQuietItem0=Calc\r\nBeQuietItem2=Defrag\r\n"
               "QuietFullScreen=0\r\n",
       .randomTime = "30",
       .randomUnit = 2,
       .variableUnit = -1,
       .patterns = {"Calc", "Defrag"},
       .quietFullScreen = false},
      {.what = "any other number keeps quiet", .keys = "QuietFullScreen=2\r\n"},
      {.what = "a stored adjustment", .keys = "VariableTime=7\r\n", .variableTime = "7"},
      {.what = "a unit one past the last", .keys = "VariableTimeType=3\r\n", .variableUnit = -1},
      {.what = "count -1", .keys = "NumBeQuietItems=-1\r\nBeQuietItem0=Calc\r\n"},
      {.what = "count 0", .keys = "NumBeQuietItems=0\r\nBeQuietItem0=Calc\r\n", .patterns = {}},
      {.what = "count 1",
       .keys = "NumBeQuietItems=1\r\nBeQuietItem0=Calc\r\nBeQuietItem1=x\r\n",
       .patterns = {"Calc"}},
      {.what = "count -2", .keys = "NumBeQuietItems=-2\r\nBeQuietItem0=Calc\r\n", .patterns = {}},
      {.what = "a corrupt count reads only the pattern keys present",
       .keys = "NumBeQuietItems=8000\r\nBeQuietItem0=Calc\r\nbequietitem2=x\r\n"
               "BeQuietItem07=padded\r\nBeQuietItemX=y\r\nBeQuietItem9000=beyond\r\n",
       .patterns = {"Calc", "x"}},
      {.what = "a forged count",
       .keys = "NumBeQuietItems=2147483647\r\nBeQuietItem1=b\r\nBeQuietItem0=a\r\n",
       .patterns = {"a", "b"}},
      {.what = "a forged key number",
       .keys = "NumBeQuietItems=2147483647\r\nBeQuietItem2147483646=b\r\nBeQuietItem0=a\r\n"
               "BEQUIETITEM0=twice\r\n",
       .patterns = {"a", "b"}},
      {.what = "duplicates and a long pattern",
       .keys = "NumBeQuietItems=3\r\nBeQuietItem0=b\r\nBeQuietItem1=" + longPattern +
               "\r\nBeQuietItem2=b\r\n",
       .patterns = {"b", "b", longPattern.substr(0, 1023)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings("[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\n" + c.keys);
    const auto form = Start();
    EXPECT_EQ(form->SoundPathEB->Text(), "C:\\Sounds");
    EXPECT_EQ(form->RandomTimeEB->Text(), c.randomTime);
    EXPECT_EQ(form->RandomTimeCB->ItemIndex(), c.randomUnit);
    EXPECT_EQ(Window(form->RandomTimeCB).itemIndex(), c.randomUnit);
    EXPECT_EQ(Window(form->RandomTimeCB).text(),
              form->RandomTimeCB->Items()[static_cast<std::size_t>(c.randomUnit)]);
    EXPECT_EQ(form->VariableTimeEB->Text(), c.variableTime);
    EXPECT_EQ(form->VariableTimeCB->ItemIndex(), c.variableUnit);
    EXPECT_EQ(form->BeQuietListBox->Items(), c.patterns);
    EXPECT_EQ(form->QuietFullScreenCB->Checked(), c.quietFullScreen);
    EXPECT_EQ(Window(form->QuietFullScreenCB).checked(), c.quietFullScreen);
    // Made empty, then filled at once: a long list is not sent again for every pattern.
    EXPECT_EQ(Window(form->BeQuietListBox).itemUpdates(), 2);
    EXPECT_TRUE(desktop.messageBoxes.empty());
  }
}

TEST_F(SettingsFileTest, SaveWritesExactlyTheControlsAndKeepsOtherSections) {
  WriteSettings(
      "[Other]\r\nkept=1\r\n[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\nNumBeQuietItems=5\r\n"
      "BeQuietItem4=gone\r\n");
  // The counts typed, the patterns listed and the full-screen box; what is saved after the
  // folder.
  const std::tuple<const char*, const char*, std::vector<std::string>, bool, std::string> cases[] =
      {{" 12",
        "$C",
        {"ScanDisk", "Defrag"},
        true,
        "RandomTime=12\r\nRandomTimeType=1\r\nVariableTime=12\r\nVariableTimeType=-1\r\n"
        "NumBeQuietItems=2\r\nBeQuietItem0=Defrag\r\nBeQuietItem1=ScanDisk\r\n"
        "QuietFullScreen=1\r\n"},
       {"-3",
        "0",
        {},
        false,
        "RandomTime=-3\r\nRandomTimeType=1\r\nVariableTime=0\r\nVariableTimeType=-1\r\n"
        "NumBeQuietItems=0\r\nQuietFullScreen=0\r\n"}};
  const auto form = Start();
  for (const auto& [randomTime, variableTime, patterns, quietFullScreen, expected] : cases) {
    SCOPED_TRACE(randomTime);
    form->SoundPathEB->SetText("C:\\Sounds");
    form->RandomTimeEB->SetText(randomTime);
    form->RandomTimeCB->SetItemIndex(1);
    form->VariableTimeEB->SetText(variableTime);
    form->VariableTimeCB->SetItemIndex(-1);
    form->BeQuietListBox->Clear();
    for (const auto& p : patterns) form->BeQuietListBox->Add(p);
    form->QuietFullScreenCB->SetChecked(quietFullScreen);
    User(form->ApplyBtn).userClicked();
    EXPECT_EQ(ReadBytes(SettingsPath()),
              "[Other]\r\nkept=1\r\n[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\n" + expected);
    EXPECT_EQ(FilesIn(SettingsPath().parent_path()), std::vector<std::string>{"WUMPEX.INI"});
  }
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

// A save keeps the file's encoding while the code page holds every value; a folder named in
// another script makes it UTF-16, and the other program's section keeps its accent.
TEST_F(SettingsFileTest, SaveKeepsTheFileEncodingUntilAValueNeedsMore) {
  const std::string cafe = "C:\\caf\xC3\xA9", cyrillic = "C:\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA";
  for (const std::string& folder : {cafe, cyrillic})
    fs::create_directory(*profile.realPath(folder));
  const std::string other = "[Other]\r\nnote=caf\xC3\xA9\r\n[WumpexSettings]\r\nWAVPath=";
  const struct {
    std::string stored;
    std::string typed;
    bool utf16;
  } cases[] = {
      {"[Other]\r\nnote=caf\xE9\r\n[WumpexSettings]\r\nWAVPath=C:\\caf\xE9\r\n", cafe, false},
      {"[Other]\r\nnote=caf\xE9\r\n[WumpexSettings]\r\nWAVPath=C:\\caf\xE9\r\n", cyrillic, true},
      {Utf16File(other + cyrillic + "\r\n"), "C:\\Sounds", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    WriteSettings(c.stored);
    {
      const auto form = Start();
      User(form->SoundPathEB).userEditedText(c.typed);
      User(form->ApplyBtn).userClicked();
    }
    const std::string saved = ReadBytes(SettingsPath());
    EXPECT_EQ(saved.starts_with("\xFF\xFE"), c.utf16);
    EXPECT_TRUE(FileText(saved).starts_with(other + c.typed + "\r\n")) << FileText(saved);
    EXPECT_EQ(Start()->SoundPathEB->Text(), c.typed);
  }
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST(SettingsSaveTest, StoppedSaveLeavesTheStoredFileByteForByteAndTheWindowOpen) {
  const struct {
    const char* what;
    std::function<void(Session&, TWumpexForm&)> spoil;
    bool ok;  // else Apply
    const char* message;
  } cases[] = {
      {"base count", [](Session&, TWumpexForm& f) { f.RandomTimeEB->SetText("abc"); }, true,
       "'abc' is not a valid integer value."},
      {"adjustment count", [](Session&, TWumpexForm& f) { f.VariableTimeEB->SetText("1.5"); },
       false, "'1.5' is not a valid integer value."},
      {"read-only file",
       [](Session& s, TWumpexForm&) {
         fs::permissions(s.SettingsPath(), fs::perms::owner_write, fs::perm_options::remove);
       },
       true, "Unable to write to WUMPEX.INI."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session session;
    const auto form = std::make_unique<TWumpexForm>();
    form->TrayIcon1DblClick(form->TrayIcon1);
    form->BeQuietListBox->Add("Calc");
    form->ApplyBtn->SetEnabled(true);
    c.spoil(session, *form);
    session.User(c.ok ? form->OKBtn : form->ApplyBtn).userClicked();
    ASSERT_EQ(session.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(session.desktop.messageBoxes[0].text, c.message);
    EXPECT_EQ(ReadBytes(session.SettingsPath()), kSettledSettings);
    EXPECT_EQ(FilesIn(session.SettingsPath().parent_path()),
              std::vector<std::string>{"WUMPEX.INI"});
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_TRUE(form->ApplyBtn->Enabled());
  }
}

TEST(SettingsConfirmTest, OkAndApplyListATypedFolderAndCountATypedUnit) {
  using Pool = std::vector<std::string>;
  const struct {
    const char* what;
    const char* folder;
    const char* unit;
    TButton* TWumpexForm::*button;
    Pool pool;
    const char* savedUnit;
    std::uint32_t interval;  // 0: not scheduled
    const char* shown;
  } cases[] = {
      {"OK", "C:\\Waves", "minutes", &TWumpexForm::OKBtn, {"b.wav"}, "1", 600'000, ""},
      {"Apply", "C:\\Waves", "xyz", &TWumpexForm::ApplyBtn, {"b.wav"}, "-1", 0, ""},
      {"typed unit", "C:\\Sounds", "xyz", &TWumpexForm::OKBtn, {"a.wav"}, "-1", 10'000, ""},
      {"no folder", "", "Hours", &TWumpexForm::OKBtn, {}, "2", 36'000'000, ""},
      {"missing folder", "C:\\Missing", "", &TWumpexForm::OKBtn, {}, "-1", 0, "File not found."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session session;
    const auto form = std::make_unique<TWumpexForm>();
    form->TrayIcon1DblClick(form->TrayIcon1);
    form->VariableTimeEB->SetText("0");
    session.User(form->SoundPathEB).userEditedText(c.folder);
    session.User(form->RandomTimeCB).userEditedText(c.unit);
    EXPECT_EQ(form->FileListBox1->Items(), Pool{"a.wav"}) << "typing alone lists nothing";
    session.User((*form).*c.button).userClicked();
    EXPECT_EQ(form->FileListBox1->Items(), c.pool);
    const std::string saved = ReadBytes(session.SettingsPath());
    EXPECT_NE(saved.find("WAVPath=" + std::string(c.folder) + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("RandomTimeType=" + std::string(c.savedUnit) + "\r\n"), std::string::npos);
    EXPECT_EQ(form->Timer1->Enabled() ? form->Timer1->Interval() : 0u, c.interval);
    const bool ok = c.button == &TWumpexForm::OKBtn;
    EXPECT_EQ(form->Visible(), !ok || *c.shown) << "OK hides the window unless it must stay";
    EXPECT_TRUE(ok || !form->ApplyBtn->Enabled()) << "Apply switches itself off";
    std::vector<std::string> shown;
    for (const auto& box : session.desktop.messageBoxes) shown.push_back(box.text);
    EXPECT_EQ(shown, *c.shown ? std::vector<std::string>{c.shown} : std::vector<std::string>{});
    if (*c.shown) {
      // Confirmed again, the empty pool is no news.
      session.User(form->OKBtn).userClicked();
      EXPECT_EQ(session.desktop.messageBoxes.size(), 1u);
      EXPECT_FALSE(form->Visible());
    }
  }
}

// A file stays where it is; a new one goes to the Windows directory unless a standard user
// may not write there.
TEST_F(SettingsFileTest, FileLivesInTheWindowsDirectoryOrElseInApplicationData) {
  const struct {
    const char* what;
    bool inWindows, inAppData, windowsWritable, savedInWindows;
  } cases[] = {
      {"new, writable Windows directory", false, false, true, true},
      {"new, standard user", false, false, false, false},
      {"kept in the Windows directory", true, false, true, true},
      {"kept in application data", false, true, true, false},
      {"both: the Windows directory's", true, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session session;
    fs::remove(session.SettingsPath());
    const fs::path appData = session.driveC.path() / "users" / "wumpex" / "AppData" / "Roaming" /
                             "Wumpex!" / "WUMPEX.INI";
    std::string stored = "[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\nRandomTime=7\r\n";
    if (c.inWindows) session.WriteSettings(stored);
    if (c.inAppData) {
      fs::create_directories(appData.parent_path());
      std::ofstream(appData, std::ios::binary) << stored;
    }
    if (!c.windowsWritable) session.profile.refuseWritesIn("C:\\windows");
    if (!c.inWindows && !c.inAppData) session.folderBrowser.chooseNextFolder("C:\\Sounds");
    const auto form = std::make_unique<TWumpexForm>();
    EXPECT_EQ(form->RandomTimeEB->Text(), c.inWindows || c.inAppData ? "7" : "10");
    form->RandomTimeEB->SetText("8");
    session.User(form->ApplyBtn).userClicked();
    const fs::path saved = c.savedInWindows ? session.SettingsPath() : appData;
    const fs::path other = c.savedInWindows ? appData : session.SettingsPath();
    EXPECT_NE(ReadBytes(saved).find("RandomTime=8"), std::string::npos);
    EXPECT_EQ(ReadBytes(other).find("RandomTime=8"), std::string::npos);
  }
}

TEST_F(SettingsFileTest, FirstStartAsksForTheFolderAndHidesAgain) {
  for (const bool confirmed : {true, false}) {
    SCOPED_TRACE(confirmed ? "folder chosen" : "picker cancelled");
    SetRandSeed(0);
    Session session;
    fs::remove(session.SettingsPath());
    // While the picker shows: prompted once, window shown on the folder page, timer off.
    std::vector<bool> seen;
    session.folderBrowser.whileShown = [&](const platform::headless::ShownFolderDialog&) {
      seen = {session.desktop.messageBoxes.size() == 1, WumpexForm->Visible(),
              WumpexForm->PageControl1->ActivePage() == WumpexForm->WavFolderTabSheet,
              !WumpexForm->Timer1->Enabled()};
    };
    confirmed ? session.folderBrowser.chooseNextFolder("C:\\Waves")
              : session.folderBrowser.cancelNextDialog();
    auto form = std::make_unique<TWumpexForm>();
    ASSERT_EQ(session.desktop.messageBoxes.size(), 1u);
    const auto& box = session.desktop.messageBoxes[0];
    EXPECT_EQ(box.text, kFirstStartPrompt);
    EXPECT_EQ(box.caption, kFirstStartCaption);
    ASSERT_EQ(session.folderBrowser.dialogs.size(), 1u);
    EXPECT_EQ(session.folderBrowser.dialogs[0].title, "Select WAV sound folder...");
    EXPECT_EQ(seen, std::vector<bool>(4, true));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);
    EXPECT_EQ(form->SoundPathEB->Text(), confirmed ? "C:\\Waves" : "");
    EXPECT_EQ(form->FileListBox1->Count(), confirmed ? 1 : 0);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 10'000u) << "one base interval: seed 0 draws no extra";
    // The chosen folder is saved at once, and the next start asks no more; a cancel saves
    // nothing.
    EXPECT_EQ(ReadBytes(session.SettingsPath()).find("WAVPath=C:\\Waves\r\n") != std::string::npos,
              confirmed);
    form.reset();
    TWumpexForm again;
    EXPECT_EQ(session.desktop.messageBoxes.size(), confirmed ? 1u : 2u);
  }
}

}  // namespace
}  // namespace wumpex
