// The real controls behind the program's widgets: what the program sets shows without a
// report, what the user does is reported, and containers place and pass on their controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using testing::clickAt;
using testing::RecordingEvents;
using testing::windowText;

using Log = std::vector<std::string>;

// A window's rectangle in its parent's client coordinates.
Bounds boundsInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Presses the left button at the centre of the item whose rectangle `itemRect` asks for.
void clickItem(HWND window, UINT itemRect, WPARAM index) {
  RECT at{};
  SendMessageA(window, itemRect, index, reinterpret_cast<LPARAM>(&at));
  clickAt(window, (at.left + at.right) / 2, (at.top + at.bottom) / 2);
}

// Presses the left button near the top left corner, moves away and lets go outside.
void pressAndLeave(HWND window) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, -30));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(-30, -30));
}

void type(HWND window, const std::string& text) {
  for (char c : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

HWND comboEdit(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

// The page control's display area in its own client coordinates.
Bounds displayArea(HWND pages) {
  RECT area{};
  GetClientRect(pages, &area);
  SendMessageA(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

std::string itemText(HWND control, UINT message, WPARAM index) {
  char text[64] = {};
  if (message == TCM_GETITEMA) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(control, message, index, reinterpret_cast<LPARAM>(&item));
  } else {
    SendMessageA(control, message, index, reinterpret_cast<LPARAM>(text));
  }
  return text;
}

class WidgetTest : public ::testing::Test {
 protected:
  struct Made {
    Widget& widget;
    RecordingEvents& events;
    HWND window;
  };

  WidgetTest() { form_.widget.setBounds({0, 0, 420, 320}); }

  Made make(WidgetKind kind, Widget* parent, const WidgetStyle& widgetStyle = {}) {
    RecordingEvents& events = events_.emplace_back();
    widgets_.push_back(desktop_.createWidget(kind, parent, widgetStyle, events));
    return {*widgets_.back(), events, toWindow(widgets_.back()->handle())};
  }

  Made makeOnForm(WidgetKind kind, Bounds bounds, const WidgetStyle& widgetStyle = {}) {
    Made made = make(kind, &form_.widget, widgetStyle);
    made.widget.setBounds(bounds);
    return made;
  }

  Win32Desktop desktop_;
  std::deque<RecordingEvents> events_;
  std::vector<std::unique_ptr<Widget>> widgets_;
  Made application_ = make(WidgetKind::ApplicationWindow, nullptr);
  Made form_ = make(WidgetKind::Form, nullptr);
};

// The bounds are the client area's size at the outer frame's place; the first show centres
// the form in the work area and focuses its first tab stop, a later one leaves it where the
// user moved it. A close request is only reported.
TEST_F(WidgetTest, FormsSizeShowAndCloseAsTheProgramExpects) {
  for (const Bounds bounds : {Bounds{10, 20, 420, 320}, Bounds{0, 0, 123, 77}}) {
    form_.widget.setBounds(bounds);
    RECT client{};
    RECT outer{};
    GetClientRect(form_.window, &client);
    GetWindowRect(form_.window, &outer);
    EXPECT_EQ((Bounds{outer.left, outer.top, client.right, client.bottom}), bounds);
  }
  makeOnForm(WidgetKind::Label, {10, 10, 100, 20});
  Made edit = makeOnForm(WidgetKind::Edit, {10, 40, 100, 24});
  form_.widget.show(true);
  RECT work{};
  RECT outer{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form_.window, &outer);
  EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1);
  EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
  EXPECT_EQ(GetFocus(), edit.window);

  SetWindowPos(form_.window, HWND_BOTTOM, 7, 9, 0, 0, SWP_NOSIZE);
  form_.widget.show(false);
  GetWindowRect(form_.window, &outer);
  EXPECT_EQ(outer.left, 7);
  EXPECT_EQ(outer.top, 9);
  EXPECT_EQ(GetForegroundWindow(), form_.window);

  for (const Made* window : {&application_, &form_}) {
    SendMessageA(window->window, WM_CLOSE, 0, 0);
    EXPECT_EQ(window->events.log, Log{"close"});
    EXPECT_TRUE(IsWindow(window->window));
  }
}

// The program's calls show in the window and report nothing; the user's input after them
// reports what it changed.
TEST_F(WidgetTest, TheProgramsStateShowsSilentlyAndTheUsersInputIsReported) {
  const auto press = [](HWND control) { SendMessageA(control, BM_CLICK, 0, 0); };
  const auto cornerClick = [](HWND control) { clickAt(control, 2, 2); };
  const struct {
    const char* name;
    WidgetKind kind;
    std::function<void(HWND)> user;
    Log expected;
    std::function<void(Widget&, HWND)> program = [](Widget&, HWND) {};
    WidgetStyle creation{};
  } cases[] = {
      {"button click", WidgetKind::Button, press, {"clicked"}},
      {"label clicked, then double-clicked",
       WidgetKind::Label,
       [](HWND control) {
         clickAt(control, 2, 2);
         SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
         SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
       },
       {"clicked", "clicked"},
       [](Widget& w, HWND) { w.setText("Click me"); }},
      {"label pressed, then left", WidgetKind::Label, pressAndLeave, {}},
      {"self-drawn control click", WidgetKind::Custom, cornerClick, {"clicked"}},
      {"self-drawn control pressed, then left", WidgetKind::Custom, pressAndLeave, {}},
      {"checked check box clicked twice",
       WidgetKind::CheckBox,
       [&](HWND control) {
         press(control);
         press(control);
       },
       {"toggled off", "toggled on"},
       [](Widget& w, HWND control) {
         w.setChecked(true);
         EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), BST_CHECKED);
       }},
      {"typing at a caret kept when the program repeats the text",
       WidgetKind::Edit,
       [](HWND control) { type(control, "23"); },
       {"edited 42", "edited 423"},
       [](Widget& w, HWND control) {
         w.setText("4");
         SendMessageA(control, EM_SETSEL, 1, 1);
         w.setText("4");
         EXPECT_EQ(windowText(control), "4");
       }},
      {"list box in the program's order",
       WidgetKind::ListBox,
       [](HWND control) { clickItem(control, LB_GETITEMRECT, 2); },
       {"selected 2"},
       [](Widget& w, HWND control) {
         w.setFont({"MS Sans Serif", -11, false});
         // The program sorts by its own rules; its indices must be the list's.
         w.setItems({"b", "a", "C"});
         w.setItemIndex(1);
         EXPECT_EQ(SendMessageA(control, LB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(itemText(control, LB_GETTEXT, 0) + itemText(control, LB_GETTEXT, 1) +
                       itemText(control, LB_GETTEXT, 2),
                   "baC");
         EXPECT_EQ(SendMessageA(control, LB_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0), 20);
       },
       {.sorted = true, .itemHeight = 20}},
      {"combo box selection",
       WidgetKind::ComboBox,
       [](HWND control) {
         SendMessageA(control, CB_SETCURSEL, 2, 0);
         SendMessageA(GetParent(control), WM_COMMAND,
                      MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(control));
       },
       {"selected 2"},
       [](Widget& w, HWND control) {
         w.setItems({"a", "b", "c"});
         w.setItemIndex(1);
         EXPECT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(control, CB_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(windowText(control), "b");
         // The closed height comes from the font; the list drops at least four items below.
         RECT dropped{};
         SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
         EXPECT_GE(
             dropped.bottom - dropped.top,
             boundsInParent(control).height + 4 * SendMessageA(control, CB_GETITEMHEIGHT, 0, 0));
       }},
      {"typing into a combo box whose text outlived its items",
       WidgetKind::ComboBox,
       [](HWND control) { type(comboEdit(control), "!"); },
       {"edited typed!"},
       [](Widget& w, HWND control) {
         w.setItems({"one", "two"});
         w.setText("typed");
         w.setItems({"three", "four", "five"});
         EXPECT_EQ(windowText(control), "typed");
         EXPECT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), 3);
         SendMessageA(comboEdit(control), EM_SETSEL, 5, 5);
       }},
      {"tab click after repeated tabs",
       WidgetKind::PageControl,
       [](HWND control) { clickItem(control, TCM_GETITEMRECT, 2); },
       {"selected 2"},
       [](Widget& w, HWND control) {
         // Repeated tabs only move the selection; a new caption replaces the old one.
         w.setTabs({"One", "Two", "Three"}, 0);
         w.setTabs({"One", "Two", "Three"}, 1);
         w.setTabs({"One", "Two", "Four"}, 1);
         EXPECT_EQ(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(control, TCM_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(itemText(control, TCM_GETITEMA, 0) + itemText(control, TCM_GETITEMA, 2),
                   "OneFour");
       }},
  };
  form_.widget.show(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Made made = makeOnForm(c.kind, {10, 10, 200, 120}, c.creation);
    c.program(made.widget, made.window);
    EXPECT_TRUE(made.events.log.empty());
    c.user(made.window);
    EXPECT_EQ(made.events.log, c.expected);
    made.widget.setVisible(false);  // out of the way of the next case's clicks
  }
}

// A list is filled without drawing each item; afterwards it must draw again, scroll bar too.
TEST_F(WidgetTest, AListFilledWhileShownScrollsToItsLastItem) {
  form_.widget.show(true);
  Made list = makeOnForm(WidgetKind::ListBox, {10, 10, 200, 120});
  std::vector<std::string> items;
  for (int i = 0; i < 50; ++i) items.push_back("item " + std::to_string(i));
  list.widget.setItems(items);
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE;
  ASSERT_TRUE(GetScrollInfo(list.window, SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax, 49);
}

TEST_F(WidgetTest, UpDownStepsItsBuddyAndTheBuddyReportsTheUsersSteps) {
  Made edit = makeOnForm(WidgetKind::Edit, {10, 10, 60, 24});
  Made upDown = makeOnForm(WidgetKind::UpDown, {70, 10, 16, 24});
  upDown.widget.setUpDown(1, 10, 4, &edit.widget);
  EXPECT_EQ(windowText(edit.window), "4");
  EXPECT_TRUE(edit.events.log.empty());
  // No alignment: the buddy stays where the program put it.
  EXPECT_EQ(boundsInParent(edit.window), (Bounds{10, 10, 60, 24}));

  SendMessageA(upDown.window, WM_KEYDOWN, VK_UP, 1);
  SendMessageA(upDown.window, WM_KEYUP, VK_UP, 1);
  EXPECT_EQ(windowText(edit.window), "5");
  EXPECT_EQ(edit.events.log, Log{"edited 5"});
}

// The sheets fill the display area, also after a taller tab row or a new size; what a
// hidden sheet holds is hidden with it; a control on a form, a sheet or a group box reports
// through its container.
TEST_F(WidgetTest, ContainersPlaceShowAndPassOnTheirControls) {
  Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  Made first = make(WidgetKind::TabSheet, &pages.widget);
  Made second = make(WidgetKind::TabSheet, &pages.widget);
  Made group = makeOnForm(WidgetKind::GroupBox, {8, 220, 300, 90});
  pages.widget.setTabs({"General", "Timing"}, 1);
  const auto expectSheetsFillDisplayArea = [&] {
    for (const Made* sheet : {&first, &second}) {
      EXPECT_EQ(boundsInParent(sheet->window), displayArea(pages.window));
    }
  };
  expectSheetsFillDisplayArea();
  const Bounds before = boundsInParent(first.window);
  pages.widget.setFont({"Arial", -24, false});
  expectSheetsFillDisplayArea();
  EXPECT_GT(boundsInParent(first.window).top, before.top);
  pages.widget.setBounds({8, 8, 350, 250});
  expectSheetsFillDisplayArea();
  form_.widget.show(true);

  for (Widget* parent : {&form_.widget, &second.widget, &group.widget}) {
    Made button = make(WidgetKind::Button, parent);
    button.widget.setBounds({10, 20, 80, 25});
    Made check = make(WidgetKind::CheckBox, parent);
    check.widget.setBounds({100, 20, 80, 25});
    EXPECT_EQ(boundsInParent(button.window), (Bounds{10, 20, 80, 25}));
    SendMessageA(button.window, BM_CLICK, 0, 0);
    SendMessageA(check.window, BM_CLICK, 0, 0);
    EXPECT_EQ(button.events.log, Log{"clicked"});
    EXPECT_EQ(check.events.log, Log{"toggled on"});
    if (parent != &second.widget) continue;
    second.widget.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(button.window));
    second.widget.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(button.window));
  }
}

TEST_F(WidgetTest, TabWalksFromTheFormIntoTheActiveSheet) {
  Made first = makeOnForm(WidgetKind::Edit, {10, 10, 100, 24});
  Made pages = makeOnForm(WidgetKind::PageControl, {10, 40, 300, 200});
  Made inner = make(WidgetKind::Edit, &make(WidgetKind::TabSheet, &pages.widget).widget);
  inner.widget.setBounds({10, 10, 100, 24});
  pages.widget.setTabs({"Page"}, 0);
  form_.widget.show(true);
  SetFocus(first.window);
  PostMessageA(first.window, WM_KEYDOWN, VK_TAB, 1);
  desktop_.processMessages();
  EXPECT_EQ(GetFocus(), inner.window);
}

}  // namespace
}  // namespace platform::win32
