#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class LayoutTest : public DesktopTest {
 protected:
  TWumpexForm* form = application.CreateForm<TWumpexForm>();

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

// A page's room inside the page control: its width less the frame, its height less the tabs.
constexpr int kPageWidth = 315;
constexpr int kPageHeight = 301;

// Rules that any arrangement of the window keeps: each control lies inside its parent, the
// tab stops of a parent run from 0 without gaps or twins, and each page holds the controls
// that the program reads and the user works.
TEST_F(LayoutTest, ControlsLieInsideTheirParentsWithTabStopsInOrder) {
  // The native windows are made in tab order, which is the order the Tab key follows.
  std::map<const TControl*, std::map<int, platform::Handle>> stops;
  for (const auto& owned : form->Components()) {
    const auto* c = dynamic_cast<const TControl*>(owned.get());
    if (c == nullptr || c->Parent() == nullptr) continue;
    SCOPED_TRACE(c->Name());
    if (c->TabOrder() >= 0) {
      EXPECT_TRUE(stops[c->Parent()].emplace(c->TabOrder(), c->Peer()->handle()).second);
    }
    if (dynamic_cast<const TTabSheet*>(c) != nullptr) continue;
    const bool onPage = dynamic_cast<const TTabSheet*>(c->Parent()) != nullptr;
    const Bounds b = c->BoundsRect();
    const Bounds room = c->Parent()->BoundsRect();
    EXPECT_GT(b.width, 0);
    EXPECT_GT(b.height, 0);
    EXPECT_GE(b.left, 0);
    EXPECT_GE(b.top, 0);
    EXPECT_LE(b.left + b.width, onPage ? kPageWidth : room.width);
    EXPECT_LE(b.top + b.height, onPage ? kPageHeight : room.height);
  }
  for (const auto& [parent, orders] : stops) {
    SCOPED_TRACE(parent->Name());
    EXPECT_EQ(orders.rbegin()->first, static_cast<int>(orders.size()) - 1);
    EXPECT_TRUE(std::ranges::is_sorted(orders, {}, [](const auto& o) { return o.second; }));
  }

  const std::map<TTabSheet*, std::vector<TControl*>> held = {
      {form->TimingTabSheet,
       {form->RandomTimeEB, form->RandomTimeCB, form->VariableTimeEB, form->VariableTimeCB,
        form->UpDown1, form->UpDown2}},
      {form->WavFolderTabSheet,
       {form->SoundPathEB, form->BrowseBtn, form->FileListBox1, form->MediaPlayer2}},
      {form->BeQuietTabSheet,
       {form->BeQuietListBox, form->AddBeQuietItemBtn, form->DeleteBeQuietItemBtn,
        form->WumpexDisabledCB}},
      {form->AboutTabSheet, {form->StyledLabel1, form->AboutLabel, form->Label1, form->UrlLabel1}},
  };
  for (const auto& [page, controls] : held) {
    for (const TControl* c : controls) {
      const TControl* on = c;
      while (on != nullptr && on != page) on = on->Parent();
      EXPECT_EQ(on, page) << c->Name() << " on " << page->Caption();
    }
  }
}

// What the user reads, where a slip would show.
TEST_F(LayoutTest, TextsTheUserReads) {
  const std::pair<const TControl*, std::string> texts[] = {
      {form->OKBtn, "OK"},
      {form->ApplyBtn, "Apply"},
      {form->ShutDownBtn, "Shut Down"},
      {form->BrowseBtn, "&Browse"},
      {form->AddBeQuietItemBtn, "&Add"},
      {form->DeleteBeQuietItemBtn, "&Delete"},
      {form->WumpexDisabledCB, "&Mute Wumpex!"},
      {form->StyledLabel1, "WUMPEX!"},
      {form->AboutLabel, "Version 1.11 ( 21-Dec-1996 )"},
      {form->UrlLabel1, "wumpex@example.com"},
  };
  for (const auto& [control, text] : texts) EXPECT_EQ(TextOf(control), text) << control->Name();
  EXPECT_EQ(desktop.widget(form->PageControl1->Peer()->handle())->items(),
            (std::vector<std::string>{"Timing", "WAV Folder", "Be Quiet", "About"}));
}

TEST_F(LayoutTest, WindowAndStartingValues) {
  EXPECT_EQ(form, WumpexForm);
  EXPECT_EQ(application.MainForm(), form);
  EXPECT_EQ(form->Caption(), "Wumpex! 1.11");
  EXPECT_EQ(desktop.widget(form->Peer()->handle())->text(), "Wumpex! 1.11");
  EXPECT_EQ(desktop.widget(form->Peer()->handle())->icon(), "MAINICON");
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);
  EXPECT_TRUE(desktop.widget(form->TimingTabSheet->Peer()->handle())->visible());
  EXPECT_FALSE(desktop.widget(form->AboutTabSheet->Peer()->handle())->visible());

  for (TComboBox* box : {form->RandomTimeCB, form->VariableTimeCB}) {
    EXPECT_EQ(box->Items(), (std::vector<std::string>{"Seconds", "Minutes", "Hours"}));
    EXPECT_EQ(box->ItemIndex(), 0) << "the settings file chose the unit";
    EXPECT_EQ(box->Text(), "Seconds");
  }
  EXPECT_EQ(form->UpDown1->Associate(), form->RandomTimeEB);
  EXPECT_EQ(form->UpDown2->Associate(), form->VariableTimeEB);
  // The patterns list sorts letters without regard to case, and letters before '_'.
  for (const char* pattern : {"zebra", "_x", "Alpha", "beta"}) form->BeQuietListBox->Add(pattern);
  EXPECT_EQ(form->BeQuietListBox->Items(),
            (std::vector<std::string>{"Alpha", "beta", "zebra", "_x"}));
  // A selection beyond the items, set or made, is no selection.
  for (const int beyond : {-2, 4}) {
    form->BeQuietListBox->SetItemIndex(1);
    form->BeQuietListBox->SetItemIndex(beyond);
    EXPECT_EQ(form->BeQuietListBox->ItemIndex(), -1) << beyond;
    form->BeQuietListBox->SetItemIndex(1);
    User(form->BeQuietListBox).userSelected(beyond);
    EXPECT_EQ(form->BeQuietListBox->ItemIndex(), -1) << beyond;
  }
  EXPECT_FALSE(form->WumpexDisabledCB->Checked());
  EXPECT_EQ(form->UrlLabel1->URL(), "mailto:wumpex@example.com?subject=Wumpex! Correspondence");
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
  user(form->PageControl1).userSelected(0);
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);
  user(form->WumpexDisabledCB).userToggled(true);
  EXPECT_TRUE(form->WumpexDisabledCB->Checked());
  user(form->ShutDownBtn).userClicked();
  EXPECT_TRUE(desktop.quitPosted());
  EXPECT_EQ(desktop.quitCode(), 0);
}

}  // namespace
}  // namespace wumpex
