// The program's own logic on the real Windows desktop, where only the platform decides: the
// window walk behind Be Quiet, a standard user's first save, and the settings window at
// 96 dpi, each page as the system paints it read back from the screen and compared with the
// window's layout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>

#include "app/BQForm.h"
#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using namespace std::chrono_literals;
using namespace platform::win32::testing;
using platform::win32::toWindow;

HWND windowOf(const TControl& control) {
  return toWindow(control.Peer()->handle());
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

class ProgramOnWindows : public ::testing::Test {
 protected:
  // The label's text, measured in the system's fonts, fits the label's box.
  void ExpectWhole(const TLabel& label) {
    unsigned flags = platform::dt::kExpandTabs;
    if (label.WordWrap()) flags |= platform::dt::kWordBreak;
    if (!label.ShowAccelChar()) flags |= platform::dt::kNoPrefix;
    const Bounds box = label.BoundsRect();
    const platform::Size size =
        services.desktop.measureText(label.Caption(), label.Font(), flags, box.width);
    EXPECT_LE(size.width, box.width) << label.Name() << ": the text is cut on the right";
    EXPECT_LE(size.height, box.height) << label.Name() << ": the text is cut at the bottom";
  }

  platform::win32::Win32Services services;
  SettingsFileInWindows settings{settledSettings(windowsDirectory())};
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

// Every top-level window's title counts, a hidden one's too, read up to its 254th character;
// a pattern in another script than the code page's matches a title that holds it as written,
// and a title in yet another script holds none. Once the window has gone, the next tick plays.
TEST_F(ProgramOnWindows, WindowWalkSeesEveryTitleAndATitleHoldsTheTick) {
  const std::string presentation =  // Презентация
      "\xD0\x9F\xD1\x80\xD0\xB5\xD0\xB7\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB0\xD1\x86\xD0\xB8\xD1\x8F";
  form->BeQuietListBox->Add("Defrag");
  form->BeQuietListBox->Add(presentation);
  const std::pair<std::string, bool> titles[] = {
      {"Disk Defragmenter", true},
      {std::string(248, 'x') + "Defrag", true},
      {std::string(249, 'x') + "Defrag", false},
      {presentation + " 1 \xE2\x80\x94 Impress", true},
      {"\xCE\xA0\xCE\xB1\xCF\x81\xCE\xBF\xCF\x85\xCF\x83\xCE\xAF\xCE\xB1\xCF\x83\xCE\xB7",
       false}};  // Παρουσίαση
  for (const auto& [title, quiet] : titles) {
    SCOPED_TRACE(title.size());
    EXPECT_TRUE(form->BeQuietCheck());
    const auto hidden = topLevelWindow(title, WS_POPUP);
    ASSERT_NE(hidden.get(), nullptr);
    EXPECT_EQ(form->BeQuietCheck(), !quiet) << "quiet while the title holds it";
  }
  EXPECT_TRUE(form->BeQuietCheck()) << "closing the window lets the next tick play";
}

TEST_F(ProgramOnWindows, EachPageShowsItsControlsWhereTheLayoutPutsThem) {
  ASSERT_EQ(GetDeviceCaps(platform::win32::windowDc(nullptr).get().dc, LOGPIXELSX), 96)
      << "the layout is in pixels at 96 dpi";
  form->TrayIcon1DblClick(form->TrayIcon1);
  const HWND frame = windowOf(*form);
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  const auto& pages = form->PageControl1->Pages();
  for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
    SCOPED_TRACE(pages[static_cast<std::size_t>(page)]->Caption());
    // As a click on the tab: the tab control reports the change of page.
    SendMessageA(windowOf(*form->PageControl1), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
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
      // Where the system has the control's window, and where the layout puts it, both in
      // the frame's client coordinates.
      RECT real{};
      GetWindowRect(windowOf(*control), &real);
      MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&real), 2);
      if (control->Parent() == form->PageControl1) {
        sheet = real;
        continue;
      }
      const Bounds bounds = control->BoundsRect();
      POINT origin{bounds.left, bounds.top};
      MapWindowPoints(windowOf(*control->Parent()), frame, &origin, 1);
      const RECT placed{origin.x, origin.y, origin.x + bounds.width, origin.y + bounds.height};
      EXPECT_EQ(text(real), text(placed));
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
      // Controls with a border of their own: every edge of their box must be drawn.
      static const std::set<std::string> framed{"TEdit",        "TComboBox", "TListBox",
                                                "TFileListBox", "TButton",   "TMediaPlayer"};
      if (!framed.contains(control->ClassName())) continue;
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

TEST_F(ProgramOnWindows, TheAddDialogsTextIsWhole) {
  const TAddBeQuietForm dialog(nullptr);
  ExpectWhole(*dialog.StyledLabel1);
}

TEST_F(ProgramOnWindows, TabGoesFromTheFileListToThePreviewBar) {
  form->TrayIcon1DblClick(form->TrayIcon1);
  form->PageControl1->SetActivePage(form->WavFolderTabSheet);
  const HWND list = windowOf(*form->FileListBox1);
  SetFocus(list);
  PostMessageA(list, WM_KEYDOWN, VK_TAB, 0);
  pumpFor(services.desktop, 200ms);
  EXPECT_EQ(GetFocus(), windowOf(*form->MediaPlayer2));
}

// Answers, as a user pressing Escape, every dialog of this thread that shows while it lives,
// and keeps the message of each message box. It looks every 20 ms, from within whichever
// loop the thread runs.
class DialogAnswerer final : public platform::TimerEvents {
 public:
  explicit DialogAnswerer(platform::Desktop& desktop) : timers_(desktop.createTimerWindow(*this)) {
    timers_->setTimer(1, 20);
  }
  void timerFired(unsigned) override {
    for (HWND window : dialogsOf(GetCurrentProcessId())) {
      if (!answered_.insert(window).second) continue;
      // The message of a box is the static control numbered 0xFFFF.
      char message[1024] = {};
      if (GetDlgItemTextA(window, 0xFFFF, message, sizeof message) > 0) messages.push_back(message);
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
  }

  std::vector<std::string> messages;

 private:
  std::unique_ptr<platform::TimerWindow> timers_;
  std::set<HWND> answered_;
};

// A standard user on current Windows may not add files to the Windows directory. Run alone,
// with that directory made so by the test's runner.
TEST(StandardUserOnWindows, TheFirstSaveGoesToApplicationData) {
  platform::win32::Win32Services services;
  const std::string windows = windowsDirectory();
  ASSERT_FALSE(services.profile.folderWritable(windows)) << "the Windows directory takes new files";
  ASSERT_EQ(GetFileAttributesA((windows + "\\WUMPEX.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string own = *services.profile.appDataFolder() + "\\Wumpex!";
  const std::string file = own + "\\WUMPEX.INI";
  ASSERT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  {
    TApplication application;
    const DialogAnswerer answerer(services.desktop);
    // The first start: its prompt answered and the folder picker cancelled.
    auto* form = application.CreateForm<TWumpexForm>();
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_EQ(answerer.messages[0], kFirstStartPrompt);
    form->SoundPathEB->SetText(windows);
    GuardHandler([&] { form->OKBtnClick(form->OKBtn); });
    EXPECT_EQ(answerer.messages.size(), 1u) << answerer.messages.back();
  }
  std::ifstream saved(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(saved), {}};
  saved.close();
  EXPECT_NE(content.find("WAVPath=" + windows + "\r\n"), std::string::npos) << content;
  EXPECT_EQ(GetFileAttributesA((file + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(file.c_str());
  RemoveDirectoryA(own.c_str());
}

}  // namespace
}  // namespace wumpex
