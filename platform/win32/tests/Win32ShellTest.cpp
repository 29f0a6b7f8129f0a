// The shell and its neighbours on the real system: the mail link's Copy menu and the
// clipboard, the hand cursor and the file list's glyphs from the resources and the tip that
// shows its hint; the tray icon through the shell's own notification area; the folder
// picker's special folders; the first instance's window brought back by a second start; and
// the entry that starts the program at log-in, as the registry's own tool reads it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "components/OnlyOne.h"
#include "components/TrayIcon.h"
#include "components/UrlLabel.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "framework/Screen.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

constexpr char kAddress[] = "wumpex@example.com";
constexpr char kHint[] = "Click here to send mail";

class Win32ShellTest : public ::testing::Test {
 protected:
  Win32ShellTest() {
    label->SetParent(&form);
    label->SetBounds({144, 264, 109, 13});
    label->SetURL(std::string("mailto:") + kAddress + "?subject=Wumpex! Correspondence");
    label->SetHint(kHint);
    label->SetShowHint(true);
    label->SetParentShowHint(false);
    form.CreateHandle();
  }

  HWND labelWindow() const { return toWindow(label->Peer()->handle()); }

  Win32Services services;
  wumpex::TApplication application;
  wumpex::TForm form{nullptr, "Form"};
  wumpex::TUrlLabel* label = form.Make<wumpex::TUrlLabel>("UrlLabel1");
};

// As any other program reads the clipboard; its memory block holds the text's zero too.
TEST_F(Win32ShellTest, CopyReplacesWhatTheClipboardHeldWithTheCaption) {
  for (const std::string caption : {kAddress, ""}) {
    SCOPED_TRACE(caption);
    label->SetCaption(caption);
    label->PopupMenu()->Items().at(0)->Click();
    {
      ASSERT_TRUE(OpenClipboard(nullptr));
      const ScopeGuard closed(CloseClipboard);
      HANDLE data = GetClipboardData(CF_TEXT);
      ASSERT_NE(data, nullptr);
      const char* text = static_cast<const char*>(GlobalLock(data));
      ASSERT_NE(text, nullptr);
      const ScopeGuard unlocked([data] { GlobalUnlock(data); });
      EXPECT_EQ(text, caption);
      EXPECT_GE(GlobalSize(data), caption.size() + 1);
    }
    EXPECT_EQ(services.shell.clipboardText(application.Handle()), caption);
  }
}

// The static control asks its parent which cursor to show.
TEST_F(Win32ShellTest, TheHandComesFromTheResourcesAndShowsOverTheLabelOnly) {
  const auto hand = reinterpret_cast<HCURSOR>(wumpex::Screen().Cursors(wumpex::crHand));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand, LoadCursorA(GetModuleHandleA(nullptr), "HAND"));
  HWND parent = GetParent(labelWindow());
  SetCursor(nullptr);
  EXPECT_TRUE(SendMessageA(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(labelWindow()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_FALSE(SendMessageA(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
      << "the form leaves its cursor to the system";
}

TEST_F(Win32ShellTest, ATipShowsTheHintForTheLabel) {
  HWND tip = testing::windowOfProcess(GetCurrentProcessId(), TOOLTIPS_CLASSA);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  char text[80] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = GetParent(labelWindow());
  tool.uId = reinterpret_cast<UINT_PTR>(labelWindow());
  tool.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, kHint);
}

// The file list's glyphs as the resources hold them.
TEST(GlyphResourceTest, FileListGlyphsAreSixteenByFifteenBitmaps) {
  for (const char* name : {"EXECUTABLE", "CLOSEDFOLDER", "UNKNOWNFILE"}) {
    const UniqueGdi<HANDLE> bitmap(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap) << name;
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0) << name;
    EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight, info.bmBitsPixel), std::tuple(16, 15, 4))
        << name;
  }
}

// The shell's own notification area, with every call and whether the shell accepted it.
class RecordingArea final : public NotificationArea {
 public:
  bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    const bool succeeded = shell.notifyIcon(message, record);
    calls.push_back({message, record});
    EXPECT_TRUE(succeeded) << "message " << message;
    return succeeded;
  }
  std::unique_ptr<LoadedIcon> loadIcon(const std::string& name) override {
    return shell.loadIcon(name);
  }
  Point cursorPos() override { return shell.cursorPos(); }
  void setForegroundWindow(Handle window) override { shell.setForegroundWindow(window); }

  Win32NotificationArea shell;
  std::vector<std::pair<std::uint32_t, NotifyIconRecord>> calls;
};

TEST(NotificationAreaTest, ShellAddsChangesAddsAgainAfterRestartAndRemoves) {
  Win32Desktop desktop;
  const DesktopScope desktopScope{desktop};
  RecordingArea area;
  const NotificationAreaScope areaScope{area};
  wumpex::TTrayIcon tray{nullptr, "TrayIcon1"};
  tray.SetIcon(wumpex::TIcon("MAINICON"));
  tray.SetToolTip("Wumpex!");
  tray.SetActive(true);
  tray.SetIcon(wumpex::TIcon("PROGRAMOFF"));
  // The shell forgets the icon, as when it starts over, then tells every top-level window.
  ASSERT_TRUE(area.shell.notifyIcon(NIM_DELETE, area.calls.back().second));
  ASSERT_TRUE(PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0));
  ASSERT_TRUE(testing::pumpUntil(desktop, [&] { return area.calls.size() == 3; }));
  tray.SetActive(false);
  std::vector<std::uint32_t> messages;
  for (const auto& call : area.calls) messages.push_back(call.first);
  EXPECT_EQ(messages, (std::vector<std::uint32_t>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_DELETE}));
  EXPECT_TRUE(area.calls[2].second == area.calls[1].second);
}

// The folder picker's item lists of special folders and their paths, in memory of the
// shell's allocator. My Computer has no file-system path; the conversion leaves an empty one.
TEST(Win32FolderBrowserTest, SpecialFoldersConvertToPathsOrToNothing) {
  Win32FolderBrowser shell;
  const auto allocator = shell.taskAllocator();
  ASSERT_NE(allocator, nullptr);
  const auto free = [&](void* block) { allocator->free(block); };
  const std::unique_ptr<char, decltype(free)> path(
      static_cast<char*>(allocator->alloc(kMaxPathBytes)), free);
  ASSERT_NE(path, nullptr);
  const std::pair<int, std::string> folders[] = {{CSIDL_WINDOWS, testing::windowsDirectory()},
                                                 {CSIDL_DRIVES, ""}};
  for (const auto& [folder, expected] : folders) {
    const std::unique_ptr<void, decltype(free)> list(shell.specialFolderLocation(0, folder), free);
    ASSERT_NE(list, nullptr);
    std::strcpy(path.get(), "left over");
    EXPECT_EQ(shell.pathFromItemList(static_cast<ItemList>(list.get()), path.get()),
              !expected.empty());
    EXPECT_EQ(lstrcmpiA(path.get(), expected.c_str()), 0) << path.get();
  }
}

// Visible top-level windows of the test's own stand for the first instance's and another
// program's; the marker is the first instance's.
TEST(Win32GuardTest, SecondStartRestoresOrRaisesTheFirstsWindow) {
  for (const bool minimised : {false, true}) {
    SCOPED_TRACE(minimised ? "minimised" : "covered");
    Win32Services services;
    wumpex::TApplication application;
    const std::string title = "Wumpex guard " + std::to_string(GetCurrentProcessId());
    const auto first = testing::topLevelWindow(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const auto cover = testing::topLevelWindow("Wumpex cover", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(first.get() != nullptr && cover.get() != nullptr);
    if (minimised) ShowWindow(first.get(), SW_MINIMIZE);
    ASSERT_EQ(IsIconic(first.get()) != FALSE, minimised);
    const Atom marker = services.atoms.add("OnlyOne" + title.substr(0, 20));
    application.SetTitle(title);
    {
      wumpex::TComponent form(nullptr, "WumpexForm");
      form.Make<wumpex::TOnlyOne>("OnlyOne1");
      form.LoadedAll();
    }
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the start ends";
    EXPECT_FALSE(IsIconic(first.get()));
    // The first of the two windows in Z-order must be the first instance's.
    HWND w = GetTopWindow(nullptr);
    while (w != nullptr && w != first.get() && w != cover.get()) w = GetWindow(w, GW_HWNDNEXT);
    EXPECT_TRUE(minimised || w == first.get()) << "the first instance's window is not on top";
    services.atoms.remove(marker);
  }
}

constexpr char kRunKey[] = "\"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\"";

// What the registry's own tool prints of a value under the user's Run key; nothing when the
// value is not there.
std::string RunValueAsTheToolReadsIt(const std::string& name) {
  const std::string command = "reg query " + std::string(kRunKey) + " /v \"" + name + "\" 2>nul";
  FILE* tool = _popen(command.c_str(), "r");
  if (tool == nullptr) return "<reg did not start>";
  std::string printed;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, tool) != nullptr) printed += chunk;
  return _pclose(tool) == 0 ? printed : std::string();
}

// An entry that another copy of the program made is not this one's; the tool's own entry
// without quotes is.
TEST(LogInEntryTest, RunValueIsWrittenReadByTheRegistryToolAndRemoved) {
  Win32Desktop desktop;
  const DesktopScope desktopScope{desktop};
  Win32Shell shell;
  const std::string name = "Wumpex! log-in test";
  const std::string path = desktop.moduleFileName();
  const auto toolWrites = [&](const std::string& value) {
    const std::string command =
        "reg add " + std::string(kRunKey) + " /v \"" + name + "\" /d \"" + value + "\" /f >nul";
    ASSERT_EQ(std::system(command.c_str()), 0);
  };
  ASSERT_TRUE(shell.setStartAtLogIn(name, false)) << "nothing there, nothing to remove";
  EXPECT_FALSE(shell.startsAtLogIn(name));
  ASSERT_TRUE(shell.setStartAtLogIn(name, true));
  EXPECT_TRUE(shell.startsAtLogIn(name));
  const std::string read = RunValueAsTheToolReadsIt(name);
  EXPECT_NE(read.find("REG_SZ"), std::string::npos) << read;
  EXPECT_NE(read.find("\"" + path + "\""), std::string::npos) << read;

  toolWrites("C:\\Other\\wumpex.exe");
  EXPECT_FALSE(shell.startsAtLogIn(name));
  toolWrites(path);
  EXPECT_TRUE(shell.startsAtLogIn(name));
  ASSERT_TRUE(shell.setStartAtLogIn(name, false));
  EXPECT_EQ(RunValueAsTheToolReadsIt(name), "");
  EXPECT_FALSE(shell.startsAtLogIn(name));
}

}  // namespace
}  // namespace platform::win32
