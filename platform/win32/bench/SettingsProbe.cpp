// Starts wumpex.exe with a settled user's settings file, double-clicks its tray icon the way
// the shell reports it, and prints the milliseconds until the settings window is visible.
// Then asks the program to close and prints its exit code.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "platform/win32/Win32MessageWindow.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace platform::win32::testing;

constexpr UINT kTrayCallback = WM_USER + 1;
constexpr LPARAM kLeftDoubleClick = WM_LBUTTONDBLCLK;

double millisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

int fail(const char* why) {
  std::fprintf(stderr, "settings_probe: %s\n", why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return fail("usage: settings_probe <wumpex.exe>");
  // A start beside a running instance gives way to it, after its windows exist: an instance
  // still ending (the last run's, say) must be gone first.
  if (!waitUntil(
          [] { return FindWindowA(platform::win32::kApplicationClass, kProgramTitle) == nullptr; },
          std::chrono::seconds(10))) {
    return fail("another instance of the program runs");
  }
  const SettingsFileInWindows settings(settledSettings(windowsDirectory()));
  const StartedProgram program(argv[1]);
  if (!program.started()) return fail("cannot start the program");
  HWND tray = nullptr;
  HWND form = nullptr;
  waitUntil(
      [&] {
        tray = windowOfProcess(program.id(), platform::win32::kMessageClass);
        form = windowOfProcess(program.id(), platform::win32::kFormClass);
        return (tray != nullptr && form != nullptr) || !program.running();
      },
      std::chrono::seconds(30));
  // The start is over once the program's message loop takes messages: a message sent to it
  // comes back only then, however long a loaded machine makes the start.
  DWORD_PTR unused = 0;
  if (tray == nullptr || form == nullptr ||
      SendMessageTimeoutA(tray, WM_NULL, 0, 0, SMTO_NORMAL, 30'000, &unused) == 0 ||
      !program.running()) {
    return fail("the program ended or did not finish its start");
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  PostMessageA(tray, kTrayCallback, 0, kLeftDoubleClick);
  // Looks every millisecond: a busy loop would take a processor, and Wine's server, from
  // the program being measured.
  while (!IsWindowVisible(form) && program.running() && millisecondsSince(start) < 30'000) {
    Sleep(1);
  }
  if (!IsWindowVisible(form)) return fail("the settings window did not show");
  std::printf("shown_ms %.2f\n", millisecondsSince(start));
  std::fflush(stdout);
  std::printf("exit_code %lu\n", program.close());
  return 0;
}
