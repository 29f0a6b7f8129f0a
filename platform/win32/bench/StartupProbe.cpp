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
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 2;
  }
  while (platform::win32::testing::windowOfProcess(process.dwProcessId, "WumpexForm") == nullptr) {
    if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT) {
      std::fprintf(stderr, "the program ended before its window existed\n");
      return 2;
    }
  }
  QueryPerformanceCounter(&ready);
  std::printf("ready_ms %.1f\n", 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) /
                                     static_cast<double>(frequency.QuadPart));
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(keepSeconds) * 1000);
  PostMessageA(platform::win32::testing::windowOfProcess(process.dwProcessId, "WumpexApplication"),
               WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  std::printf("exit_code %lu\n", code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
