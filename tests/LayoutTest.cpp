#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class LayoutTest : public DesktopTest {
 protected:
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

// A page's room inside the page control: its width less the frame, its height less the tabs.
constexpr int kPageWidth = 315;
constexpr int kPageHeight = 301;

// Rules that any arrangement of the window keeps: each control lies inside its parent, a
// check box covers none of its siblings, and the tab stops of a parent run from 0 without
// gaps or twins.
TEST_F(LayoutTest, ControlsLieInsideTheirParentsWithTabStopsInOrder) {
  // The native windows are made in tab order, which is the order the Tab key follows.
  std::map<const TControl*, std::map<int, platform::Handle>> stops;
  std::map<const TControl*, std::vector<const TControl*>> children;
  for (const auto& owned : form->Components()) {
    const auto* c = dynamic_cast<const TControl*>(owned.get());
    if (c == nullptr || c->Parent() == nullptr) continue;
    SCOPED_TRACE(c->Name());
    if (c->TabOrder() >= 0) {
      EXPECT_TRUE(stops[c->Parent()].emplace(c->TabOrder(), c->Peer()->handle()).second);
    }
    if (dynamic_cast<const TTabSheet*>(c) != nullptr) continue;
    const Bounds b = c->BoundsRect();
    const auto isBox = [](const TControl* x) {
      return dynamic_cast<const TCheckBox*>(x) != nullptr;
    };
    for (const TControl* sibling : children[c->Parent()]) {
      const Bounds o = sibling->BoundsRect();
      EXPECT_TRUE(!(isBox(c) || isBox(sibling)) || b.left >= o.left + o.width ||
                  o.left >= b.left + b.width || b.top >= o.top + o.height ||
                  o.top >= b.top + b.height)
          << "covers " << sibling->Name();
    }
    children[c->Parent()].push_back(c);
    const bool onPage = dynamic_cast<const TTabSheet*>(c->Parent()) != nullptr;
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
}

// What the window's parts hand to their native windows, and the links between its parts.
TEST_F(LayoutTest, PartsReachTheirWindowsAndEachOther) {
  EXPECT_EQ(Window(form->PageControl1).items(),
            (std::vector<std::string>{"Timing", "WAV Folder", "Be Quiet", "About"}));
  EXPECT_EQ(Window(form).text(), kProgramTitle);
  EXPECT_EQ(Window(form).icon(), "MAINICON");
  for (TComboBox* box : {form->RandomTimeCB, form->VariableTimeCB}) {
    EXPECT_EQ(Window(box).items(), (std::vector<std::string>{"Seconds", "Minutes", "Hours"}));
    EXPECT_EQ(box->Text(), "Seconds");
  }
  // Every part shows in its own font.
  const std::function<void(const TControl&)> sameFont = [&](const TControl& parent) {
    for (const TControl* child : parent.Controls()) {
      EXPECT_EQ(Window(child).font(), child->Font()) << child->Name();
      sameFont(*child);
    }
  };
  sameFont(*form);
  EXPECT_TRUE(form->Settings1->Default());
  EXPECT_EQ(form->TrayIcon1->PopupMenu(), form->PopupMenu1);
  // The bar that plays the ticks stays out of sight; the preview, loaded with the window, is
  // ready at once.
  EXPECT_FALSE(Window(form->MediaPlayer1).visible());
  EXPECT_TRUE(form->MediaPlayer2->Opened());
}

TEST_F(LayoutTest, PatternsSortWithoutCaseAndASelectionBeyondThemIsNone) {
  // Letters before '_'.
  for (const char* pattern : {"zebra", "_x", "Alpha", "beta"}) form->BeQuietListBox->Add(pattern);
  EXPECT_EQ(form->BeQuietListBox->Items(),
            (std::vector<std::string>{"Alpha", "beta", "zebra", "_x"}));
  for (const int beyond : {-2, 4}) {
    form->BeQuietListBox->SetItemIndex(1);
    EXPECT_EQ(Window(form->BeQuietListBox).itemIndex(), 1);
    form->BeQuietListBox->SetItemIndex(beyond);
    EXPECT_EQ(form->BeQuietListBox->ItemIndex(), -1) << beyond;
    EXPECT_EQ(Window(form->BeQuietListBox).itemIndex(), -1) << beyond;
    form->BeQuietListBox->SetItemIndex(1);
    User(form->BeQuietListBox).userSelected(beyond);
    EXPECT_EQ(form->BeQuietListBox->ItemIndex(), -1) << beyond;
  }
  // A pattern sorted in at the selection moves the selected one down.
  form->BeQuietListBox->SetItemIndex(1);
  form->BeQuietListBox->Add("b");
  EXPECT_EQ(form->BeQuietListBox->ItemIndex(), 2);
  EXPECT_EQ(Window(form->BeQuietListBox).itemIndex(), 2);
}

TEST_F(LayoutTest, UpDownKeepsItsBoxWithinRangeWhenStepped) {
  // The up-down, the typed count, steps up (or down, if negative), the count shown.
  const std::tuple<TUpDown*, const char*, int, const char*> cases[] = {
      {form->UpDown1, "99", 5, "100"},  {form->UpDown1, "2", -5, "1"},
      {form->UpDown2, "1", -3, "0"},    {form->UpDown2, "50", 2, "52"},
      {form->UpDown1, "500", 0, "500"},  // typing is not limited
      {form->UpDown1, "500", -1, "100"}};
  EXPECT_EQ(form->UpDown1->Associate(), form->RandomTimeEB);
  EXPECT_EQ(form->UpDown2->Associate(), form->VariableTimeEB);
  for (const auto& [upDown, typed, steps, shown] : cases) {
    SCOPED_TRACE(typed);
    upDown->Associate()->SetText(typed);
    for (int i = 0; i < steps; ++i) upDown->StepUp();
    for (int i = 0; i > steps; --i) upDown->StepDown();
    EXPECT_EQ(upDown->Associate()->Text(), shown);
  }
}

TEST_F(LayoutTest, UserInputReachesTheControls) {
  for (const int unit : {2, 0}) {
    User(form->RandomTimeCB).userSelected(unit);
    EXPECT_EQ(form->RandomTimeCB->ItemIndex(), unit);
    EXPECT_EQ(form->RandomTimeCB->Text(), form->RandomTimeCB->Items()[unit]);
  }
  EXPECT_TRUE(Window(form->TimingTabSheet).visible());
  EXPECT_FALSE(Window(form->AboutTabSheet).visible());
  User(form->PageControl1).userSelected(3);
  EXPECT_EQ(form->PageControl1->ActivePage(), form->AboutTabSheet);
  User(form->PageControl1).userSelected(0);
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TimingTabSheet);
  User(form->ShutDownBtn).userClicked();
  EXPECT_TRUE(desktop.quitPosted());
  EXPECT_EQ(desktop.quitCode(), 0);
}

}  // namespace
}  // namespace wumpex
