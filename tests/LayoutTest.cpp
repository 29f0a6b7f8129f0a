#include <gtest/gtest.h>

#include <map>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class LayoutTest : public DesktopTest {
 protected:
  TWumpexForm* form = application.CreateForm<TWumpexForm>();

  TControl* Control(const std::string& name) {
    auto* c = dynamic_cast<TControl*>(form->FindComponent(name));
    if (c == nullptr) ADD_FAILURE() << name << " missing";
    return c;
  }
  static std::string TextOf(const TControl* c) {
    if (auto* x = dynamic_cast<const TLabel*>(c)) return x->Caption();
    if (auto* x = dynamic_cast<const TButton*>(c)) return x->Caption();
    if (auto* x = dynamic_cast<const TCheckBox*>(c)) return x->Caption();
    if (auto* x = dynamic_cast<const TGroupBox*>(c)) return x->Caption();
    if (auto* x = dynamic_cast<const TTabSheet*>(c)) return x->Caption();
    if (auto* x = dynamic_cast<const TEdit*>(c)) return x->Text();
    if (auto* x = dynamic_cast<const TComboBox*>(c)) return x->Text();
    if (auto* x = dynamic_cast<const TImage*>(c)) return x->Icon();
    return "";
  }
};

// Auto-sized labels take their caption's size in the in-memory desktop's model font: 6 by 13
// pixels a character in the window's font, 27 by 55 in the banner's.
TEST_F(LayoutTest, EveryControlWithClassParentBoundsTextAndTabOrder) {
  struct Row {
    const char* name;
    const char* className;
    const char* parent;
    Bounds bounds;
    const char* text;
    int tabOrder;
  };
  const Row rows[] = {
      {"PageControl1", "TPageControl", "WumpexForm", {8, 8, 323, 329}, "", 0},
      {"OKBtn", "TButton", "WumpexForm", {96, 344, 75, 23}, "OK", 1},
      {"ApplyBtn", "TButton", "WumpexForm", {176, 344, 75, 23}, "Apply", 2},
      {"ShutDownBtn", "TButton", "WumpexForm", {256, 344, 75, 23}, "Shut Down", 3},
      {"MediaPlayer1", "TMediaPlayer", "WumpexForm", {304, 120, 29, 30}, "", 4},
      {"TimingTabSheet", "TTabSheet", "PageControl1", {}, "Timing", 0},
      {"WavFolderTabSheet", "TTabSheet", "PageControl1", {}, "WAV Folder", 1},
      {"BeQuietTabSheet", "TTabSheet", "PageControl1", {}, "Be Quiet", 2},
      {"AboutTabSheet", "TTabSheet", "PageControl1", {}, "About", 3},
      {"Image1", "TImage", "TimingTabSheet", {8, 16, 33, 33}, "IMAGE1", -1},
      {"StyledLabel2",
       "TStyledLabel",
       "TimingTabSheet",
       {48, 16, 257, 33},
       "Wumpex! timing settings allows control over the intervals between playing WAV's.",
       -1},
      {"TimingGB", "TGroupBox", "TimingTabSheet", {8, 80, 297, 89}, "Timing", 0},
      {"NoteLabel2", "TLabel", "TimingGB", {16, 24, 138, 13}, "Play random sound every", -1},
      {"NoteLabel3", "TLabel", "TimingGB", {16, 56, 132, 13}, "Random time adjustment", -1},
      {"UpDown1", "TUpDown", "TimingGB", {193, 24, 12, 21}, "", 0},
      {"RandomTimeEB", "TEdit", "TimingGB", {144, 24, 49, 21}, "10", 1},
      {"RandomTimeCB", "TComboBox", "TimingGB", {208, 24, 73, 21}, "Seconds", 2},
      {"VariableTimeCB", "TComboBox", "TimingGB", {208, 56, 73, 21}, "Seconds", 4},
      {"VariableTimeEB", "TEdit", "TimingGB", {144, 56, 49, 21}, "5", 3},
      {"UpDown2", "TUpDown", "TimingGB", {193, 56, 12, 21}, "", 5},
      {"Image3", "TImage", "WavFolderTabSheet", {8, 16, 33, 33}, "IMAGE3", -1},
      {"StyledLabel3",
       "TStyledLabel",
       "WavFolderTabSheet",
       {48, 16, 257, 39},
       "The Wumpex! WAV folder setting allows control where Wumpex! will search for a random "
       "sound to play.",
       -1},
      {"SoundPathGB", "TGroupBox", "WavFolderTabSheet", {8, 80, 297, 209}, "WAV Sounds Folder", 0},
      {"Label4", "TLabel", "SoundPathGB", {16, 152, 42, 13}, "Preview", -1},
      {"SoundPathEB", "TEdit", "SoundPathGB", {16, 120, 185, 21}, "C:\\Sounds", 0},
      {"BrowseBtn", "TButton", "SoundPathGB", {208, 120, 75, 23}, "&Browse", 1},
      {"FileListBox1", "TFileListBox", "SoundPathGB", {16, 24, 265, 84}, "", 2},
      {"MediaPlayer2", "TMediaPlayer", "SoundPathGB", {16, 171, 57, 22}, "", 3},
      {"ProgramOffIconImage", "TImage", "BeQuietTabSheet", {8, 16, 33, 33}, "PROGRAMOFF", -1},
      {"StyledLabel4",
       "TStyledLabel",
       "BeQuietTabSheet",
       {48, 16, 257, 57},
       "The Be Quiet settings define running applications that Wumpex! not should interrupt "
       "with WAV's.  Pattern matching is done so title bar changes can be accounted for.",
       -1},
      {"WumpexDisabledCB", "TCheckBox", "BeQuietTabSheet", {8, 280, 201, 17}, "&Mute Wumpex!", 0},
      {"GroupBox1",
       "TGroupBox",
       "BeQuietTabSheet",
       {8, 80, 297, 177},
       "\"Be Quiet\" Application List",
       1},
      {"AddBeQuietItemBtn", "TButton", "GroupBox1", {16, 146, 75, 23}, "&Add", 0},
      {"DeleteBeQuietItemBtn", "TButton", "GroupBox1", {96, 146, 75, 23}, "&Delete", 1},
      {"BeQuietListBox", "TListBox", "GroupBox1", {16, 24, 265, 108}, "", 2},
      {"ProgramOnIconImage", "TImage", "AboutTabSheet", {8, 16, 33, 33}, "MAINICON", -1},
      {"AboutLabel",
       "TLabel",
       "AboutTabSheet",
       {64, 88, 169, 13},
       "Version 1.11 ( 21-Dec-1996 )",
       -1},
      {"StyledLabel1", "TStyledLabel", "AboutTabSheet", {64, 8, 196, 62}, "WUMPEX!", -1},
      {"UrlLabel1", "TUrlLabel", "AboutTabSheet", {144, 264, 108, 13}, "wumpex@example.com", -1},
      {"Label1",
       "TLabel",
       "AboutTabSheet",
       {64, 112, 217, 33},
       "Random sounds and noises system extention.",
       -1},
      {"Label2",
       "TLabel",
       "AboutTabSheet",
       {144, 216, 171, 13},
       "Written in C++ on the Win32 API",
       -1},
      {"Label3", "TLabel", "AboutTabSheet", {144, 248, 81, 13}, "Wumpex! team", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TControl* c = Control(row.name);
    if (c == nullptr) continue;
    EXPECT_STREQ(c->ClassName(), row.className);
    ASSERT_NE(c->Parent(), nullptr);
    EXPECT_EQ(c->Parent()->Name(), row.parent);
    if (row.bounds != Bounds{}) {
      EXPECT_EQ(c->BoundsRect(), row.bounds);
    }
    EXPECT_EQ(TextOf(c), row.text);
    EXPECT_EQ(c->TabOrder(), row.tabOrder);
  }
}

TEST_F(LayoutTest, WindowAndStartingValues) {
  EXPECT_EQ(form, WumpexForm);
  EXPECT_EQ(application.MainForm(), form);
  EXPECT_EQ(form->Caption(), "Wumpex! 1.11");
  EXPECT_EQ(form->BoundsRect().width, 337);
  EXPECT_EQ(form->BoundsRect().height, 373);
  EXPECT_EQ(form->Font(), (platform::Font{"MS Sans Serif", -11, false}));
  EXPECT_EQ(form->Icon(), "MAINICON");
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);
  EXPECT_EQ(form->PageControl1->Pages().size(), 4u);

  const std::vector<std::string> units{"Seconds", "Minutes", "Hours"};
  for (TComboBox* box : {form->RandomTimeCB, form->VariableTimeCB}) {
    EXPECT_EQ(box->Items(), units);
    EXPECT_EQ(box->ItemIndex(), 0) << "the settings file chose the unit";
  }
  EXPECT_EQ(form->UpDown1->Associate(), form->RandomTimeEB);
  EXPECT_EQ(form->UpDown2->Associate(), form->VariableTimeEB);
  EXPECT_EQ((std::vector{form->UpDown1->Min(), form->UpDown1->Max(), form->UpDown1->Position()}),
            (std::vector{1, 100, 10}));
  EXPECT_EQ((std::vector{form->UpDown2->Min(), form->UpDown2->Max(), form->UpDown2->Position()}),
            (std::vector{0, 100, 5}));
  EXPECT_TRUE(form->BeQuietListBox->Sorted());
  EXPECT_EQ(form->BeQuietListBox->Count(), 0);
  EXPECT_EQ(form->BeQuietListBox->ItemHeight(), 13);
  EXPECT_EQ(form->FileListBox1->ItemHeight(), 16);
  EXPECT_FALSE(form->WumpexDisabledCB->Checked());
  EXPECT_EQ(form->StyledLabel1->Font(), (platform::Font{"Haettenschweiler", -53, true}));
  EXPECT_EQ(form->UrlLabel1->URL(), "mailto:wumpex@example.com?subject=Wumpex! Correspondence");
  EXPECT_EQ(form->UrlLabel1->Hint(), "Click here to send mail");
  EXPECT_TRUE(form->UrlLabel1->ShowHint());
  EXPECT_FALSE(form->UrlLabel1->ParentShowHint());
  EXPECT_EQ(form->UrlLabel1->Cursor(), 5);
  EXPECT_EQ(form->StyledLabel1->TextStyle(), TTextStyle::tsShadow);
  EXPECT_EQ(form->StyledLabel1->ShadowDepth(), 7);
  for (const TStyledLabel* heading : {form->StyledLabel2, form->StyledLabel3, form->StyledLabel4}) {
    EXPECT_EQ(heading->TextStyle(), TTextStyle::tsNone) << heading->Name();
    EXPECT_TRUE(heading->WordWrap()) << heading->Name();
  }
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_FALSE(form->MediaPlayer1->Visible());
  EXPECT_EQ(form->FileListBox1->Mask(), "*.wav");
  EXPECT_TRUE(form->MediaPlayer2->Opened()) << "the preview opens the bare device at start";
  EXPECT_EQ(form->TrayIcon1->ToolTip(), "Wumpex!");
  EXPECT_TRUE(form->TrayIcon1->Active());
  EXPECT_EQ(form->TrayIcon1->PopupMenu(), form->PopupMenu1);
}

TEST_F(LayoutTest, TrayMenuItems) {
  struct Row {
    const char* name;
    const char* caption;
    bool isDefault;
    bool radio;
    bool checked;
    int group;
  };
  const Row rows[] = {
      {"Settings1", "Wumpex! &Settings", true, false, false, 0},
      {"N2", "-", false, false, false, 1},
      {"Enable1", "Mute off", false, true, true, 1},
      {"Disable1", "Mute on", false, true, false, 1},
      {"N1", "-", false, false, false, 1},
      {"Shutdown1", "Shutdown Wumpex!", false, false, false, 2},
  };
  const auto& items = form->PopupMenu1->Items();
  ASSERT_EQ(items.size(), std::size(rows));
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(items[i]->Name(), rows[i].name);
    EXPECT_EQ(items[i]->Caption(), rows[i].caption);
    EXPECT_EQ(items[i]->Default(), rows[i].isDefault);
    EXPECT_EQ(items[i]->RadioItem(), rows[i].radio);
    EXPECT_EQ(items[i]->Checked(), rows[i].checked);
    EXPECT_EQ(items[i]->GroupIndex(), rows[i].group);
  }
  // Radio marks move within their group.
  form->Disable1->SetChecked(true);
  EXPECT_FALSE(form->Enable1->Checked());
  EXPECT_TRUE(form->Disable1->Checked());
}

TEST_F(LayoutTest, NativeWindowMirrorsTheControlsInTabOrder) {
  const auto* window = desktop.widget(form->Peer()->handle());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->kind(), platform::WidgetKind::Form);
  EXPECT_FALSE(window->visible());
  EXPECT_EQ(window->text(), "Wumpex! 1.11");

  const auto* tabs = desktop.widget(form->PageControl1->Peer()->handle());
  EXPECT_EQ(tabs->items(), (std::vector<std::string>{"Timing", "WAV Folder", "Be Quiet", "About"}));
  EXPECT_EQ(tabs->itemIndex(), 0);
  EXPECT_TRUE(desktop.widget(form->TimingTabSheet->Peer()->handle())->visible());
  EXPECT_FALSE(desktop.widget(form->AboutTabSheet->Peer()->handle())->visible());

  // Handles are handed out in creation order: within TimingGB the tab order decides.
  auto handle = [&](TControl* c) { return c->Peer()->handle(); };
  EXPECT_LT(handle(form->UpDown1), handle(form->RandomTimeEB));
  EXPECT_LT(handle(form->RandomTimeCB), handle(form->VariableTimeEB));
  EXPECT_LT(handle(form->VariableTimeEB), handle(form->VariableTimeCB));

  const auto* edit = desktop.widget(handle(form->RandomTimeEB));
  EXPECT_EQ(edit->text(), "10");
  EXPECT_EQ(edit->font(), (platform::Font{"MS Sans Serif", -11, false}));
  EXPECT_TRUE(desktop.widget(handle(form->BeQuietListBox))->style().sorted);
}

TEST_F(LayoutTest, UpDownKeepsItsBoxWithinRangeWhenStepped) {
  struct Case {
    TUpDown* TWumpexForm::*upDown;
    const char* typed;
    int steps;  // positive up, negative down
    const char* shown;
  };
  const Case cases[] = {
      {&TWumpexForm::UpDown1, "99", 5, "100"},   {&TWumpexForm::UpDown1, "2", -5, "1"},
      {&TWumpexForm::UpDown2, "1", -3, "0"},     {&TWumpexForm::UpDown2, "50", 2, "52"},
      {&TWumpexForm::UpDown1, "500", 0, "500"},  // typing is not limited
      {&TWumpexForm::UpDown1, "500", -1, "100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TUpDown* upDown = form->*c.upDown;
    upDown->Associate()->SetText(c.typed);
    for (int i = 0; i < c.steps; ++i) upDown->StepUp();
    for (int i = 0; i > c.steps; --i) upDown->StepDown();
    EXPECT_EQ(upDown->Associate()->Text(), c.shown);
  }
}

TEST_F(LayoutTest, UserInputReachesTheControls) {
  auto user = [&](TControl* c) -> platform::WidgetEvents& {
    return desktop.widget(c->Peer()->handle())->events();
  };
  user(form->RandomTimeCB).userSelected(2);
  EXPECT_EQ(form->RandomTimeCB->ItemIndex(), 2);
  EXPECT_EQ(form->RandomTimeCB->Text(), "Hours");
  user(form->RandomTimeEB).userEditedText("42");
  EXPECT_EQ(form->RandomTimeEB->Text(), "42");
  user(form->PageControl1).userSelected(3);
  EXPECT_EQ(form->PageControl1->ActivePage(), form->AboutTabSheet);
  user(form->WumpexDisabledCB).userToggled(true);
  EXPECT_TRUE(form->WumpexDisabledCB->Checked());
  user(form->ShutDownBtn).userClicked();
  EXPECT_TRUE(desktop.quitPosted());
  EXPECT_EQ(desktop.quitCode(), 0);
}

}  // namespace
}  // namespace wumpex
