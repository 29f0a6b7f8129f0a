// Starts wumpex.exe and lets it run for a number of seconds, answering every error box it
// shows with the command its OK button sends; prints each box as it comes and their count.
// Then asks the program to close and prints its exit code.
// Usage: error_box_probe <wumpex.exe> <seconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/tests/TestSupport.h"

using namespace platform::win32::testing;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: error_box_probe <wumpex.exe> <seconds>\n");
    return 2;
  }
  const StartedProgram program(argv[1]);
  if (!program.started()) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 2;
  }
  const ULONGLONG start = GetTickCount64();
  const ULONGLONG end = start + 1000ULL * std::strtoull(argv[2], nullptr, 10);
  int boxes = 0;
  while (GetTickCount64() < end) {
    if (WaitForSingleObject(program.handle(), 50) != WAIT_TIMEOUT) {
      std::fprintf(stderr, "the program ended early\n");
      return 2;
    }
    for (HWND window : dialogsOf(program.id())) {
      if (windowText(window) != kProgramTitle) continue;
      ++boxes;
      std::printf("error_box %.1f s: %s\n", (GetTickCount64() - start) / 1000.0,
                  labelsOf(window).c_str());
      std::fflush(stdout);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
      // Gone before the next look, so that no box counts twice.
      for (int i = 0; i < 100 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(50);
    }
  }
  std::printf("error_boxes %d\n", boxes);
  std::printf("exit_code %lu\n", program.close());
  return 0;
}
