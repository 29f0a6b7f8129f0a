#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/MPlayer.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace mci = platform::mci;
using Btn = TMPBtnType;
using platform::Point;
using platform::headless::PaintOp;

// The preview bar as the settings window has it: Play and Stop, 57 by 22.
class MediaBarTest : public DesktopTest {
 protected:
  MediaBarTest() { WriteSilentWave(driveC.path() / "tone.wav", 1000); }

  // Sizes, shows and loads the bar with the given buttons.
  void Place(Bounds bounds, const TButtonSet& visible = {Btn::btPlay, Btn::btStop}) {
    bar->SetParent(&form);
    bar->SetBounds(bounds);
    bar->SetVisibleButtons(visible);
    bar->SetColoredButtons({Btn::btPause, Btn::btNext, Btn::btPrev, Btn::btStep, Btn::btBack,
                            Btn::btRecord, Btn::btEject});
    bar->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
    form.LoadedAll();
    form.CreateHandle();
  }
  void OpenFile() {
    bar->SetFileName("C:\\tone.wav");
    bar->Open();
  }
  const platform::headless::HeadlessWidget& Widget() const { return Window(bar); }
  void Press(int x) { Widget().events().mousePressed({x, 10}); }
  void Release(int x) { Widget().events().mouseReleased({x, 10}); }
  void Key(unsigned key) { Widget().events().keyPressed(key); }
  std::size_t Sent(std::uint32_t message) const { return CommandsSent(media, message).size(); }
  std::vector<PaintOp> Paint(PaintOp::Kind kind) const {
    std::vector<PaintOp> found;
    for (const PaintOp& op : Widget().paint()) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }
  // Each drawn picture's name and top-left corner.
  std::vector<std::string> Pictures() const {
    std::vector<std::string> drawn;
    for (const PaintOp& op : Paint(PaintOp::Kind::Bitmap)) {
      drawn.push_back(op.text + "@" + std::to_string(op.rect.left) + "," +
                      std::to_string(op.rect.top));
    }
    return drawn;
  }

  TForm form{nullptr, "Form"};
  TMediaPlayer* bar = form.Make<TMediaPlayer>("MediaPlayer2");
  std::vector<Btn> clicked;
};

TEST_F(MediaBarTest, ButtonsShareTheirBorderColumnAndTheBarGrowsToTheSmallestButtons) {
  // The buttons and bounds given; the width and height taken, and each button's width.
  const std::tuple<const char*, TButtonSet, Bounds, int, int, int> rows[] = {
      {"the preview bar", {Btn::btPlay, Btn::btStop}, {16, 171, 57, 22}, 57, 22, 29},
      {"too narrow and too low", {Btn::btPlay, Btn::btStop}, {16, 171, 40, 15}, 57, 20, 29},
      {"too low", {Btn::btPlay, Btn::btStop}, {16, 171, 57, 15}, 57, 20, 29},
      {"wide buttons", {Btn::btPlay, Btn::btStop}, {0, 0, 101, 30}, 101, 30, 51},
      {"not whole buttons", {Btn::btPlay, Btn::btStop}, {0, 0, 100, 30}, 99, 30, 50},
      {"the tick's hidden bar", {Btn::btPlay}, {304, 120, 29, 30}, 29, 30, 29},
      {"no buttons counts as one", {}, {0, 0, 10, 10}, 29, 20, 29},
  };
  for (const auto& [what, visible, given, width, height, buttonWidth] : rows) {
    TForm owner{nullptr, "Owner"};
    auto* player = owner.Make<TMediaPlayer>("Player");
    player->SetBounds(given);
    player->SetVisibleButtons(visible);
    owner.LoadedAll();
    EXPECT_EQ(player->BoundsRect(), (Bounds{given.left, given.top, width, height})) << what;
    EXPECT_EQ(player->ButtonWidth(), buttonWidth) << what;
  }

  // After loading, fewer buttons narrow the bar at the same button width.
  Place({0, 0, 240, 30}, {Btn::btPlay, Btn::btPause, Btn::btStop, Btn::btNext, Btn::btPrev,
                          Btn::btStep, Btn::btBack, Btn::btRecord, Btn::btEject});
  EXPECT_EQ(bar->BoundsRect().width, 253);
  bar->SetVisibleButtons({Btn::btPlay, Btn::btStop});
  EXPECT_EQ(bar->BoundsRect(), (Bounds{0, 0, 57, 30}));
}

TEST_F(MediaBarTest, APressHitsTheFirstButtonWhoseSpanHoldsThePointer) {
  Place({16, 171, 57, 22});
  bar->SetAutoEnable(false);
  bar->OnClick = [this](TComponent*, Btn button, bool& doDefault) {
    clicked.push_back(button);
    doDefault = false;
  };
  // The shared border column counts for the first button.
  const std::pair<std::vector<int>, std::vector<Btn>> rows[] = {
      {{0, 28, 29}, {Btn::btPlay}}, {{30, 57}, {Btn::btStop}}, {{58, -1}, {}}};
  for (const auto& [xs, expected] : rows) {
    for (int x : xs) {
      clicked.clear();
      Press(x);
      Release(x);
      EXPECT_EQ(clicked, expected) << "x = " << x;
    }
  }
}

TEST_F(MediaBarTest, AReleaseOutsideThePressedButtonRunsNothingAndLeavesItUp) {
  Place({16, 171, 57, 22});
  OpenFile();
  bar->OnClick = [this](TComponent*, Btn button, bool&) { clicked.push_back(button); };
  Press(10);
  EXPECT_EQ(desktop.captureWindow(), bar->Peer()->handle());
  EXPECT_EQ(Pictures().front(), "EN_MPPLAY@9,4") << "drawn down";
  Widget().events().mouseMoved({29, 10});
  EXPECT_EQ(Pictures().front(), "EN_MPPLAY@8,3") << "up once the pointer leaves";
  Widget().events().mouseMoved({28, 21});
  EXPECT_EQ(Pictures().front(), "EN_MPPLAY@9,4") << "down again inside";
  Widget().events().mouseMoved({10, 22});
  Release(10);
  EXPECT_EQ(desktop.captureWindow(), 0u);
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(Sent(mci::kPlay), 0u);
  EXPECT_EQ(Pictures().front(), "EN_MPPLAY@8,3");
  EXPECT_TRUE(bar->AutomaticButtons().Contains(Btn::btPlay));
}

TEST_F(MediaBarTest, EachButtonSendsItsCommand) {
  const TButtonSet all{Btn::btPlay, Btn::btPause, Btn::btStop,   Btn::btNext, Btn::btPrev,
                       Btn::btStep, Btn::btBack,  Btn::btRecord, Btn::btEject};
  media.setCapabilities({true, true, true, true, mci::kDevTypeDigitalVideo});
  Place({0, 0, 240, 30}, all);
  OpenFile();
  bar->SetAutoEnable(false);
  bar->SetEnabledButtons(all);
  // The command, and its flags that tell one direction from the other.
  constexpr std::uint32_t kWhich = mci::kSeekToEnd | mci::kSeekToStart | mci::kStepReverse;
  const std::tuple<Btn, std::uint32_t, std::uint32_t> rows[] = {
      {Btn::btPlay, mci::kPlay, 0},
      {Btn::btPause, mci::kPause, 0},
      {Btn::btStop, mci::kStop, 0},
      {Btn::btNext, mci::kSeek, mci::kSeekToEnd},
      {Btn::btPrev, mci::kSeek, mci::kSeekToStart},
      {Btn::btStep, mci::kStep, 0},
      {Btn::btBack, mci::kStep, mci::kStepReverse},
      {Btn::btRecord, mci::kRecord, 0},
      {Btn::btEject, mci::kSet, mci::kSetDoorOpen}};
  for (const auto& [button, message, which] : rows) {
    SCOPED_TRACE(static_cast<int>(button));
    media.commands.clear();
    const int x = static_cast<int>(button) * (bar->ButtonWidth() - 1) + 10;
    Press(x);
    Release(x);
    const auto sent = CommandsSent(media, message);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].flags & kWhich, which);
  }
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

// A raised button is lit above and left and shaded below and right; a pressed one is shaded
// above and left only.
TEST_F(MediaBarTest, TheBarIsFramedAndEachButtonLooksRaisedUntilPressed) {
  Place({16, 171, 57, 22});
  OpenFile();
  using Edge = std::pair<TColor, std::vector<Point>>;
  const auto edges = [this] {
    std::vector<Edge> found;
    for (const PaintOp& op : Paint(PaintOp::Kind::Polyline)) found.push_back({op.color, op.points});
    return found;
  };
  const std::vector<PaintOp> frames = Paint(PaintOp::Kind::Rectangle);
  EXPECT_EQ(frames.at(0).rect, (TRect{0, 0, 57, 22}));
  EXPECT_EQ(frames.at(1).rect, (TRect{0, 0, 29, 22})) << "the first button's face";
  const std::vector<Point> lit{{1, 20}, {1, 1}, {28, 1}};
  const std::vector<Edge> raised = edges();
  ASSERT_EQ(raised.size(), 4u);
  EXPECT_EQ(raised[0], (Edge{clBtnHighlight, lit}));
  EXPECT_EQ(raised[1], (Edge{clBtnShadow, {{2, 20}, {27, 20}, {27, 1}}}));
  Press(10);
  const std::vector<Edge> pressed = edges();
  ASSERT_EQ(pressed.size(), 3u);
  EXPECT_EQ(pressed[0], (Edge{clBtnShadow, lit}));
}

TEST_F(MediaBarTest, ArrowsMoveTheFocusRingAlongVisibleButtonsAndSpacePressesByTheEnabledSet) {
  Place({16, 171, 57, 22});
  OpenFile();
  EXPECT_TRUE(Paint(PaintOp::Kind::FocusRect).empty()) << "no ring without the keyboard focus";
  Widget().events().focusChanged(true);
  const std::pair<unsigned, Btn> moves[] = {
      {0x25, Btn::btPlay}, {0x27, Btn::btStop}, {0x27, Btn::btStop}, {0x25, Btn::btPlay}};
  for (const auto& [key, focused] : moves) {
    Key(key);
    EXPECT_EQ(bar->FocusedButton(), focused);
  }

  // Stop is not in the automatic set, but Space asks only the enabled set.
  Key(0x27);
  const auto ring = Paint(PaintOp::Kind::FocusRect);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_EQ(ring[0].rect, (TRect{31, 3, 54, 19}));
  Key(0x20);
  EXPECT_EQ(Sent(mci::kStop), 1u);
  bar->SetEnabledButtons({Btn::btPlay});
  Key(0x20);
  EXPECT_EQ(Sent(mci::kStop), 1u);
  Key(0x25);
  Key(0x20);
  EXPECT_EQ(Sent(mci::kPlay), 1u);
  EXPECT_TRUE(bar->AutomaticButtons().Contains(Btn::btStop)) << "the transition follows";
  bar->SetEnabled(false);
  EXPECT_EQ(Pictures(), (std::vector<std::string>{"DI_MPPLAY@8,3", "DI_MPSTOP@36,3"}));
  bar->SetEnabled(true);
  bar->SetVisibleButtons({Btn::btPlay, Btn::btPause, Btn::btStop});
  const std::pair<unsigned, Btn> alongThree[] = {
      {0x27, Btn::btPause}, {0x27, Btn::btStop}, {0x25, Btn::btPause}};
  for (const auto& [key, focused] : alongThree) {
    Key(key);
    EXPECT_EQ(bar->FocusedButton(), focused) << "one button along, not two";
  }
}

}  // namespace
}  // namespace wumpex
