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

POINT centreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void click(HWND window, POINT at) {
  const LPARAM position = MAKELPARAM(at.x, at.y);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendMessageA(window, WM_LBUTTONUP, 0, position);
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
RECT displayArea(HWND pages) {
  RECT area{};
  GetClientRect(pages, &area);
  SendMessageA(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
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
  std::string text(
      static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)),
      '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
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

TEST_F(WidgetTest, ApplicationWindowStaysHiddenOffTheTaskBarAndSurvivesClose) {
  application_.widget.setText("Wumpex! 1.11");
  application_.widget.setVisible(true);

  EXPECT_EQ(windowText(application_.window), "Wumpex! 1.11");
  EXPECT_EQ(className(application_.window), "WumpexApplication");
  EXPECT_FALSE(IsWindowVisible(application_.window));
  EXPECT_TRUE(testing::styledOffTaskBar(application_.window));
  EXPECT_EQ(GetWindow(application_.window, GW_OWNER), nullptr);

  SendMessageA(application_.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(application_.events.log, Log{"close"});
  EXPECT_TRUE(IsWindow(application_.window));
}

TEST_F(WidgetTest, FormHasADialogFrameWithoutSystemMenuAndTheGivenClientSize) {
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
    EXPECT_EQ(client.right, bounds.width);
    EXPECT_EQ(client.bottom, bounds.height);
    RECT outer{};
    GetWindowRect(form_.window, &outer);
    EXPECT_EQ(outer.left, bounds.left);
    EXPECT_EQ(outer.top, bounds.top);
  }
}

TEST_F(WidgetTest, FormReportsCloseAndStays) {
  SendMessageA(form_.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(form_.events.log, Log{"close"});
  EXPECT_TRUE(IsWindow(form_.window));
}

TEST_F(WidgetTest, ShowCenteredCentresTheFormInTheWorkAreaAndFocusesItsFirstTabStop) {
  Made label = makeOnForm(WidgetKind::Label, {10, 10, 100, 20});
  Made edit = makeOnForm(WidgetKind::Edit, {10, 40, 100, 24});
  static_cast<void>(label);

  form_.widget.showCentered();

  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(form_.window, &outer);
  EXPECT_TRUE(IsWindowVisible(form_.window));
  EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1);
  EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1);
  EXPECT_EQ(GetForegroundWindow(), form_.window);
  EXPECT_EQ(GetFocus(), edit.window);
}

TEST_F(WidgetTest, ControlsAreTheirClassesAtTheirBounds) {
  struct Case {
    WidgetKind kind;
    const char* windowClass;
    bool tabStop;
    bool exactHeight;  // a drop-down combo box sizes its closed height from its font
  };
  const Case cases[] = {
      {WidgetKind::Label, "Static", false, true},
      {WidgetKind::Edit, "Edit", true, true},
      {WidgetKind::ComboBox, "ComboBox", true, false},
      {WidgetKind::UpDown, "msctls_updown32", false, true},
      {WidgetKind::CheckBox, "Button", true, true},
      {WidgetKind::Button, "Button", true, true},
      {WidgetKind::ListBox, "ListBox", true, true},
      {WidgetKind::Image, "Static", false, true},
      {WidgetKind::PageControl, "SysTabControl32", false, true},
      {WidgetKind::GroupBox, "WumpexGroupBox", false, true},
  };
  form_.widget.showCentered();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.windowClass);
    const Bounds bounds{12, 34, 150, 60};
    Made made = makeOnForm(c.kind, bounds);
    made.widget.setIcon("IMAGE1");  // an image must keep its bounds with an icon in it

    EXPECT_EQ(lstrcmpiA(className(made.window).c_str(), c.windowClass), 0);
    EXPECT_EQ(GetParent(made.window), form_.window);
    EXPECT_EQ((style(made.window) & WS_TABSTOP) != 0, c.tabStop);
    const Bounds actual = boundsInParent(made.window);
    EXPECT_EQ(actual.left, bounds.left);
    EXPECT_EQ(actual.top, bounds.top);
    EXPECT_EQ(actual.width, bounds.width);
    if (c.exactHeight) {
      EXPECT_EQ(actual.height, bounds.height);
    }

    EXPECT_TRUE(IsWindowVisible(made.window));
    made.widget.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(made.window));
    made.widget.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(made.window));
    made.widget.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(made.window));
  }
}

TEST_F(WidgetTest, CreationStylesReachTheControls) {
  const Made wrapped = makeOnForm(WidgetKind::Label, {0, 0, 50, 50}, {.wordWrap = true});
  const Made single = makeOnForm(WidgetKind::Label, {0, 0, 50, 50}, {.wordWrap = false});
  EXPECT_EQ(style(wrapped.window) & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
  EXPECT_EQ(style(single.window) & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP));

  const Made sorted = makeOnForm(WidgetKind::ListBox, {0, 0, 50, 50}, {.sorted = true});
  const Made unsorted = makeOnForm(WidgetKind::ListBox, {0, 0, 50, 50});
  EXPECT_NE(style(sorted.window) & LBS_SORT, 0u);
  EXPECT_EQ(style(unsorted.window) & LBS_SORT, 0u);
}

TEST_F(WidgetTest, TextReadsBackFromTheWindow) {
  const WidgetKind kinds[] = {WidgetKind::Label,    WidgetKind::Edit,   WidgetKind::ComboBox,
                              WidgetKind::CheckBox, WidgetKind::Button, WidgetKind::GroupBox};
  for (WidgetKind kind : kinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    Made made = makeOnForm(kind, {0, 0, 120, 24});
    made.widget.setText("Start & stop");
    EXPECT_EQ(windowText(made.window), "Start & stop");
    EXPECT_TRUE(made.events.log.empty());
  }
  form_.widget.setText("Settings");
  EXPECT_EQ(windowText(form_.window), "Settings");
}

TEST_F(WidgetTest, UserInputReachesTheEvents) {
  struct Case {
    const char* name;
    WidgetKind kind;
    std::function<void(Widget&)> prepare;
    std::function<void(HWND control)> act;
    Log expected;
  };
  const std::vector<std::string> items{"alpha", "beta", "gamma"};
  const Case cases[] = {
      {"button click",
       WidgetKind::Button,
       [](Widget&) {},
       [](HWND control) { SendMessageA(control, BM_CLICK, 0, 0); },
       {"clicked"}},
      {"label click",
       WidgetKind::Label,
       [](Widget& w) { w.setText("Click me"); },
       [](HWND control) {
         click(control, {2, 2});
       },
       {"clicked"}},
      {"check box clicked twice",
       WidgetKind::CheckBox,
       [](Widget&) {},
       [](HWND control) {
         SendMessageA(control, BM_CLICK, 0, 0);
         SendMessageA(control, BM_CLICK, 0, 0);
       },
       {"toggled on", "toggled off"}},
      {"checked check box clicked",
       WidgetKind::CheckBox,
       [](Widget& w) { w.setChecked(true); },
       [](HWND control) { SendMessageA(control, BM_CLICK, 0, 0); },
       {"toggled off"}},
      {"typing into an edit",
       WidgetKind::Edit,
       [](Widget&) {},
       [](HWND control) { type(control, "ok"); },
       {"edited o", "edited ok"}},
      {"typing after the program's text",
       WidgetKind::Edit,
       [](Widget& w) { w.setText("4"); },
       [](HWND control) {
         SendMessageA(control, EM_SETSEL, 1, 1);
         type(control, "2");
       },
       {"edited 42"}},
      {"list box click",
       WidgetKind::ListBox,
       [&](Widget& w) { w.setItems(items); },
       [](HWND control) {
         RECT item{};
         SendMessageA(control, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
         click(control, centreOf(item));
       },
       {"selected 2"}},
      {"combo box selection",
       WidgetKind::ComboBox,
       [&](Widget& w) { w.setItems(items); },
       [](HWND control) {
         SendMessageA(control, CB_SETCURSEL, 1, 0);
         SendMessageA(GetParent(control), WM_COMMAND,
                      MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(control));
       },
       {"selected 1"}},
      {"typing into a combo box",
       WidgetKind::ComboBox,
       [&](Widget& w) { w.setItems(items); },
       [](HWND control) { type(comboEdit(control), "z"); },
       {"edited z"}},
      {"tab click",
       WidgetKind::PageControl,
       [](Widget& w) {
         w.setTabs({"One", "Two", "Three"}, 0);
       },
       [](HWND control) {
         RECT tab{};
         SendMessageA(control, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
         click(control, centreOf(tab));
       },
       {"selected 2"}},
  };
  form_.widget.showCentered();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Made made = makeOnForm(c.kind, {10, 10, 200, 120});
    c.prepare(made.widget);
    c.act(made.window);
    EXPECT_EQ(made.events.log, c.expected);
    made.widget.setVisible(false);  // out of the way of the next case's clicks
  }
}

TEST_F(WidgetTest, MirroringTheProgramsStateReportsNothing) {
  struct Case {
    const char* name;
    WidgetKind kind;
    std::function<void(Widget&)> mirror;
    std::function<void(HWND)> check;
  };
  const Case cases[] = {
      {"edit text", WidgetKind::Edit, [](Widget& w) { w.setText("mirrored"); },
       [](HWND window) { EXPECT_EQ(windowText(window), "mirrored"); }},
      {"combo box items and index", WidgetKind::ComboBox,
       [](Widget& w) {
         w.setItems({"a", "b", "c"});
         w.setItemIndex(1);
       },
       [](HWND window) {
         EXPECT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(window, CB_GETCURSEL, 0, 0), 1);
         EXPECT_EQ(windowText(window), "b");
       }},
      {"combo box text", WidgetKind::ComboBox,
       [](Widget& w) {
         w.setItems({"a", "b"});
         w.setText("free text");
       },
       [](HWND window) { EXPECT_EQ(windowText(window), "free text"); }},
      {"check box state", WidgetKind::CheckBox, [](Widget& w) { w.setChecked(true); },
       [](HWND window) { EXPECT_EQ(SendMessageA(window, BM_GETCHECK, 0, 0), BST_CHECKED); }},
      {"list box items and index", WidgetKind::ListBox,
       [](Widget& w) {
         w.setItems({"a", "b", "c"});
         w.setItemIndex(2);
       },
       [](HWND window) {
         EXPECT_EQ(SendMessageA(window, LB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), 2);
       }},
      {"tabs", WidgetKind::PageControl,
       [](Widget& w) {
         w.setTabs({"x", "y"}, 1);
       },
       [](HWND window) {
         EXPECT_EQ(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0), 2);
         EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Made made = makeOnForm(c.kind, {10, 10, 200, 120});
    c.mirror(made.widget);
    c.check(made.window);
    EXPECT_TRUE(made.events.log.empty());
  }
}

TEST_F(WidgetTest, RepeatingAnEditsTextKeepsTheCaret) {
  Made edit = makeOnForm(WidgetKind::Edit, {10, 10, 200, 24});
  type(edit.window, "abc");
  SendMessageA(edit.window, EM_SETSEL, 1, 1);

  edit.widget.setText("abc");

  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 1u);
}

TEST_F(WidgetTest, ComboBoxKeepsItsTextAcrossNewItemsAndDropsAList) {
  Made combo = makeOnForm(WidgetKind::ComboBox, {10, 10, 200, 21});
  combo.widget.setItems({"one", "two"});
  combo.widget.setText("typed");
  combo.widget.setItems({"three", "four", "five"});

  EXPECT_EQ(windowText(combo.window), "typed");
  EXPECT_EQ(SendMessageA(combo.window, CB_GETCOUNT, 0, 0), 3);

  RECT closed{};
  GetWindowRect(combo.window, &closed);
  RECT dropped{};
  SendMessageA(combo.window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const auto itemHeight = static_cast<int>(SendMessageA(combo.window, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(dropped.bottom - dropped.top, (closed.bottom - closed.top) + 4 * itemHeight);
}

TEST_F(WidgetTest, ListBoxKeepsTheProgramsOrderAndItemHeight) {
  Made list =
      makeOnForm(WidgetKind::ListBox, {10, 10, 200, 120}, {.sorted = true, .itemHeight = 20});
  list.widget.setFont({"MS Sans Serif", -11, false});
  // The program sorts by its own rules; its indices must be the list's.
  list.widget.setItems({"b", "a", "C"});

  EXPECT_EQ(listItem(list.window, 0), "b");
  EXPECT_EQ(listItem(list.window, 1), "a");
  EXPECT_EQ(listItem(list.window, 2), "C");
  EXPECT_EQ(SendMessageA(list.window, LB_GETITEMHEIGHT, 0, 0), 20);
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

  EXPECT_EQ(SendMessageA(pages.window, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(tabCaption(pages.window, 0), "General");
  EXPECT_EQ(tabCaption(pages.window, 2), "About");
  EXPECT_EQ(SendMessageA(pages.window, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(boundsInParent(button.window), (Bounds{5, 6, 70, 25}));

  // A larger font makes a taller tab row, and a new size a new area: the sheets follow.
  const auto expectSheetsFillDisplayArea = [&] {
    const RECT area = displayArea(pages.window);
    for (const Made* sheet : {&first, &second}) {
      EXPECT_EQ(GetParent(sheet->window), pages.window);
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
  const Made late = make(WidgetKind::TabSheet, &pages.widget);
  const RECT area = displayArea(pages.window);
  EXPECT_EQ(boundsInParent(late.window),
            (Bounds{area.left, area.top, area.right - area.left, area.bottom - area.top}));

  // The program shows one sheet at a time; what a hidden sheet holds is hidden with it.
  form_.widget.showCentered();
  second.widget.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(button.window));
  second.widget.setVisible(true);
  EXPECT_TRUE(IsWindowVisible(button.window));
}

TEST_F(WidgetTest, RepeatedTabsOnlyMoveTheSelection) {
  Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  pages.widget.setTabs({"One", "Two"}, 0);
  pages.widget.setTabs({"One", "Two"}, 1);
  EXPECT_EQ(SendMessageA(pages.window, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(pages.window, TCM_GETCURSEL, 0, 0), 1);

  pages.widget.setTabs({"One", "Three"}, 1);
  EXPECT_EQ(tabCaption(pages.window, 1), "Three");
  EXPECT_EQ(SendMessageA(pages.window, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(pages.events.log.empty());
}

TEST_F(WidgetTest, ContainersPassTheirControlsReportsOn) {
  Made pages = makeOnForm(WidgetKind::PageControl, {8, 8, 300, 200});
  Made sheet = make(WidgetKind::TabSheet, &pages.widget);
  Made group = makeOnForm(WidgetKind::GroupBox, {8, 220, 300, 90});
  group.widget.setText("Options");
  form_.widget.showCentered();

  for (Widget* parent : {&form_.widget, &sheet.widget, &group.widget}) {
    Made button = make(WidgetKind::Button, parent);
    button.widget.setBounds({10, 20, 80, 25});
    Made check = make(WidgetKind::CheckBox, parent);
    check.widget.setBounds({100, 20, 80, 25});
    SCOPED_TRACE(className(windowOf(*parent)));

    EXPECT_EQ(GetParent(button.window), windowOf(*parent));
    EXPECT_EQ(boundsInParent(button.window), (Bounds{10, 20, 80, 25}));
    SendMessageA(button.window, BM_CLICK, 0, 0);
    SendMessageA(check.window, BM_CLICK, 0, 0);
    EXPECT_EQ(button.events.log, Log{"clicked"});
    EXPECT_EQ(check.events.log, Log{"toggled on"});
  }
}

TEST_F(WidgetTest, FontsReachTheControlsAndNewChildrenStartInTheirParentsFont) {
  const Font fonts[] = {{"MS Sans Serif", -11, false}, {"Arial", -16, true}};
  for (const Font& font : fonts) {
    SCOPED_TRACE(font.name);
    form_.widget.setFont(font);
    Made edit = makeOnForm(WidgetKind::Edit, {10, 10, 100, 24});

    const auto inherited = reinterpret_cast<HFONT>(SendMessageA(edit.window, WM_GETFONT, 0, 0));
    ASSERT_NE(inherited, nullptr);
    EXPECT_EQ(inherited, reinterpret_cast<HFONT>(SendMessageA(form_.window, WM_GETFONT, 0, 0)));
    LOGFONTA described{};
    ASSERT_NE(GetObjectA(inherited, sizeof described, &described), 0);
    EXPECT_STREQ(described.lfFaceName, font.name.c_str());
    EXPECT_EQ(described.lfHeight, font.height);
    EXPECT_EQ(described.lfItalic != 0, font.italic);
  }
}

TEST_F(WidgetTest, IconsComeFromTheProgramsResources) {
  Made image = makeOnForm(WidgetKind::Image, {10, 10, 32, 32});
  image.widget.setIcon("IMAGE3");
  EXPECT_NE(SendMessageA(image.window, STM_GETICON, 0, 0), 0);
  image.widget.setIcon("NO SUCH ICON");
  EXPECT_EQ(SendMessageA(image.window, STM_GETICON, 0, 0), 0);

  for (const Made* window : {&application_, &form_}) {
    window->widget.setIcon("MAINICON");
    EXPECT_NE(SendMessageA(window->window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window->window, WM_GETICON, ICON_SMALL, 0), 0);
  }
}

TEST_F(WidgetTest, TabWalksFromTheFormIntoTheActiveSheet) {
  Made first = makeOnForm(WidgetKind::Edit, {10, 10, 100, 24});
  Made pages = makeOnForm(WidgetKind::PageControl, {10, 40, 300, 200});
  Made sheet = make(WidgetKind::TabSheet, &pages.widget);
  Made inner = make(WidgetKind::Edit, &sheet.widget);
  inner.widget.setBounds({10, 10, 100, 24});
  pages.widget.setTabs({"Page"}, 0);
  form_.widget.showCentered();
  SetFocus(first.window);

  PostMessageA(first.window, WM_KEYDOWN, VK_TAB, 1);
  desktop_.processMessages();

  EXPECT_EQ(GetFocus(), inner.window);
}

}  // namespace
}  // namespace platform::win32
