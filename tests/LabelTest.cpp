#include <gtest/gtest.h>

#include <optional>

#include "framework/Label.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

// The in-memory desktop measures 6 pixels a character and 13 a line in a font of height -11.
const platform::Font kSmall{"MS Sans Serif", -11, false};
const platform::Font kLarge{"Banner", -21, false};  // 11 by 23
constexpr Bounds kStart{10, 20, 60, 13};

struct LabelOnForm {
  LabelOnForm() {
    form.SetFont(kSmall);
    label->SetParent(&form);
    label->SetBounds(kStart);
  }

  TForm form{nullptr, "Form"};
  TLabel* label = form.Make<TLabel>("Label1");
};

using LabelTest = DesktopTest;

// Whose font changes before loading.
enum FontChange { kNoFont, kOwnFont, kParentFont };

TEST_F(LabelTest, AutoSizeTakesTheCaptionsRoomOnceLoaded) {
  using enum TAlignment;
  const struct {
    const char* what;
    const char* caption;
    Bounds bounds;
    bool accel = true, wrap = false, autoSize = true;
    FontChange font = kNoFont;
    TAlignment alignment = taLeftJustify;
  } rows[] = {
      {"one line", "abcdefgh", {10, 20, 48, 13}},
      {"lines of their own", "abc\r\nabcdef\nab", {10, 20, 36, 39}},
      {"empty caption", "", {10, 20, 0, 13}},
      {"prefix marks", "&Add && go", {10, 20, 48, 13}},
      {"prefixes shown as typed", "&Add && go", {10, 20, 60, 13}, false},
      {"tab to the eighth column", "ab\tc", {10, 20, 54, 13}},
      {"word wrap within the width", "one two three", {10, 20, 42, 26}, true, true},
      {"a lone wide word", "a abcdefghijkl b", {10, 20, 72, 39}, true, true},
      {"right kept", "abcdefghijklmn", {-14, 20, 84, 13}, true, false, true, {}, taRightJustify},
      {"own font", "abc", {10, 20, 33, 23}, true, false, true, kOwnFont},
      {"the parent's new font", "abc", {10, 20, 33, 23}, true, false, true, kParentFont},
      {"off", "abcdefghijklmn", kStart, true, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    LabelOnForm on;
    on.label->SetShowAccelChar(row.accel);
    on.label->SetWordWrap(row.wrap);
    on.label->SetAutoSize(row.autoSize);
    on.label->SetAlignment(row.alignment);
    on.label->SetCaption(row.caption);
    if (row.font == kOwnFont) on.label->SetFont(kLarge);
    if (row.font == kParentFont) on.form.SetFont(kLarge);
    EXPECT_EQ(on.label->BoundsRect(), kStart) << "nothing moves before loading";
    on.form.LoadedAll();
    EXPECT_EQ(on.label->BoundsRect(), row.bounds);
  }
}

TEST_F(LabelTest, AfterLoadingEveryChangeOfCaptionOrFontResizesThePeerToo) {
  LabelOnForm on;
  on.form.LoadedAll();
  on.form.CreateHandle();
  on.label->SetCaption("abcd");
  EXPECT_EQ(on.label->BoundsRect(), (Bounds{10, 20, 24, 13}));
  on.form.SetFont(kLarge);
  EXPECT_EQ(on.label->BoundsRect(), (Bounds{10, 20, 44, 23}));
  EXPECT_EQ(Window(on.label).bounds(), (Bounds{10, 20, 44, 23}));
  // Without accelerator marks the "&" is drawn as a character of its own.
  on.form.SetFont(kSmall);
  on.label->SetCaption("a&bc");
  on.label->SetShowAccelChar(false);
  EXPECT_EQ(on.label->BoundsRect(), (Bounds{10, 20, 24, 13}));
}

// Hints belong to every control; a label shows one here.
TEST_F(LabelTest, TheHintShowsWithShowHintOfItsOwnOrOfTheParentItFollows) {
  const struct {
    const char* what;
    bool handleFirst;
    bool parentShows;
    std::optional<bool> showHint;
    std::optional<bool> parentShowHint;
    const char* shown;
  } rows[] = {
      {"its own, as the settings window sets it", false, false, true, false, "Tip"},
      {"its own, set on the live window", true, false, true, false, "Tip"},
      {"ShowHint alone stops following", false, false, true, std::nullopt, "Tip"},
      {"defaults: following a parent without hints", false, false, std::nullopt, std::nullopt, ""},
      {"following a parent with hints", true, true, std::nullopt, std::nullopt, "Tip"},
      {"its own refusal over the parent's hints", false, true, false, std::nullopt, ""},
      {"following the parent again", true, false, true, true, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    LabelOnForm on;
    if (row.handleFirst) on.form.CreateHandle();
    on.label->SetHint("Tip");
    if (row.showHint) on.label->SetShowHint(*row.showHint);
    if (row.parentShowHint) on.label->SetParentShowHint(*row.parentShowHint);
    if (row.parentShows) on.form.SetShowHint(true);
    on.form.CreateHandle();
    EXPECT_EQ(Window(on.label).hint(), row.shown);
  }
}

}  // namespace
}  // namespace wumpex
