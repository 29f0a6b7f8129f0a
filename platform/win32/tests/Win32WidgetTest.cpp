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

using testing::boundsInParent;
using testing::className;
using testing::exStyle;
using testing::RecordingEvents;
using testing::style;
using testing::windowText;

using Log = std::vector<std::string>;

HWND windowOf(const Widget& widget) {
  return toWindow(widget.handle());
}

// Presses the left button at the centre of the item whose rectangle `itemRect` asks for, or
// near the top left corner without one.
void click(HWND window, UINT itemRect = 0, WPARAM index = 0) {
  RECT at{2, 2, 2, 2};
  if (itemRect != 0) SendMessageA(window, itemRect, index, reinterpret_cast<LPARAM>(&at));
  const LPARAM position = MAKELPARAM((at.left + at.right) / 2, (at.top + at.bottom) / 2);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendMessageA(window, WM_LBUTTONUP, 0, position);
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

std::string tabCaption(HWND pages, int index) {
  char caption[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption;
  item.cchTextMax = sizeof caption;
  SendMessageA(pages, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return caption;
}

std::string listItem(HWND list, int index) {
  char text[64] = {};
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

class WidgetTest : public ::testing::Test {
 protected:
  struct Made {
    Widget& widget;
    RecordingEvents& events;
    HWND window;
  };

  WidgetTest()
      : application_(make(WidgetKind::ApplicationWindow, nullptr)),
        form_(make(WidgetKind::Form, nullptr)) {
    form_.widget.setBounds({0, 0, 420, 320});
  }

  Made make(WidgetKind kind, Widget* parent, const WidgetStyle& widgetStyle = {}) {
    RecordingEvents& events = events_.emplace_back();
    widgets_.push_back(desktop_.createWidget(kind, parent, widgetStyle, events));
    return {*widgets_.back(), events, windowOf(*widgets_.back())};
  }

  Made makeOnForm(WidgetKind kind, Bounds bounds, const WidgetStyle& widgetStyle = {}) {
    Made made = make(kind, &form_.widget, widgetStyle);
    made.widget.setBounds(bounds);
    return made;
  }

  Win32Desktop desktop_;
  std::deque<RecordingEvents> events_;
  std::vector<std::unique_ptr<Widget>> widgets_;
  Made application_;
  Made form_;
};

TEST_F(WidgetTest, ApplicationWindowStaysHiddenAndTopLevelWindowsSurviveClose) {
  application_.widget.setText("Wumpex! 1.11");
  application_.widget.setVisible(true);

  EXPECT_EQ(windowText(application_.window), "Wumpex! 1.11");
  EXPECT_EQ(className(application_.window), "WumpexApplication");
  EXPECT_FALSE(IsWindowVisible(application_.window));
  EXPECT_TRUE(testing::styledOffTaskBar(application_.window));
  EXPECT_EQ(GetWindow(application_.window, GW_OWNER), nullptr);

  for (const Made* window : {&application_, &form_}) {
    SendMessageA(window->window, WM_CLOSE, 0, 0);
    EXPECT_EQ(window->events.log, Log{"close"});
    EXPECT_TRUE(IsWindow(window->window));
    window->widget.setIcon("MAINICON");
    EXPECT_NE(SendMessageA(window->window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window->window, WM_GETICON, ICON_SMALL, 0), 0);
  }
}

TEST_F(WidgetTest, FormHasADialogFrameWithoutSystemMenuAndTheGivenClientSize) {
  form_.widget.setText("Settings");
  EXPECT_EQ(windowText(form_.window), "Settings");
  EXPECT_EQ(className(form_.window), "WumpexForm");
  EXPECT_FALSE(IsWindowVisible(form_.window));
  EXPECT_EQ(style(form_.window) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_EQ(style(form_.window) & (WS_SYSMENU | WS_CHILD | WS_THICKFRAME), 0u);
  EXPECT_NE(exStyle(form_.window) & WS_EX_DLGMODALFRAME, 0u);
  EXPECT_NE(exStyle(form_.window) & WS_EX_CONTROLPARENT, 0u);
  // Owned by the application window, which keeps the form off the task bar.
  EXPECT_EQ(GetWindow(form_.window, GW_OWNER), application_.window);

  for (const Bounds bounds : {Bounds{10, 20, 420, 320}, Bounds{0, 0, 123, 77}}) {
    form_.widget.setBounds(bounds);
    RECT client{};
    GetClientRect(form_.window, &client);
    RECT outer{};
    GetWindowRect(form_.window, &outer);
    EXPECT_EQ((Bounds{outer.left, outer.top, client.right, client.bottom}), bounds);
  }
}

TEST_F(WidgetTest, ShowCentresTheFormInTheWorkAreaOnceAndFocusesItsFirstTabStop) {
  makeOnForm(WidgetKind::Label, {10, 10, 100, 20});
  Made edit = makeOnForm(WidgetKind::Edit, {10, 40, 100, 24});

  form_.widget.show(true);

  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(form_.window, &outer);
  EXPECT_TRUE(IsWindowVisible(form_.window));
  EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1);
  EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
  EXPECT_EQ(GetFocus(), edit.window);

  // Shown again where the user moved it, it stays there.
  SetWindowPos(form_.window, HWND_BOTTOM, 7, 9, 0, 0, SWP_NOSIZE);
  form_.widget.show(false);
  GetWindowRect(form_.window, &outer);
  EXPECT_EQ(outer.left, 7);
  EXPECT_EQ(outer.top, 9);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
}

TEST_F(WidgetTest, ControlsAreTheirClassesAtTheirBoundsWithTheirStylesAndText) {
  struct Case {
    WidgetKind kind;
    const char* windowClass;
    bool tabStop;
    bool hasText;
    WidgetStyle creation;
    DWORD styleMask;  // which of the class's own style bits to compare, and their value
    DWORD styleBits;
  };
  const Case cases[] = {
      {WidgetKind::Label, "Static", false, true, {.wordWrap = true}, SS_TYPEMASK, SS_LEFT},
      {WidgetKind::Label, "Static", false, true, {}, SS_TYPEMASK, SS_LEFTNOWORDWRAP},
      {WidgetKind::Edit, "Edit", true, true, {}, 0, 0},
      {WidgetKind::ComboBox, "ComboBox", true, true, {}, 0, 0},
      {WidgetKind::UpDown, "msctls_updown32", false, false, {}, 0, 0},
      {WidgetKind::CheckBox, "Button", true, true, {}, 0, 0},
      {WidgetKind::Button, "Button", true, true, {}, 0, 0},
      {WidgetKind::ListBox, "ListBox", true, false, {.sorted = true}, LBS_SORT, LBS_SORT},
      {WidgetKind::ListBox, "ListBox", true, false, {}, LBS_SORT, 0},
      {WidgetKind::Image, "Static", false, false, {}, 0, 0},
      {WidgetKind::PageControl, "SysTabControl32", false, false, {}, 0, 0},
      {WidgetKind::GroupBox, "WumpexGroupBox", false, true, {}, 0, 0},
  };
  form_.widget.show(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.windowClass);
    const Bounds bounds{12, 34, 150, 60};
    Made made = makeOnForm(c.kind, bounds, c.creation);
    made.widget.setIcon("IMAGE1");  // an image must keep its bounds with an icon in it
    if (c.hasText) made.widget.setText("Start & stop");

    EXPECT_EQ(lstrcmpiA(className(made.window).c_str(), c.windowClass), 0);
    EXPECT_EQ(GetParent(made.window), form_.window);
    EXPECT_EQ((style(made.window) & WS_TABSTOP) != 0, c.tabStop);
    EXPECT_EQ(style(made.window) & c.styleMask, c.styleBits);
    EXPECT_EQ(windowText(made.window), c.hasText ? "Start & stop" : "");
    Bounds actual = boundsInParent(made.window);
    if (c.kind == WidgetKind::ComboBox) {
      // The closed height comes from the font; the list drops at least four items below it.
      RECT dropped{};
      SendMessageA(made.window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      EXPECT_GE(dropped.bottom - dropped.top,
                actual.height + 4 * SendMessageA(made.window, CB_GETITEMHEIGHT, 0, 0));
      actual.height = bounds.height;
    }
    EXPECT_EQ(actual, bounds);

    EXPECT_TRUE(IsWindowVisible(made.window));
    made.widget.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(made.window));
    made.widget.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(made.window));
    made.widget.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(made.window));
    EXPECT_TRUE(made.events.log.empty());
  }
}

// The program's calls show in the window and report nothing; the user's input after them
// reports what it changed.
TEST_F(WidgetTest, TheProgramsStateShowsSilentlyAndTheUsersInputIsReported) {
  struct Case {
    const char* name;
    WidgetKind kind;
    std::function<void(Widget&, HWND)> program;
    std::function<void(HWND)> user;
    Log expected;
    WidgetStyle creation{};
  };
  const Case cases[] = {
      {"button click",
       WidgetKind::Button,
       [](Widget&, HWND) {},
       [](HWND control) { SendMessageA(control, BM_CLICK, 0, 0); },
       {"clicked"}},
      {"label click",
       WidgetKind::Label,
       [](Widget& w, HWND) { w.setText("Click me"); },
       [](HWND control) { click(control); },
       {"clicked"}},
      {"label double-clicked",
       WidgetKind::Label,
       [](Widget& w, HWND) { w.setText("Click me"); },
       [](HWND control) {
         click(control);
         SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
         SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
       },
       {"clicked", "clicked"}},
      {"label pressed, then left", WidgetKind::Label, [](Widget&, HWND) {}, pressAndLeave, {}},
      {"self-drawn control click",
       WidgetKind::Custom,
       [](Widget&, HWND) {},
       [](HWND control) { click(control); },
       {"clicked"}},
      {"self-drawn control pressed, then left",
       WidgetKind::Custom,
       [](Widget&, HWND) {},
       pressAndLeave,
       {}},
      {"checked check box clicked twice",
       WidgetKind::CheckBox,
       [](Widget& w, HWND control) {
         w.setChecked(true);
         EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), BST_CHECKED);
       },
       [](HWND control) {
         SendMessageA(control, BM_CLICK, 0, 0);
         SendMessageA(control, BM_CLICK, 0, 0);
       },
       {"toggled off", "toggled on"}},
      {"typing at a caret kept when the program repeats the text",
       WidgetKind::Edit,
       [](Widget& w, HWND control) {
         w.setText("4");
         SendMessageA(control, EM_SETSEL, 1, 1);
         w.setText("4");
         EXPECT_EQ(windowText(control), "4");
       },
       [](HWND control) { type(control, "23"); },
       {"edited 42", "edited 423"}},
      {"list box in the program's order",
       WidgetKind::ListBox,
       [](Widget& w, HWND control) {
         w.setFont({"MS Sans Serif", -11, false});
         // The program sorts by its own rules; its indices must be the list's.
         w.setItems({"b", "a", "C"});
         w.setItemIndex(1);
         EXPECT_EQ(SendMessageA(control, LB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(listItem(control, 0) + listItem(control, 1) + listItem(control, 2), "baC");
         EXPECT_EQ(SendMessageA(control, LB_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0), 20);
       },
       [](HWND control) { click(control, LB_GETITEMRECT, 2); },
       {"selected 2"},
       {.sorted = true, .itemHeight = 20}},
      {"combo box selection",
       WidgetKind::ComboBox,
       [](Widget& w, HWND control) {
         w.setItems({"a", "b", "c"});
         w.setItemIndex(1);
         EXPECT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(control, CB_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(windowText(control), "b");
       },
       [](HWND control) {
         SendMessageA(control, CB_SETCURSEL, 2, 0);
         SendMessageA(GetParent(control), WM_COMMAND,
                      MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(control));
       },
       {"selected 2"}},
      {"typing into a combo box whose text outlived its items",
       WidgetKind::ComboBox,
       [](Widget& w, HWND control) {
         w.setItems({"one", "two"});
         w.setText("typed");
         w.setItems({"three", "four", "five"});
         EXPECT_EQ(windowText(control), "typed");
         EXPECT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), 3);
         SendMessageA(comboEdit(control), EM_SETSEL, 5, 5);
       },
       [](HWND control) { type(comboEdit(control), "!"); },
       {"edited typed!"}},
      {"tab click after repeated tabs",
       WidgetKind::PageControl,
       [](Widget& w, HWND control) {
         // Repeated tabs only move the selection; a new caption replaces the old one.
         w.setTabs({"One", "Two", "Three"}, 0);
         w.setTabs({"One", "Two", "Three"}, 1);
         w.setTabs({"One", "Two", "Four"}, 1);
         EXPECT_EQ(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(control, TCM_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(tabCaption(control, 0) + tabCaption(control, 2), "OneFour");
       },
       [](HWND control) { click(control, TCM_GETITEMRECT, 2); },
       {"selected 2"}},
  };
  form_.widget.show(true);
  for (const Case& c : cases) {
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

  int min = 0;
  int max = 0;
  SendMessageA(upDown.window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min),
               reinterpret_cast<LPARAM>(&max));
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 10);
  EXPECT_EQ(SendMessageA(upDown.window, UDM_GETPOS32, 0, 0), 4);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(upDown.window, UDM_GETBUDDY, 0, 0)), edit.window);
  EXPECT_EQ(windowText(edit.window), "4");
  EXPECT_TRUE(edit.events.log.empty());
  // No alignment: the buddy stays where the program put it.
  EXPECT_EQ(boundsInParent(edit.window), (Bounds{10, 10, 60, 24}));

  SendMessageA(upDown.window, WM_KEYDOWN, VK_UP, 1);
  SendMessageA(upDown.window, WM_KEYUP, VK_UP, 1);
  EXPECT_EQ(windowText(edit.window), "5");
  EXPECT_EQ(edit.events.log, Log{"edited 5"});
}

TEST_F(WidgetTest, PageControlSheetsFillTheDisplayArea) {
  Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  Made first = make(WidgetKind::TabSheet, &pages.widget);
  Made second = make(WidgetKind::TabSheet, &pages.widget);
  Made button = make(WidgetKind::Button, &second.widget);
  button.widget.setBounds({5, 6, 70, 25});
  pages.widget.setTabs({"General", "Timing", "About"}, 1);
  EXPECT_EQ(boundsInParent(button.window), (Bounds{5, 6, 70, 25}));

  // A larger font makes a taller tab row, and a new size a new area: the sheets follow.
  const auto expectSheetsFillDisplayArea = [&] {
    for (const Made* sheet : {&first, &second}) {
      EXPECT_EQ(GetParent(sheet->window), pages.window);
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
  EXPECT_EQ(boundsInParent(make(WidgetKind::TabSheet, &pages.widget).window),
            displayArea(pages.window));

  // The program shows one sheet at a time; what a hidden sheet holds is hidden with it.
  form_.widget.show(true);
  second.widget.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(button.window));
  second.widget.setVisible(true);
  EXPECT_TRUE(IsWindowVisible(button.window));
}

TEST_F(WidgetTest, ContainersPassTheirControlsReportsOn) {
  Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  Made sheet = make(WidgetKind::TabSheet, &pages.widget);
  Made group = makeOnForm(WidgetKind::GroupBox, {8, 220, 300, 90});
  group.widget.setText("Options");
  form_.widget.show(true);

  for (Widget* parent : {&form_.widget, &sheet.widget, &group.widget}) {
    SCOPED_TRACE(className(windowOf(*parent)));
    Made button = make(WidgetKind::Button, parent);
    button.widget.setBounds({10, 20, 80, 25});
    Made check = make(WidgetKind::CheckBox, parent);
    check.widget.setBounds({100, 20, 80, 25});

    EXPECT_EQ(GetParent(button.window), windowOf(*parent));
    EXPECT_EQ(boundsInParent(button.window), (Bounds{10, 20, 80, 25}));
    SendMessageA(button.window, BM_CLICK, 0, 0);
    SendMessageA(check.window, BM_CLICK, 0, 0);
    EXPECT_EQ(button.events.log, Log{"clicked"});
    EXPECT_EQ(check.events.log, Log{"toggled on"});
  }
}

TEST_F(WidgetTest, FontsReachTheControlsAndNewChildrenStartInTheirParentsFont) {
  for (const Font& font : {Font{"MS Sans Serif", -11, false}, Font{"Arial", -16, true}}) {
    SCOPED_TRACE(font.name);
    form_.widget.setFont(font);
    const HWND edit = makeOnForm(WidgetKind::Edit, {10, 10, 100, 24}).window;

    const auto inherited = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    EXPECT_EQ(inherited, reinterpret_cast<HFONT>(SendMessageA(form_.window, WM_GETFONT, 0, 0)));
    LOGFONTA described{};
    ASSERT_NE(GetObjectA(inherited, sizeof described, &described), 0);
    EXPECT_STREQ(described.lfFaceName, font.name.c_str());
    EXPECT_EQ(described.lfHeight, font.height);
    EXPECT_EQ(described.lfItalic != 0, font.italic);
  }
}

TEST_F(WidgetTest, ImagesTakeIconsFromTheProgramsResources) {
  Made image = makeOnForm(WidgetKind::Image, {10, 10, 32, 32});
  image.widget.setIcon("IMAGE3");
  EXPECT_NE(SendMessageA(image.window, STM_GETICON, 0, 0), 0);
  image.widget.setIcon("NO SUCH ICON");
  EXPECT_EQ(SendMessageA(image.window, STM_GETICON, 0, 0), 0);
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
