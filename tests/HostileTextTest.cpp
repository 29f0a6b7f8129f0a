#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/WumpexProps.h"
#include "framework/IniFile.h"
#include "platform/LetterCase.h"
#include "platform/Media.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

// Text from outside (a count typed in, a file name, a folder, a pattern, a title, a stored
// value) reaches messages, tips and paths as it stands: never as a format, never cut short
// by a buffer, except where the system itself keeps only so much.
class HostileTextTest : public DesktopTest {
 protected:
  HostileTextTest() { form->VariableTimeEB->SetText("0"); }
  std::string LastBox() const {
    return desktop.messageBoxes.empty() ? "<none>" : desktop.messageBoxes.back().text;
  }

  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

// Format directives, and a name as long as a file's name may be.
const std::string kTexts[] = {"%s%n%x%p%%", "%n" + std::string(248, 'W')};

TEST_F(HostileTextTest, MessagesAndTipsHoldTheTextAsItStands) {
  for (const std::string& text : kTexts) {
    SCOPED_TRACE(text.substr(0, 12));
    desktop.messageBoxes.clear();
    form->RandomTimeEB->SetText(text);
    User(form->OKBtn).userClicked();
    EXPECT_EQ(LastBox(), "'" + text + "' is not a valid integer value.");
    form->RandomTimeEB->SetText("10");

    Application->HandleException(Exception(text));
    EXPECT_EQ(LastBox(), text + ".");
    ShowLastResort(Exception(text));
    EXPECT_TRUE(LastBox().ends_with("\n" + text + ".")) << LastBox();

    // A damaged sound of that name: its tip keeps the first 62 characters, the device is
    // asked for the file by its whole name.
    std::ofstream(driveC.path() / "Sounds" / (text + ".wav")) << "not a wave";
    folderBrowser.chooseNextFolder("C:\\Sounds");
    form->BrowseBtnClick(form->BrowseBtn);
    media.commands.clear();
    form->Timer1Timer(form->Timer1);
    const std::string tip = "Last Wumpex! \"" + text + ".wav\"";
    EXPECT_EQ(form->TrayIcon1->ToolTip(), tip.substr(0, TTrayIcon::kMaxToolTip));
    ASSERT_FALSE(media.commands.empty());
    EXPECT_EQ(media.commands.front().params.elementName, "C:\\Sounds\\" + text + ".wav");
    EXPECT_EQ(LastBox(), *media.errorString(platform::mci::kErrInvalidFile) + ".");
    std::filesystem::remove(driveC.path() / "Sounds" / (text + ".wav"));
  }
}

TEST_F(HostileTextTest, SettingsPatternsAndTitlesKeepTheTextAsItStands) {
  for (const std::string& text : kTexts) {
    SCOPED_TRACE(text.substr(0, 12));
    form->SoundPathEB->SetText("C:\\" + text);
    form->BeQuietListBox->Clear();
    form->BeQuietListBox->Add(text);
    User(form->ApplyBtn).userClicked();
    const TIniFile saved(kSettingsFileName);
    EXPECT_EQ(saved.ReadString(kSettingsSection, "WAVPath", ""), "C:\\" + text);
    EXPECT_EQ(saved.ReadString(kSettingsSection, "BeQuietItem0", ""), text);

    std::string bracketed = "[";
    bracketed += platform::UpperCase(text);
    bracketed += ']';
    const platform::Handle title = desktop.openForeignWindow(bracketed);
    EXPECT_FALSE(form->BeQuietCheck());
    desktop.closeForeignWindow(title);
  }
}

}  // namespace
}  // namespace wumpex
