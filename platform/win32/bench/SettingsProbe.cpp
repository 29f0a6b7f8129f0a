// Starts wumpex.exe with a settled user's settings file, double-clicks its tray icon the way
// the shell reports it, and prints the milliseconds until the settings window is visible.
// Then asks the program to close and prints its exit code.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/tests/TestSupport.h"

namespace {

constexpr UINT kTrayCallback = WM_USER + 1;
constexpr LPARAM kLeftDoubleClick = WM_LBUTTONDBLCLK;

double millisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: settings_probe <wumpex.exe>\n");
    return 2;
  }
  using platform::win32::testing::settledSettings;
  const platform::win32::testing::SettingsFileInWindows settings(
      settledSettings(platform::win32::testing::windowsDirectory()));
  const platform::win32::testing::StartedProgram program(argv[1]);
  if (!program.started()) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 2;
  }
  HWND tray = nullptr;
  HWND form = nullptr;
  while (tray == nullptr || form == nullptr) {
    if (WaitForSingleObject(program.handle(), 5) != WAIT_TIMEOUT) {
      std::fprintf(stderr, "the program ended before its windows existed\n");
      return 2;
    }
    tray = platform::win32::testing::windowOfProcess(program.id(), "WumpexMessages");
    form = platform::win32::testing::windowOfProcess(program.id(), "WumpexForm");
  }
  // Lets the start finish, so that only the double-click is timed.
  WaitForInputIdle(program.handle(), 5000);
  Sleep(500);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  PostMessageA(tray, kTrayCallback, 0, kLeftDoubleClick);
  while (!IsWindowVisible(form) && millisecondsSince(start) < 10'000) Sleep(0);
  std::printf("shown_ms %.2f\n", IsWindowVisible(form) ? millisecondsSince(start) : -1.0);
  std::fflush(stdout);
  PostMessageA(platform::win32::testing::windowOfProcess(program.id(), "WumpexApplication"),
               WM_CLOSE, 0, 0);
  std::printf("exit_code %lu\n", program.awaitExitCode());
  return 0;
}
