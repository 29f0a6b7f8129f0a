// The real desktop where Windows has its own ways: its timer window, window procedures, menus,
// clock, forms, lists, sheets and up-downs; and a styled label as the system paints it, read
// back from the screen.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <stdexcept>

#include "components/StyledLabel.h"
#include "framework/Form.h"
#include "platform/tests/RecordingEvents.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32TimerWindow.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using testing::windowText;
using Log = std::vector<std::string>;

// A window's rectangle in its parent's client coordinates.
Bounds boundsInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class OnWin32Desktop : public ::testing::Test {
 protected:
  struct Made {
    Widget& widget;
    contract::RecordingEvents& events;
    HWND window;
  };

  OnWin32Desktop() { form_.widget.setBounds({0, 0, 420, 320}); }

  Made make(WidgetKind kind, Widget* parent, const WidgetStyle& widgetStyle = {}) {
    contract::RecordingEvents& events = events_.emplace_back();
    widgets_.push_back(desktop_.createWidget(kind, parent, widgetStyle, events));
    return {*widgets_.back(), events, toWindow(widgets_.back()->handle())};
  }
  Made makeOnForm(WidgetKind kind, Bounds bounds, const WidgetStyle& widgetStyle = {}) {
    Made made = make(kind, &form_.widget, widgetStyle);
    made.widget.setBounds(bounds);
    return made;
  }

  Win32Desktop desktop_;
  std::deque<contract::RecordingEvents> events_;
  std::vector<std::unique_ptr<Widget>> widgets_;
  Made application_ = make(WidgetKind::ApplicationWindow, nullptr);
  Made form_ = make(WidgetKind::Form, nullptr);
};

// The walk's listing of top-level windows is the desktop contract's; the timer window is
// this desktop's own kind of top-level window.
TEST_F(OnWin32Desktop, TheWalkLeavesOutTheTimerWindowAndCancelModeEndsTheCapture) {
  class : public TimerEvents {
    void timerFired(unsigned) override {}
  } quiet;
  const auto timers = desktop_.createTimerWindow(quiet);
  const std::vector<Handle> windows = desktop_.threadWindows();
  EXPECT_EQ(std::ranges::find(windows, toHandle(static_cast<Win32TimerWindow&>(*timers).window())),
            windows.end());

  form_.widget.show(true);
  SetCapture(form_.window);
  EXPECT_EQ(desktop_.captureWindow(), form_.widget.handle());
  desktop_.cancelMode(form_.widget.handle());
  EXPECT_EQ(desktop_.captureWindow(), Handle{0});
}

// Called directly, as the system would call them: the system may not unwind C++ frames.
TEST_F(OnWin32Desktop, ExceptionsStopAtTheWindowProcedure) {
  const auto call = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    return procedure(window, message, wParam, lParam);
  };
  class Throwing final : public WidgetEvents, public TimerEvents {
   public:
    void userClicked() override { throw std::runtime_error("handler failed"); }
    void closeRequested() override { throw std::runtime_error("handler failed"); }
    void timerFired(unsigned id) override {
      fired.push_back(id);
      throw std::runtime_error("timer failed");
    }
    std::vector<unsigned> fired;
  } throwing;
  auto form = desktop_.createWidget(WidgetKind::Form, nullptr, {}, throwing);
  auto button = desktop_.createWidget(WidgetKind::Button, form.get(), {}, throwing);
  HWND formWindow = toWindow(form->handle());
  EXPECT_NO_THROW(call(formWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                       static_cast<LPARAM>(button->handle())));
  EXPECT_NO_THROW(call(formWindow, WM_CLOSE, 0, 0));
  EXPECT_TRUE(IsWindow(formWindow)) << "a failed close request leaves the window in place";

  const auto timers = desktop_.createTimerWindow(throwing);
  EXPECT_NO_THROW(call(static_cast<Win32TimerWindow&>(*timers).window(), WM_TIMER, 5, 0));
  EXPECT_EQ(throwing.fired, std::vector<unsigned>{5});
}

// Keys waiting in the queue when the menu starts, as if typed while it shows: the index is
// the item's among all, hidden ones and submenus' items included; a hidden item's submenu
// does not show.
TEST_F(OnWin32Desktop, ATrackedMenuReturnsTheChosenItemsIndexOrMinusOne) {
  const std::pair<std::vector<WPARAM>, int> cases[] = {
      {{VK_DOWN, VK_RETURN}, 1},
      {{VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 4},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 7},
      {{VK_ESCAPE}, -1}};
  auto menu = desktop_.createPopupMenu();
  menu->setItems({{.caption = "Hidden", .visible = false},
                  {.caption = "One"},
                  {.caption = "Sub"},
                  {.caption = "Sub A", .level = 1},
                  {.caption = "Sub B", .level = 1},
                  {.caption = "Gone", .visible = false},
                  {.caption = "Gone A", .level = 1},
                  {.caption = "Two"}});
  for (const auto& [keys, expected] : cases) {
    for (WPARAM key : keys) {
      PostMessageA(application_.window, WM_KEYDOWN, key, 1);
      PostMessageA(application_.window, WM_KEYUP, key, 1);
    }
    EXPECT_EQ(menu->track({100, 100}, application_.widget.handle()), expected);
    desktop_.processMessages();
  }
}

// Run in Kathmandu, 5:45 ahead of UTC all year, where local time cannot pass for UTC.
TEST_F(OnWin32Desktop, TheClocksCountInUtcAndLocalTimeFollowsTheTimeZone) {
  const TimeOfDay time = desktop_.utcTimeOfDay();
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const long long clockMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
  const long long desktopMs =
      ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond;
  const long long difference = std::llabs(clockMs % 86'400'000 - desktopMs);
  EXPECT_LT(std::min(difference, 86'400'000 - difference), 2000);
  EXPECT_LE(std::llabs(desktop_.wallClock() - clockMs / 1000), 2);
  const TimeOfDay newYear = desktop_.localTimeAt(1'767'225'600);  // 2026-01-01 00:00 UTC
  EXPECT_EQ(std::pair(newYear.hour, newYear.minute), std::pair(5, 45));
}

// The bounds are the client area's size at the outer frame's place; the first show centres
// the form in the work area and focuses its first tab stop, from which Tab walks on into the
// active sheet; a later show leaves the form where the user moved it.
TEST_F(OnWin32Desktop, FormsSizeShowAndCloseAsTheProgramExpects) {
  RECT client{};
  RECT outer{};
  for (const Bounds bounds : {Bounds{10, 20, 420, 320}, Bounds{0, 0, 123, 77}}) {
    form_.widget.setBounds(bounds);
    GetClientRect(form_.window, &client);
    GetWindowRect(form_.window, &outer);
    EXPECT_EQ((Bounds{outer.left, outer.top, client.right, client.bottom}), bounds);
  }
  makeOnForm(WidgetKind::Label, {10, 10, 100, 20});
  const Made edit = makeOnForm(WidgetKind::Edit, {10, 40, 100, 24});
  form_.widget.show(true);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form_.window, &outer);
  EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1);
  EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
  EXPECT_EQ(GetFocus(), edit.window);
  const Made pages = makeOnForm(WidgetKind::PageControl, {10, 70, 300, 200});
  const Made inner = make(WidgetKind::Edit, &make(WidgetKind::TabSheet, &pages.widget).widget);
  inner.widget.setBounds({10, 10, 100, 24});
  pages.widget.setTabs({"Page"}, 0);
  PostMessageA(edit.window, WM_KEYDOWN, VK_TAB, 1);
  desktop_.processMessages();
  EXPECT_EQ(GetFocus(), inner.window);

  SetWindowPos(form_.window, HWND_BOTTOM, 7, 9, 0, 0, SWP_NOSIZE);
  form_.widget.show(false);
  GetWindowRect(form_.window, &outer);
  EXPECT_EQ(outer.left, 7);
  EXPECT_EQ(outer.top, 9);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
}

// A list is filled without drawing each item; afterwards it must draw again, scroll bar too,
// its items at the height asked for whatever the font. A combo box's closed height comes from
// its font, and its list drops at least four items below.
TEST_F(OnWin32Desktop, ListsDrawAgainAfterFillingAndComboBoxesDropFourItems) {
  const Made list = makeOnForm(WidgetKind::ListBox, {10, 10, 200, 120}, {.itemHeight = 20});
  list.widget.setItems(std::vector<std::string>(50, "item"));
  SCROLLINFO scroll{sizeof scroll, SIF_RANGE, 0, 0, 0, 0, 0};
  EXPECT_TRUE(GetScrollInfo(list.window, SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax, 49);
  list.widget.setFont({"MS Sans Serif", -11, false});
  EXPECT_EQ(SendMessageA(list.window, LB_GETITEMHEIGHT, 0, 0), 20);

  const Made combo = makeOnForm(WidgetKind::ComboBox, {10, 140, 200, 24});
  combo.widget.setItems({"a", "b", "c"});
  RECT dropped{};
  SendMessageA(combo.window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GE(
      dropped.bottom - dropped.top,
      boundsInParent(combo.window).height + 4 * SendMessageA(combo.window, CB_GETITEMHEIGHT, 0, 0));
}

// The up-down shows its position in its buddy without a report; an arrow key in the buddy
// steps from the number the buddy holds, within the range, and the buddy reports the step.
TEST_F(OnWin32Desktop, ArrowKeysInTheBuddyStepItsNumberWithinTheRange) {
  const Made edit = makeOnForm(WidgetKind::Edit, {10, 10, 60, 24});
  const Made upDown = makeOnForm(WidgetKind::UpDown, {70, 10, 16, 24});
  upDown.widget.setUpDown(1, 10, 4, &edit.widget);
  EXPECT_EQ(windowText(edit.window), "4");
  EXPECT_TRUE(edit.events.log.empty());
  const std::tuple<const char*, WPARAM, const char*> rows[] = {
      {"4", VK_UP, "5"}, {"7", VK_DOWN, "6"}, {"1", VK_DOWN, "1"}, {"10", VK_UP, "10"}};
  for (const auto& [shown, key, stepped] : rows) {
    SCOPED_TRACE(std::string(shown) + (key == VK_UP ? " up" : " down"));
    edit.widget.setText(shown);
    edit.events.log.clear();
    SendMessageA(edit.window, WM_KEYDOWN, key, 1);
    SendMessageA(edit.window, WM_KEYUP, key, 1);
    EXPECT_EQ(windowText(edit.window), stepped);
    EXPECT_EQ(edit.events.log,
              std::string(shown) == stepped ? Log{} : Log{"edited " + std::string(stepped)});
  }
}

// The sheets fill the display area, also after a taller tab row or a new size.
TEST_F(OnWin32Desktop, TheSheetsFillTheDisplayArea) {
  const Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  const Made first = make(WidgetKind::TabSheet, &pages.widget);
  const Made second = make(WidgetKind::TabSheet, &pages.widget);
  pages.widget.setTabs({"General", "Timing"}, 1);
  const auto expectSheetsFillDisplayArea = [&] {
    RECT area{};
    GetClientRect(pages.window, &area);
    SendMessageA(pages.window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (const Made* sheet : {&first, &second}) {
      EXPECT_EQ(boundsInParent(sheet->window),
                (Bounds{area.left, area.top, area.right - area.left, area.bottom - area.top}));
    }
  };
  expectSheetsFillDisplayArea();
  const Bounds before = boundsInParent(first.window);
  pages.widget.setFont({"Arial", -24, false});
  expectSheetsFillDisplayArea();
  EXPECT_GT(boundsInParent(first.window).top, before.top);
  pages.widget.setBounds({8, 8, 350, 250});
  expectSheetsFillDisplayArea();
}

// Each copy of a styled label's text shows where the text does not cover it: beyond the
// text's right and bottom edges when moved right and down, beyond its left and top edges when
// moved left and up, and nowhere when not moved at all.
TEST(StyledLabelOnWindows, CopiesAppearMovedFromTheTextInTheirColours) {
  using wumpex::TColor;
  using wumpex::TTextStyle;
  constexpr TColor kBlack = 0x00000000;
  constexpr TColor kRed = 0x000000FF;
  constexpr TColor kTeal = 0x00808000;  // far from the text's colours and from every copy's
  const struct {
    TTextStyle style;
    int depth;
    TColor text;                                 // grey when disabled
    std::vector<std::pair<TColor, int>> copies;  // colour and offset
  } rows[] = {
      {TTextStyle::tsShadow, 7, kBlack, {{kRed, 7}}},
      {TTextStyle::tsShadow, -5, kBlack, {{kRed, -5}}},
      {TTextStyle::tsShadow, 0, kBlack, {{kRed, 0}}},
      {TTextStyle::tsRaised, 2, kBlack, {{wumpex::clBtnShadow, 1}, {wumpex::clBtnHighlight, -1}}},
      {TTextStyle::tsRecessed, 2, kBlack, {{wumpex::clBtnHighlight, 1}, {wumpex::clBtnShadow, -1}}},
      {TTextStyle::tsShadow, 7, wumpex::clGrayText, {{kRed, 7}}},
  };
  Win32Desktop desktop;
  const DesktopScope scope{desktop};
  wumpex::TForm form{nullptr, "Form"};
  auto* label = form.Make<wumpex::TStyledLabel>("StyledLabel1");
  form.SetClientSize(340, 140);
  label->SetParent(&form);
  label->SetBounds({20, 20, 300, 100});
  label->SetFont({"Tahoma", -53, false, kBlack});
  label->SetCaption("WUMPEX!");
  form.CreateHandle();
  const HWND window = toWindow(label->Peer()->handle());
  // On the screen where it was made, without asking for the foreground.
  form.SetVisible(true);
  testing::pumpFor(desktop, std::chrono::milliseconds(100));
  label->SetColor(kTeal);
  // Room on the left for a copy moved that way; the top has the font's leading.
  label->SetAlignment(wumpex::TAlignment::taCenter);
  label->SetShadowColor(kRed);
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    label->SetEnabled(row.text != wumpex::clGrayText);
    UpdateWindow(window);  // all painting done
    const testing::ClientPicture picture(window);
    // Where pixels within a little of a colour lie (text edges are blended with what is
    // behind them), and how many there are.
    const auto spread = [&](TColor color, RECT& box) {
      const COLORREF wanted = colorRef(color);
      box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
      int count = 0;
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          const COLORREF pixel = picture.at(x, y);
          if (std::max({std::abs(GetRValue(pixel) - GetRValue(wanted)),
                        std::abs(GetGValue(pixel) - GetGValue(wanted)),
                        std::abs(GetBValue(pixel) - GetBValue(wanted))}) > 48) {
            continue;
          }
          ++count;
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                 std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        }
      }
      return count;
    };
    RECT text{};
    ASSERT_GT(spread(row.text, text), 200);
    for (const auto& [color, offset] : row.copies) {
      RECT drawn{};
      const int count = spread(color, drawn);
      if (offset == 0) {
        EXPECT_EQ(count, 0);
        continue;
      }
      ASSERT_GT(count, 20) << "copy in " << std::hex << color;
      const bool down = offset > 0;  // compared at the edges that the text does not cover
      EXPECT_NEAR(down ? drawn.right : drawn.left, (down ? text.right : text.left) + offset, 1);
      EXPECT_NEAR(down ? drawn.bottom : drawn.top, (down ? text.bottom : text.top) + offset, 1);
    }
  }
}

}  // namespace
}  // namespace platform::win32
