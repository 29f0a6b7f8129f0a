// Starts the real program and checks how it appears on the desktop: only an application
// window, hidden and off the task bar, that ends the program when asked to close.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/Win32Widget.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace std::chrono_literals;

constexpr char kTitle[] = "Wumpex! 1.11";
std::string programPath;

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindowOfProcess(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(collectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The main form carries the same title; the application window is the one of its class.
HWND applicationWindowOf(DWORD processId) {
  for (HWND window : topLevelWindowsOf(processId)) {
    if (platform::win32::testing::windowText(window) == kTitle &&
        platform::win32::testing::className(window) == platform::win32::kApplicationClass) {
      return window;
    }
  }
  return nullptr;
}

// The started program; ended by force should a check fail before it exits.
class Program {
 public:
  explicit Program(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_) != FALSE;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return started_; }
  DWORD id() const { return process_.dwProcessId; }
  HANDLE handle() const { return process_.hProcess; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

TEST(ProgramStart, ShowsNothingStaysOffTheTaskBarAndEndsOnClose) {
  ASSERT_FALSE(programPath.empty()) << "usage: program_start_test <path of wumpex.exe>";
  Program program(programPath);
  ASSERT_TRUE(program.started()) << "cannot start " << programPath;

  HWND application = nullptr;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (application == nullptr && std::chrono::steady_clock::now() < deadline) {
    ASSERT_EQ(WaitForSingleObject(program.handle(), 0), WAIT_TIMEOUT) << "the program ended";
    std::this_thread::sleep_for(50ms);
    application = applicationWindowOf(program.id());
  }
  ASSERT_NE(application, nullptr) << "no window titled " << kTitle;

  for (HWND window : topLevelWindowsOf(program.id())) {
    SCOPED_TRACE(platform::win32::testing::className(window) + " " +
                 platform::win32::testing::windowText(window));
    EXPECT_FALSE(IsWindowVisible(window));
  }
  EXPECT_TRUE(platform::win32::testing::styledOffTaskBar(application));

  PostMessageA(application, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(program.handle(), 10'000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(program.handle(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
