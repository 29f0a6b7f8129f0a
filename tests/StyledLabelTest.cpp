#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "components/StyledLabel.h"
#include "tests/DesktopFixture.h"

namespace platform::headless {

void PrintTo(const PaintOp& op, std::ostream* out) {
  *out << (op.kind == PaintOp::Kind::FillRect ? "fill" : "text \"" + op.text + "\"") << " ("
       << op.rect.left << ", " << op.rect.top << ", " << op.rect.right << ", " << op.rect.bottom
       << ") colour " << std::hex << op.color << " flags " << op.flags << std::dec;
}

}  // namespace platform::headless

namespace wumpex {
namespace {

using platform::headless::PaintOp;
namespace dt = platform::dt;

constexpr TColor kRed = 0x000000FF;
constexpr TColor kNavy = 0x00800000;
const platform::Font kBanner{"Haettenschweiler", -53, true, kNavy};
constexpr Bounds kBounds{48, 16, 257, 33};
constexpr TRect kClient{0, 0, 257, 33};

class StyledLabelTest : public DesktopTest {
 protected:
  StyledLabelTest() {
    label->SetParent(&form);
    label->SetBounds(kBounds);
    label->SetFont(kBanner);
    label->SetCaption("WUMPEX!");
    form.CreateHandle();
  }

  const platform::headless::HeadlessWidget& Widget() const {
    return *desktop.widget(label->Peer()->handle());
  }
  std::vector<PaintOp> Paint() const { return Widget().paint(); }
  std::vector<PaintOp> TextOps() const {
    std::vector<PaintOp> texts;
    for (const PaintOp& op : Paint()) {
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
};

TEST_F(StyledLabelTest, CopiesGoDownFirstThenTheTextEachMovedFromTheClientRectangle) {
  struct Row {
    const char* what;
    TTextStyle style;
    std::vector<Copy> drawn;
    int depth = 2;
    TColor shadow = clBtnShadow;
    bool enabled = true;
  };
  using enum TTextStyle;
  const Copy raised[] = {{1, clBtnShadow}, {-1, clBtnHighlight}};
  const Row rows[] = {
      {"none", tsNone, {{0, kNavy}}},
      {"raised", tsRaised, {raised[0], raised[1], {0, kNavy}}},
      {"recessed", tsRecessed, {{1, clBtnHighlight}, {-1, clBtnShadow}, {0, kNavy}}},
      {"banner shadow", tsShadow, {{7, clBtnShadow}, {0, kNavy}}, 7},
      {"shadow under the text", tsShadow, {{0, kRed}, {0, kNavy}}, 0, kRed},
      {"shadow above and left", tsShadow, {{-3, kRed}, {0, kNavy}}, -3, kRed},
      {"disabled raised", tsRaised, {raised[0], raised[1], {0, clGrayText}}, 2, clBtnShadow, false},
      {"disabled shadow", tsShadow, {{4, kRed}, {0, clGrayText}}, 4, kRed, false},
      {"disabled plain", tsNone, {{0, clGrayText}}, 2, clBtnShadow, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    label->SetShadowColor(row.shadow);
    label->SetEnabled(row.enabled);
    std::vector<PaintOp> expected{
        {.kind = PaintOp::Kind::FillRect, .rect = kClient, .color = clBtnFace}};
    for (const Copy& copy : row.drawn) {
      platform::Font font = kBanner;
      font.color = copy.color;
      expected.push_back({.kind = PaintOp::Kind::Text,
                          .rect = {copy.offset, copy.offset, 257 + copy.offset, 33 + copy.offset},
                          .color = copy.color,
                          .text = "WUMPEX!",
                          .flags = dt::kExpandTabs,
                          .font = font,
                          .background = std::nullopt});
    }
    EXPECT_EQ(Paint(), expected);
  }
}

TEST_F(StyledLabelTest, AnyDepthMovesTheShadowWithoutOverflowing) {
  label->SetTextStyle(TTextStyle::tsShadow);
  label->SetShadowDepth(INT_MAX);
  const auto texts = TextOps();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rect, (TRect{INT_MAX, INT_MAX, INT_MIN + 256, INT_MIN + 32}));
  EXPECT_EQ(texts[1].rect, kClient);
}

TEST_F(StyledLabelTest, AutoSizeMakesRoomForAShadowBelowAndRight) {
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
  form.LoadedAll();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.depth);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    EXPECT_EQ(label->BoundsRect(),
              (Bounds{kBounds.left, kBounds.top, text.width + row.room, text.height + row.room}));
  }
}

TEST_F(StyledLabelTest, EveryCopyDrawsWithTheSameFlags) {
  const struct {
    TAlignment alignment;
    bool wordWrap;
    bool showAccelChar;
    unsigned flags;
  } rows[] = {
      {TAlignment::taLeftJustify, false, true, dt::kExpandTabs},
      {TAlignment::taRightJustify, false, true, dt::kExpandTabs | dt::kRight},
      {TAlignment::taCenter, false, true, dt::kExpandTabs | dt::kCenter},
      {TAlignment::taLeftJustify, true, true, dt::kExpandTabs | dt::kWordBreak},
      {TAlignment::taLeftJustify, false, false, dt::kExpandTabs | dt::kNoPrefix},
      {TAlignment::taCenter, true, false,
       dt::kExpandTabs | dt::kCenter | dt::kWordBreak | dt::kNoPrefix},
  };
  label->SetTextStyle(TTextStyle::tsRaised);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.flags);
    label->SetAlignment(row.alignment);
    label->SetWordWrap(row.wordWrap);
    label->SetShowAccelChar(row.showAccelChar);
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 3u);
    for (const PaintOp& op : texts) EXPECT_EQ(op.flags, row.flags);
  }
}

TEST_F(StyledLabelTest, OnlyTheCaptionsFirst255CharactersAreDrawn) {
  std::string longest;
  for (int i = 0; longest.size() < 300; ++i) longest += "word" + std::to_string(i) + " ";
  const struct {
    std::string caption;
    std::string drawn;
  } rows[] = {
      {longest, longest.substr(0, 255)},
      {longest.substr(0, 255), longest.substr(0, 255)},
      {longest.substr(0, 254), longest.substr(0, 254)},
      {std::string("WUM\0PEX!", 8), "WUM"},
  };
  label->SetTextStyle(TTextStyle::tsShadow);
  for (const auto& row : rows) {
    label->SetCaption(row.caption);
    for (const PaintOp& op : TextOps()) EXPECT_EQ(op.text, row.drawn);
    EXPECT_EQ(label->Caption(), row.caption) << "the caption itself stays whole";
  }
}

TEST_F(StyledLabelTest, ATransparentLabelFillsNoBackgroundAndTextNeverHasABox) {
  label->SetTextStyle(TTextStyle::tsShadow);
  label->SetColor(clWhite);
  auto ops = Paint();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].kind, PaintOp::Kind::FillRect);
  EXPECT_EQ(ops[0].color, clWhite);
  label->SetTransparent(true);
  ops = Paint();
  ASSERT_EQ(ops.size(), 2u);
  for (const PaintOp& op : ops) {
    EXPECT_EQ(op.kind, PaintOp::Kind::Text);
    EXPECT_EQ(op.background, std::nullopt);
  }
}

TEST_F(StyledLabelTest, ANewStyleColourOrDepthRepaintsAnUnchangedOneDoesNot) {
  EXPECT_EQ(label->TextStyle(), TTextStyle::tsRecessed);
  EXPECT_EQ(label->ShadowColor(), clBtnShadow);
  EXPECT_EQ(label->ShadowDepth(), 2);
  const std::function<void()> changes[] = {
      [&] { label->SetTextStyle(TTextStyle::tsShadow); },
      [&] { label->SetShadowColor(kRed); },
      [&] { label->SetShadowDepth(-7); },
  };
  for (const auto& change : changes) {
    const int before = Widget().invalidations();
    change();
    EXPECT_EQ(Widget().invalidations(), before + 1);
    change();
    EXPECT_EQ(Widget().invalidations(), before + 1);
  }
}

}  // namespace
}  // namespace wumpex
