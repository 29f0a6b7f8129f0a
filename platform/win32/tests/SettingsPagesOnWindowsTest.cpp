// The settings window on the real desktop at 96 dpi: each page as the system paints it, read
// back from the screen and compared with the window's layout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/BQForm.h"
#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using namespace std::chrono_literals;
using platform::win32::toWindow;
using platform::win32::testing::ClientPicture;
using platform::win32::testing::pumpFor;
using platform::win32::testing::SettingsFileInWindows;
using platform::win32::testing::settledSettings;
using platform::win32::testing::windowsDirectory;

HWND windowOf(const TControl& control) {
  return toWindow(control.Peer()->handle());
}

// Where the layout puts a control, in the client coordinates of the window `frame`.
RECT placedIn(HWND frame, const TControl& control) {
  const Bounds bounds = control.BoundsRect();
  POINT origin{bounds.left, bounds.top};
  MapWindowPoints(windowOf(*control.Parent()), frame, &origin, 1);
  return {origin.x, origin.y, origin.x + bounds.width, origin.y + bounds.height};
}

// Where the system really has a control's window, in the same coordinates.
RECT realIn(HWND frame, const TControl& control) {
  RECT rect{};
  GetWindowRect(windowOf(control), &rect);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string text(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " to " +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

// The controls that show, parents before their children.
void collectShown(const TControl& parent, std::vector<const TControl*>& shown) {
  for (const TControl* child : parent.Controls()) {
    if (!child->Visible()) continue;
    shown.push_back(child);
    collectShown(*child, shown);
  }
}

int differingIn(const ClientPicture& picture, const RECT& rect, COLORREF background) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) count += picture.at(x, y) != background;
  }
  return count;
}

// Controls with a border of their own: every edge of their box must be drawn.
bool framed(const TControl& control) {
  const std::string kind = control.ClassName();
  return kind == "TEdit" || kind == "TComboBox" || kind == "TListBox" || kind == "TFileListBox" ||
         kind == "TButton" || kind == "TMediaPlayer";
}

class SettingsPagesOnWindows : public ::testing::Test {
 protected:
  // The label's text, measured in the system's fonts, fits the label's box.
  void ExpectWhole(const TLabel& label) {
    unsigned flags = platform::dt::kExpandTabs;
    if (label.WordWrap()) flags |= platform::dt::kWordBreak;
    if (!label.ShowAccelChar()) flags |= platform::dt::kNoPrefix;
    const Bounds box = label.BoundsRect();
    const platform::Size text =
        services.desktop.measureText(label.Caption(), label.Font(), flags, box.width);
    EXPECT_LE(text.width, box.width) << label.Name() << ": the text is cut on the right";
    EXPECT_LE(text.height, box.height) << label.Name() << ": the text is cut at the bottom";
  }

  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(windowsDirectory())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(SettingsPagesOnWindows, EachPageShowsItsControlsWhereTheLayoutPutsThem) {
  ASSERT_EQ(GetDeviceCaps(platform::win32::windowDc(nullptr).get().dc, LOGPIXELSX), 96)
      << "the layout is in pixels at 96 dpi";

  form->TrayIcon1DblClick(form->TrayIcon1);
  const HWND frame = windowOf(*form);
  const HWND tabs = windowOf(*form->PageControl1);
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  const auto& pages = form->PageControl1->Pages();
  for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
    SCOPED_TRACE(pages[static_cast<std::size_t>(page)]->Caption());
    // As a click on the tab: the tab control reports the change of page.
    SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
    pumpFor(services.desktop, 200ms);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(frame);
    pumpFor(services.desktop, 100ms);
    ASSERT_EQ(form->PageControl1->ActivePageIndex(), page);
    const ClientPicture picture(frame);

    std::vector<const TControl*> shown;
    collectShown(*form, shown);
    RECT sheet{};
    std::vector<RECT> occupied;
    for (const TControl* control : shown) {
      SCOPED_TRACE(control->Name());
      EXPECT_TRUE(IsWindowVisible(windowOf(*control)));
      if (control->Parent() == form->PageControl1) {
        sheet = realIn(frame, *control);
        continue;
      }
      const RECT placed = placedIn(frame, *control);
      EXPECT_EQ(text(realIn(frame, *control)), text(placed));
      // What a page holds is on the page, not cut off by its edge.
      RECT onSheet{};
      if (sheet.right > sheet.left && control != form->PageControl1 &&
          IntersectRect(&onSheet, &placed, &sheet)) {
        EXPECT_EQ(text(onSheet), text(placed)) << "cut off by the page's edge " << text(sheet);
      }
      if (const auto* label = dynamic_cast<const TLabel*>(control)) ExpectWhole(*label);
      if (control == form->PageControl1) continue;
      occupied.push_back(placed);
      EXPECT_GE(differingIn(picture, placed, background), 8) << "nothing drawn";
      if (!framed(*control)) continue;
      const RECT edges[] = {{placed.left, placed.top, placed.right, placed.top + 1},
                            {placed.left, placed.bottom - 1, placed.right, placed.bottom},
                            {placed.left, placed.top, placed.left + 1, placed.bottom},
                            {placed.right - 1, placed.top, placed.right, placed.bottom}};
      for (const RECT& edge : edges) {
        const int length = (edge.right - edge.left) * (edge.bottom - edge.top);
        EXPECT_GT(differingIn(picture, edge, background), length / 2)
            << "edge " << text(edge) << " not drawn";
      }
    }
    // Nothing on the page where the layout puts nothing.
    ASSERT_GT(sheet.right, sheet.left);
    int strays = 0;
    POINT firstStray{-1, -1};
    for (int y = sheet.top; y < sheet.bottom; ++y) {
      for (int x = sheet.left; x < sheet.right; ++x) {
        const POINT at{x, y};
        bool covered = false;
        for (const RECT& rect : occupied) covered |= PtInRect(&rect, at) != 0;
        if (covered || picture.at(x, y) == background) continue;
        if (strays++ == 0) firstStray = at;
      }
    }
    EXPECT_EQ(strays, 0) << "first at " << firstStray.x << "," << firstStray.y;
  }
}

TEST_F(SettingsPagesOnWindows, TheAddDialogsTextIsWhole) {
  const TAddBeQuietForm dialog(nullptr);
  ExpectWhole(*dialog.StyledLabel1);
}

TEST_F(SettingsPagesOnWindows, TabGoesFromTheFileListToThePreviewBar) {
  form->TrayIcon1DblClick(form->TrayIcon1);
  form->PageControl1->SetActivePage(form->WavFolderTabSheet);
  const HWND list = windowOf(*form->FileListBox1);
  SetFocus(list);
  PostMessageA(list, WM_KEYDOWN, VK_TAB, 0);
  pumpFor(services.desktop, 200ms);
  EXPECT_EQ(GetFocus(), windowOf(*form->MediaPlayer2));
}

}  // namespace
}  // namespace wumpex
