#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <regex>
#include <tuple>

#include "app/Program.h"
#include "app/WumpexProps.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using platform::Handle;

class ApplicationTest : public DesktopTest {
 protected:
  ApplicationTest() { application.SetTitle(kProgramTitle); }
};

TEST_F(ApplicationTest, ExceptionDisplay) {
  // What is raised, and the text shown for it (nullptr: nothing shown).
  const std::tuple<std::function<void()>, const char*> cases[] = {
      {[] { throw EConvertError("'abc' is not a valid integer value"); },
       "'abc' is not a valid integer value."},
      {[] { throw Exception("Done."); }, "Done.."},      // the period is always added
      {[] { throw Exception("100% %s"); }, "100% %s."},  // the message is text, not a format
      {[] { throw std::runtime_error("bad"); }, "bad."},
      {[] { throw EAbort("quiet"); }, nullptr}};
  desktop.setCapture(0x4242);
  for (const auto& [raise, shown] : cases) {
    SCOPED_TRACE(shown ? shown : "abort");
    desktop.messageBoxes.clear();
    desktop.cancelModeSentTo.clear();
    GuardHandler(raise);
    EXPECT_EQ(desktop.cancelModeSentTo, std::vector<Handle>{0x4242}) << "mouse capture cancelled";
    ASSERT_EQ(desktop.messageBoxes.size(), shown ? 1u : 0u);
    if (!shown) continue;
    EXPECT_EQ(desktop.messageBoxes[0].text, shown);
    EXPECT_EQ(desktop.messageBoxes[0].caption, kProgramTitle);
    EXPECT_EQ(desktop.messageBoxes[0].owner, application.Handle());
  }
}

// What the program sets before a window exists reaches the window when it is made; the close
// box of a window that is neither the main one nor modal (any more) only hides it.
TEST_F(ApplicationTest, StateSetBeforeTheWindowReachesItAndClosingASecondFormHidesIt) {
  TForm second(nullptr, "Second");
  auto* button = second.Make<TButton>("Button");
  button->SetParent(&second);
  button->SetEnabled(false);
  second.CreateHandle();
  EXPECT_FALSE(Window(button).enabled());
  desktop.answerNextModal([&] { User(&second).closeRequested(); });
  EXPECT_EQ(second.ShowModal(), mrCancel);
  second.Show();
  User(&second).closeRequested();
  EXPECT_FALSE(second.Visible());
  EXPECT_FALSE(desktop.quitPosted());
}

TEST_F(ApplicationTest, ControlsPassOnOnlyRealChangesAndLeaveTheirParentWhenDestroyed) {
  TForm form(nullptr, "Form");
  auto* edit = form.Make<TEdit>("Edit");
  edit->SetParent(&form);
  form.CreateHandle();
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  for (const char* text : {"a", "a", "b"}) edit->SetText(text);
  User(edit).userEditedText("b");
  EXPECT_EQ(changes, 2) << "the same text again is no change";

  auto passing = std::make_unique<TButton>(nullptr, "Passing");
  passing->SetParent(&form);
  passing.reset();
  EXPECT_EQ(form.Controls(), std::vector<TControl*>{edit});
}

TEST_F(ApplicationTest, MessageBoxDisablesExactlyTheVisibleEnabledWindows) {
  TForm shown(nullptr, "Shown");
  TForm hidden(nullptr, "Hidden");
  TForm disabled(nullptr, "Disabled");
  for (TForm* f : {&shown, &hidden, &disabled}) f->CreateHandle();
  shown.Show();
  disabled.Show();
  disabled.SetEnabled(false);
  desktop.setActiveWindow(shown.Peer()->handle());

  EXPECT_EQ(application.MessageBox("text", "caption", 0), platform::mb::kIdOk);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  const auto& enabled = desktop.messageBoxes[0].enabledWhileShown;
  EXPECT_EQ(std::count(enabled.begin(), enabled.end(), shown.Peer()->handle()), 0);
  EXPECT_EQ(std::count(enabled.begin(), enabled.end(), hidden.Peer()->handle()), 1);
  EXPECT_TRUE(desktop.isWindowEnabled(shown.Peer()->handle()));
  EXPECT_FALSE(desktop.isWindowEnabled(disabled.Peer()->handle()));
  EXPECT_EQ(desktop.activeWindow(), shown.Peer()->handle());
}

TEST_F(ApplicationTest, LastResortReport) {
  desktop.setModuleFileName("C:\\Programs\\wumpex.exe");
  EXPECT_EQ(ShowLastResort(EOutOfResources("Not enough timers available")), 1);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  const auto& box = desktop.messageBoxes[0];
  EXPECT_EQ(box.caption, "Application Error");
  EXPECT_EQ(box.owner, 0u);
  EXPECT_NE(box.flags & platform::mb::kTaskModal, 0u) << "with no owner it must hold every window";
  EXPECT_TRUE(
      std::regex_match(box.text, std::regex("Exception EOutOfResources in module wumpex\\.exe at "
                                            "[0-9A-F]{8,16}\\.\nNot enough timers available\\.")))
      << box.text;

  desktop.messageBoxes.clear();
  desktop.setModuleFileName(std::string(70, 'x') + ".exe");
  ShowLastResort(Exception("ends."));
  EXPECT_TRUE(std::regex_match(desktop.messageBoxes[0].text,
                               std::regex("Exception Exception in module x{63} at [0-9A-F]+\\.\n"
                                          "ends\\.")))
      << desktop.messageBoxes[0].text;
}

// The whole life of the process on the in-memory desktop: the test's application object is
// left out, since the program makes its own.
class ProgramTest : public ::testing::Test, protected HeadlessServices {
 protected:
  ProgramTest() { SetRandSeed(0); }
};

TEST_F(ProgramTest, StartsHiddenTicksAndEndsWithZeroOnShutDown) {
  // At 15 s: the application window's title and whether each window is hidden, then whether
  // the timer runs; then the user shuts the program down.
  std::vector<std::string> seen;
  desktop.actAfter(15'000, [&] {
    for (Handle w : desktop.threadWindows()) {
      const auto* widget = desktop.widget(w);
      if (widget == nullptr) continue;  // the tray's message window
      if (widget->kind() == platform::WidgetKind::ApplicationWindow) seen.push_back(widget->text());
      seen.push_back(widget->visible() ? "shown" : "hidden");
    }
    seen.push_back(WumpexForm->Timer1->Enabled() ? "timer on" : "timer off");
    User(WumpexForm->ShutDownBtn).userClicked();
  });
  desktop.setUtcMillisecondsAtStart(1000);

  EXPECT_EQ(RunWumpex(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{kProgramTitle, "hidden", "hidden", "timer on"}));
  // The tick at 10 s reseeded from the clock and drew the next extra.
  EXPECT_EQ(RandSeed(), 11'000u * 134775813u + 1u);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(WumpexForm, nullptr);
  EXPECT_TRUE(desktop.threadWindows().empty()) << "windows left behind";
  EXPECT_EQ(desktop.runningTimers(), 0u);
}

}  // namespace
}  // namespace wumpex
