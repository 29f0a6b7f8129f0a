#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/WumpexProps.h"
#include "platform/Media.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using platform::headless::HeadlessWidget;

class SettingsHandlersTest : public DesktopTest {
 protected:
  SettingsHandlersTest() { form->TrayIcon1DblClick(form->TrayIcon1); }

  // The dialog as the user meets it: the focused edit box and its window.
  const HeadlessWidget& FocusedBox() const { return *desktop.widget(desktop.focusedWindow()); }
  const HeadlessWidget& Dialog() const { return *FocusedBox().parent(); }

  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(SettingsHandlersTest, AddDialogAddsOnlyWhatOkConfirms) {
  using Close = std::function<void(const HeadlessWidget& dialog)>;
  const auto press = [this](const char* button) -> Close {
    return [this, button](const HeadlessWidget& d) {
      desktop.child(d.handle(), button)->events().userClicked();
    };
  };
  const struct {
    const char* what;
    const char* typed;
    Close close;
    bool added;
  } cases[] = {
      {"OK", "Defrag", press("OK"), true},
      {"OK with nothing typed", "", press("OK"), true},
      {"Cancel", "Calc", press("Cancel"), false},
      {"Escape", "Calc", [](const HeadlessWidget& d) { d.events().cancelRequested(); }, false},
      {"close box", "Calc", [](const HeadlessWidget& d) { d.events().closeRequested(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form->BeQuietListBox->Clear();
    form->ApplyBtn->SetEnabled(false);
    bool mainWindowDisabled = false;
    desktop.answerNextModal([&] {
      EXPECT_EQ(Dialog().text(), "Add new \"Be Quiet\" Application");
      EXPECT_TRUE(Dialog().style().closeBox);
      mainWindowDisabled = !desktop.isWindowEnabled(form->Peer()->handle());
      FocusedBox().events().userEditedText(c.typed);
      c.close(Dialog());
    });
    form->AddBeQuietItemBtn->Click();
    EXPECT_TRUE(mainWindowDisabled);
    EXPECT_TRUE(desktop.isWindowEnabled(form->Peer()->handle()));
    const auto listed = c.added ? std::vector<std::string>{c.typed} : std::vector<std::string>{};
    EXPECT_EQ(form->BeQuietListBox->Items(), listed);
    EXPECT_EQ(Window(form->BeQuietListBox).items(), listed) << "the list on screen shows it too";
    EXPECT_EQ(form->ApplyBtn->Enabled(), c.added);
  }
}

TEST_F(SettingsHandlersTest, ApplyFollowsEveryChangeOfASetting) {
  std::filesystem::create_directories(driveC.path() / "Waves");
  std::ofstream(driveC.path() / "Sounds" / "a.wav") << "RIFF";
  form->FileListBox1->SetDirectory("C:\\");
  form->FileListBox1->SetDirectory("C:\\Sounds");
  const auto browse = [this] { User(form->BrowseBtn).userClicked(); };
  const struct {
    const char* change;
    std::function<void()> act;
    bool enables;
  } cases[] = {
      {"typing a base count", [&] { User(form->RandomTimeEB).userEditedText("12"); }, true},
      {"stepping the adjustment", [&] { User(form->UpDown2).userStepped(1); }, true},
      {"choosing a base unit", [&] { User(form->RandomTimeCB).userSelected(2); }, true},
      {"typing a unit", [&] { User(form->VariableTimeCB).userEditedText("Min"); }, true},
      {"typing a folder", [&] { User(form->SoundPathEB).userEditedText("C:\\Wav"); }, true},
      {"browsing", [&] { folderBrowser.chooseNextFolder("C:\\Waves"), browse(); }, true},
      {"cancelling the browser", [&] { folderBrowser.cancelNextDialog(), browse(); }, false},
      {"ticking mute", [&] { User(form->WumpexDisabledCB).userToggled(true); }, true},
      {"unmuting by the menu", [&] { form->Enable1->Click(); }, true},
      {"muting by the menu", [&] { form->Disable1->Click(); }, true},
      {"clearing quiet at full screen", [&] { User(form->QuietFullScreenCB).userToggled(false); },
       true},
      {"ticking start at log-in", [&] { User(form->StartAtLogInCB).userToggled(true); }, true},
      {"selecting a sound",
       [&] {
         form->SoundPathEB->SetText("C:\\Sounds");
         form->FileListBox1->SetDirectory("C:\\Sounds");
         form->ApplyBtn->SetEnabled(false);
         User(form->FileListBox1).userSelected(0);
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    form->ApplyBtn->SetEnabled(false);
    c.act();
    EXPECT_EQ(form->ApplyBtn->Enabled(), c.enables);
  }
}

TEST_F(SettingsHandlersTest, DeleteRemovesTheSelectedPatternAsAChange) {
  for (const char* p : {"Defrag", "ScanDisk", "Calc"}) form->BeQuietListBox->Add(p);
  form->ApplyBtn->SetEnabled(false);
  form->DeleteBeQuietItemBtn->Click();
  EXPECT_EQ(form->BeQuietListBox->Count(), 3) << "nothing selected, nothing deleted";
  EXPECT_FALSE(form->ApplyBtn->Enabled());
  // One from the middle, then the first.
  for (const auto& [index, left] : {std::pair{1, std::vector<std::string>{"Calc", "ScanDisk"}},
                                    {0, std::vector<std::string>{"ScanDisk"}}}) {
    User(form->BeQuietListBox).userSelected(index);
    form->DeleteBeQuietItemBtn->Click();
    EXPECT_EQ(form->BeQuietListBox->Items(), left);
  }
  EXPECT_TRUE(form->ApplyBtn->Enabled());
}

TEST_F(SettingsHandlersTest, PreviewOpensTheTypedFolderJoinedWithTheListedName) {
  std::filesystem::create_directories(driveC.path() / "Listed");
  std::filesystem::create_directories(driveC.path() / "Typed");
  std::ofstream(driveC.path() / "Listed" / "a.wav") << "listed";
  form->FileListBox1->SetDirectory("C:\\Listed");
  form->SoundPathEB->SetText("C:\\Typed\\");
  media.commands.clear();
  User(form->FileListBox1).userSelected(0);
  ASSERT_FALSE(media.commands.empty());
  const auto& open = media.commands.back();
  EXPECT_EQ(open.message, platform::mci::kOpen);
  EXPECT_EQ(open.params.elementName, "C:\\Typed\\\\a.wav") << "the typed text as it stands";
  ASSERT_EQ(desktop.messageBoxes.size(), 1u) << "the typed folder holds no such file";
  EXPECT_FALSE(form->MediaPlayer2->Opened());
}

TEST_F(SettingsHandlersTest, DescriptionPlaysTheBuiltInSoundEachTimeItIsClicked) {
  for (std::size_t click = 1; click <= 2; ++click) {
    SCOPED_TRACE(click);
    form->ApplyBtn->SetEnabled(false);
    const std::uint64_t before = desktop.now();
    User(form->Label1).userClicked();
    ASSERT_EQ(simpleSound.calls.size(), click);
    EXPECT_TRUE(simpleSound.calls.back().played);
    EXPECT_EQ(simpleSound.calls.back().sound, form->WavePlayer1->Wave().Memory());
    EXPECT_GE(desktop.now() - before, 5'000u) << "the interface waits for the sound's end";
    EXPECT_FALSE(form->ApplyBtn->Enabled());
  }
}

}  // namespace
}  // namespace wumpex
