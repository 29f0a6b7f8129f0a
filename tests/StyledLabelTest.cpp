#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "components/StyledLabel.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using platform::headless::PaintOp;
namespace dt = platform::dt;

constexpr TColor kRed = 0x000000FF;
constexpr TColor kNavy = 0x00800000;
const platform::Font kBanner{"Haettenschweiler", -53, true, kNavy};
constexpr Bounds kBounds{48, 16, 257, 33};

class StyledLabelTest : public DesktopTest {
 protected:
  StyledLabelTest() {
    label->SetParent(&form);
    label->SetBounds(kBounds);
    label->SetFont(kBanner);
    label->SetCaption("WUMPEX!");
    form.CreateHandle();
  }

  const platform::headless::HeadlessWidget& Widget() const { return Window(label); }
  std::vector<PaintOp> TextOps() const {
    std::vector<PaintOp> texts;
    for (const PaintOp& op : Widget().paint()) {
      if (op.kind == PaintOp::Kind::Text) texts.push_back(op);
    }
    return texts;
  }

  TForm form{nullptr, "Form"};
  TStyledLabel* label = form.Make<TStyledLabel>("StyledLabel1");
};

// One copy of the caption: how far it is moved and its colour.
struct Copy {
  int offset;
  TColor color;
  bool operator==(const Copy&) const = default;
};

TEST_F(StyledLabelTest, CopiesGoDownFirstThenTheTextEachMovedFromTheClientRectangle) {
  using enum TTextStyle;
  const struct {
    TTextStyle style;
    int depth;
    TColor shadow;
    bool enabled, transparent;
    std::vector<Copy> drawn;
  } rows[] = {
      {tsNone, 2, clBtnShadow, true, false, {{0, kNavy}}},
      {tsRaised, 2, clBtnShadow, true, true, {{1, clBtnShadow}, {-1, clBtnHighlight}, {0, kNavy}}},
      {tsRecessed,
       2,
       clBtnShadow,
       true,
       false,
       {{1, clBtnHighlight}, {-1, clBtnShadow}, {0, kNavy}}},
      {tsShadow, 7, clBtnShadow, true, false, {{7, clBtnShadow}, {0, kNavy}}},
      {tsShadow, -3, kRed, true, true, {{-3, kRed}, {0, kNavy}}},
      {tsRaised,
       2,
       clBtnShadow,
       false,
       false,
       {{1, clBtnShadow}, {-1, clBtnHighlight}, {0, clGrayText}}},
      {tsShadow, 4, kRed, false, false, {{4, kRed}, {0, clGrayText}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(row.style) << " depth " << row.depth);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    label->SetShadowColor(row.shadow);
    label->SetEnabled(row.enabled);
    label->SetTransparent(row.transparent);
    const auto ops = Widget().paint();
    ASSERT_EQ(ops.size(), row.drawn.size() + (row.transparent ? 0 : 1));
    if (!row.transparent) {
      EXPECT_EQ(ops[0].kind, PaintOp::Kind::FillRect);
      EXPECT_EQ(ops[0].color, clBtnFace) << "the label's colour, not the brush's white";
    }
    std::vector<Copy> drawn;
    for (const PaintOp& op : TextOps()) {
      drawn.push_back({op.rect.left, op.font.color});
      EXPECT_EQ(op.rect,
                (TRect{op.rect.left, op.rect.left, 257 + op.rect.left, 33 + op.rect.left}));
      EXPECT_EQ(op.color, op.font.color);
      EXPECT_EQ(op.font.name, kBanner.name);
      EXPECT_EQ(op.text, "WUMPEX!");
      EXPECT_EQ(op.background, std::nullopt) << "text never has a box";
    }
    EXPECT_EQ(drawn, row.drawn);
  }
}

TEST_F(StyledLabelTest, AutoSizeMakesRoomForAShadowBelowAndRightAndAnyDepthDraws) {
  const platform::Size text = desktop.measureText("WUMPEX!", kBanner, dt::kExpandTabs, 0);
  const struct {
    TTextStyle style;
    int depth;
    int room;
  } rows[] = {
      {TTextStyle::tsShadow, 7, 7},           {TTextStyle::tsShadow, 0, 0},
      {TTextStyle::tsShadow, -3, 0},          {TTextStyle::tsRaised, 7, 0},
      {TTextStyle::tsShadow, INT_MAX, 32767},
  };
  // Before loading the size stays; the deepest shadow is moved without overflowing.
  label->SetTextStyle(TTextStyle::tsShadow);
  label->SetShadowDepth(INT_MAX);
  EXPECT_EQ(TextOps().at(0).rect, (TRect{INT_MAX, INT_MAX, INT_MIN + 256, INT_MIN + 32}));
  form.LoadedAll();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.depth);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    EXPECT_EQ(label->BoundsRect(),
              (Bounds{kBounds.left, kBounds.top, text.width + row.room, text.height + row.room}));
  }
}

}  // namespace
}  // namespace wumpex
