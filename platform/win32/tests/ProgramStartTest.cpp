// Starts the real program and checks how it appears on the desktop: only an application
// window, hidden and off the task bar, that ends the program when asked to close.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/Win32Widget.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace std::chrono_literals;

constexpr char kTitle[] = "Wumpex! 1.11";
std::string programPath;

// The main form carries the same title; the application window is the one of its class.
HWND applicationWindowOf(DWORD processId) {
  for (HWND window : platform::win32::testing::topLevelWindowsOf(processId)) {
    if (platform::win32::testing::windowText(window) == kTitle &&
        platform::win32::testing::className(window) == platform::win32::kApplicationClass) {
      return window;
    }
  }
  return nullptr;
}

using platform::win32::testing::StartedProgram;

struct DialogSearch {
  DWORD processId;
  std::string title;
  bool titled;  // else any title but that one
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) &&
      platform::win32::testing::className(window) == "#32770" &&
      (platform::win32::testing::windowText(window) == search->title) == search->titled) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible dialog of the process: the one with the title, or else one with another title.
HWND awaitDialog(DWORD processId, const std::string& title, bool titled) {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (std::chrono::steady_clock::now() < deadline) {
    DialogSearch search{processId, title, titled, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    std::this_thread::sleep_for(50ms);
  }
  return nullptr;
}

BOOL CALLBACK findText(HWND window, LPARAM context) {
  auto* wanted = reinterpret_cast<std::pair<std::string, bool>*>(context);
  wanted->second |= platform::win32::testing::windowText(window) == wanted->first;
  return TRUE;
}

bool holdsText(HWND dialog, const std::string& text) {
  std::pair<std::string, bool> wanted{text, false};
  EnumChildWindows(dialog, findText, reinterpret_cast<LPARAM>(&wanted));
  return wanted.second;
}

// Waits until the program's application window exists; nothing when the program ended or
// the time ran out first.
HWND awaitApplicationWindow(const StartedProgram& program) {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!program.running()) return nullptr;
    if (HWND application = applicationWindowOf(program.id())) return application;
    std::this_thread::sleep_for(50ms);
  }
  return nullptr;
}

class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(programPath.empty()) << "usage: program_start_test <path of wumpex.exe>";
  }
  platform::win32::testing::SettingsFileInWindows settings{
      platform::win32::testing::settledSettings(platform::win32::testing::windowsDirectory())};
};

TEST_F(ProgramStart, ShowsNothingStaysOffTheTaskBarAndEndsOnClose) {
  StartedProgram program(programPath);
  ASSERT_TRUE(program.started()) << "cannot start " << programPath;
  HWND application = awaitApplicationWindow(program);
  ASSERT_NE(application, nullptr) << "no window titled " << kTitle;

  for (HWND window : platform::win32::testing::topLevelWindowsOf(program.id())) {
    SCOPED_TRACE(platform::win32::testing::className(window) + " " +
                 platform::win32::testing::windowText(window));
    EXPECT_FALSE(IsWindowVisible(window));
  }
  EXPECT_TRUE(platform::win32::testing::styledOffTaskBar(application));

  PostMessageA(application, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.awaitExitCode(), 0u);
}

TEST_F(ProgramStart, FirstStartExplainsThenOpensTheFolderBrowserOverTheWindow) {
  settings.write("");
  StartedProgram program(programPath);
  ASSERT_TRUE(program.started());
  HWND box = awaitDialog(program.id(), "Wumpex! Configure", true);
  ASSERT_NE(box, nullptr) << "no first-start message";
  EXPECT_TRUE(holdsText(box,
                        "Wumpex! needs to know where it can find WAV files that it should play.  "
                        "Press OK, then please select a folder where WAV files may be found"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);

  HWND browser = awaitDialog(program.id(), "Wumpex! Configure", false);
  ASSERT_NE(browser, nullptr) << "no folder browser";
  EXPECT_TRUE(holdsText(browser, "Select WAV sound folder..."));
  HWND form = platform::win32::testing::windowOfProcess(program.id(), platform::win32::kFormClass);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(IsWindowVisible(form)) << "the settings window is behind the browser";
  PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);

  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (IsWindowVisible(form) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_FALSE(IsWindowVisible(form)) << "hidden again after the browser";
  HWND application = awaitApplicationWindow(program);
  ASSERT_NE(application, nullptr) << "the program ended";
  PostMessageA(application, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.awaitExitCode(), 0u);
  EXPECT_EQ(settings.content(), "") << "nothing is saved without OK or Apply";
}

TEST_F(ProgramStart, SecondStartEndsAndLeavesTheFirstRunning) {
  const std::string marker = std::string("OnlyOne") + kTitle;
  StartedProgram first(programPath);
  HWND application = awaitApplicationWindow(first);
  ASSERT_NE(application, nullptr) << "the first instance did not start";
  // The application window comes before the guard: the marker follows shortly.
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (GlobalFindAtomA(marker.c_str()) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_NE(GlobalFindAtomA(marker.c_str()), 0) << "the first instance marks itself";

  StartedProgram second(programPath);
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.awaitExitCode(), 0u);
  EXPECT_TRUE(first.running()) << "the first instance keeps running";
  EXPECT_EQ(applicationWindowOf(first.id()), application);

  PostMessageA(application, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.awaitExitCode(), 0u);
  EXPECT_EQ(GlobalFindAtomA(marker.c_str()), 0) << "the marker went with the last instance";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
