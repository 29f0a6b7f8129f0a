// Starts wumpex.exe for a user with a settings file and reports the milliseconds until its main
// window exists, the last step before the message loop. With a second argument, keeps it running
// that many seconds before asking it to close; prints its exit code.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/tests/TestSupport.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_probe <wumpex.exe> [seconds to keep it running]\n");
    return 2;
  }
  const int keepSeconds = argc > 2 ? std::atoi(argv[2]) : 0;
  const platform::win32::testing::SettingsFileInWindows settings(
      platform::win32::testing::settledSettings(platform::win32::testing::windowsDirectory()));
  LARGE_INTEGER frequency, start, ready;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const platform::win32::testing::StartedProgram program(argv[1]);
  if (!program.started()) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 2;
  }
  while (platform::win32::testing::windowOfProcess(program.id(), "WumpexForm") == nullptr) {
    if (WaitForSingleObject(program.handle(), 1) != WAIT_TIMEOUT) {
      std::fprintf(stderr, "the program ended before its window existed\n");
      return 2;
    }
  }
  QueryPerformanceCounter(&ready);
  std::printf("ready_ms %.1f\n", 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) /
                                     static_cast<double>(frequency.QuadPart));
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(keepSeconds) * 1000);
  PostMessageA(platform::win32::testing::windowOfProcess(program.id(), "WumpexApplication"),
               WM_CLOSE, 0, 0);
  std::printf("exit_code %lu\n", program.awaitExitCode());
  return 0;
}
