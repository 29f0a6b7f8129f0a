#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "components/UrlLabel.h"
#include "framework/PopupMenu.h"
#include "framework/Screen.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using Execution = platform::headless::HeadlessShell::Execution;

constexpr const char* kAddress = "wumpex@example.com";
constexpr const char* kMailto = "mailto:wumpex@example.com?subject=Wumpex! Correspondence";

class UrlLabelTest : public DesktopTest {
 protected:
  UrlLabelTest() { label->SetParent(&form); }

  const platform::headless::HeadlessWidget& Widget() {
    form.CreateHandle();
    return Window(label);
  }

  TForm form{nullptr, "Form"};
  TUrlLabel* label = form.Make<TUrlLabel>("UrlLabel1");
};

TEST_F(UrlLabelTest, ClickHandsTheUntrimmedTargetToTheShellUnlessURLAndCaptionAreBlank) {
  const struct {
    const char* url;
    const char* caption;
    std::optional<std::string> target;
  } rows[] = {
      {kMailto, kAddress, kMailto},
      {"", "http://example.com/", "http://example.com/"},
      {" \t\r\n", "http://example.com/", "http://example.com/"},
      {"  mailto:wumpex@example.com ", kAddress, "  mailto:wumpex@example.com "},
      {"", " www.example.com\t", " www.example.com\t"},
      {"", "", std::nullopt},
      {"  ", " \x01\x1f ", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("URL \"") + row.url + "\", caption \"" + row.caption + "\"");
    shellAndClipboard.executions.clear();
    label->SetURL(row.url);
    label->SetCaption(row.caption);
    std::size_t callsBeforeHandler = 99;
    label->OnClick = [&](TComponent*) { callsBeforeHandler = shellAndClipboard.executions.size(); };
    Widget().events().userClicked();
    EXPECT_EQ(callsBeforeHandler, 0u) << "the label's own click handler runs first";
    std::vector<Execution> expected;
    if (row.target) expected.push_back({application.Handle(), "open", *row.target, 1});
    EXPECT_EQ(shellAndClipboard.executions, expected);
  }
}

TEST_F(UrlLabelTest, CopyPutsTheCaptionNotTheURLOnTheClipboard) {
  ASSERT_EQ(label->PopupMenu()->Items().size(), 1u);
  EXPECT_EQ(label->PopupMenu()->Items()[0]->Caption(), "Copy");
  label->SetURL(kMailto);
  label->SetCaption(kAddress);
  Widget().events().userRightClicked({150, 270});
  EXPECT_EQ(shellAndClipboard.clipboardText(0), std::nullopt) << "the menu closed without a choice";

  for (const char* caption : {kAddress, ""}) {
    label->SetCaption(caption);
    desktop.chooseNextMenuItem(0);
    Widget().events().userRightClicked({150, 270});
    EXPECT_EQ(shellAndClipboard.clipboardText(0), caption);
  }
  EXPECT_EQ(shellAndClipboard.clipboardOwners,
            std::vector({application.Handle(), application.Handle()}));
  EXPECT_TRUE(shellAndClipboard.executions.empty());
}

TEST_F(UrlLabelTest, EveryLabelPutsTheHandCursorInSlotFiveAndShowsWhatThatSlotHolds) {
  const platform::CursorHandle hand = desktop.loadCursor("HAND");
  EXPECT_EQ(Screen().Cursors(crHand), hand);
  EXPECT_EQ(label->Cursor(), crHand);
  EXPECT_EQ(Widget().events().cursorRequested(), hand);

  Screen().SetCursors(crHand, desktop.loadCursor("OTHER"));
  EXPECT_EQ(Widget().events().cursorRequested(), desktop.loadCursor("OTHER"));
  form.Make<TUrlLabel>("UrlLabel2");
  EXPECT_EQ(Widget().events().cursorRequested(), hand) << "a new label installs its hand again";
  EXPECT_EQ(std::count(desktop.loadedCursors.begin(), desktop.loadedCursors.end(), "HAND"), 3);

  label->SetCursor(crDefault);
  EXPECT_EQ(Widget().events().cursorRequested(), 0u) << "the system's own cursor";
  TLabel* plain = form.Make<TLabel>("Label1");
  plain->SetParent(&form);
  plain->SetCursor(crHand);
  EXPECT_EQ(Window(plain).events().cursorRequested(), hand)
      << "every control whose cursor is 5 shows the hand";
}

}  // namespace
}  // namespace wumpex
