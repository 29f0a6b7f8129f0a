// Starts wumpex.exe for a user with a settings file and reports the milliseconds until its main
// window exists, and until its message loop first waits for input (the settings loaded and the
// first sound scheduled). With a second argument, keeps it running that many seconds before
// asking it to close; prints its exit code. A third names a file to use as the settings file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/tests/TestSupport.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: startup_probe <wumpex.exe> [seconds to keep it running] [settings]\n");
    return 2;
  }
  const int keepSeconds = argc > 2 ? std::atoi(argv[2]) : 0;
  std::string content =
      platform::win32::testing::settledSettings(platform::win32::testing::windowsDirectory());
  if (argc > 3) {
    std::ifstream given(argv[3], std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(given), {});
  }
  const platform::win32::testing::SettingsFileInWindows settings(content);
  LARGE_INTEGER frequency, start, ready, idle;
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
  WaitForInputIdle(program.handle(), INFINITE);
  QueryPerformanceCounter(&idle);
  std::printf("idle_ms %.1f\n", 1000.0 * static_cast<double>(idle.QuadPart - start.QuadPart) /
                                    static_cast<double>(frequency.QuadPart));
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(keepSeconds) * 1000);
  std::printf("exit_code %lu\n", program.close());
  return 0;
}
