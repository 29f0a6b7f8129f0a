// Runs the program's tick on its timer over a folder of sounds, one tick a second, and
// prints when each tick's timer message arrived, as milliseconds of the system clock, so
// that a recording of the sound server can tell how long the first sample took.
// Usage: tick_bench <sound folder> <ticks>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

double SystemClockMilliseconds() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  // From 100-ns steps since 1601 to milliseconds since 1970.
  return static_cast<double>(ticks - 116444736000000000ULL) / 10'000.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tick_bench <sound folder> <ticks>\n");
    return 2;
  }
  platform::win32::Win32Services services;
  // A settled user's settings file, so that a fresh prefix asks for no folder.
  const platform::win32::testing::SettingsFileInWindows settings(
      platform::win32::testing::settledSettings(argv[1]));
  wumpex::TApplication application;
  auto* form = application.CreateForm<wumpex::TWumpexForm>();
  form->SoundPathEB->SetText(argv[1]);
  form->FileListBox1->SetDirectory(argv[1]);
  form->RandomTimeEB->SetText("1");
  form->VariableTimeEB->SetText("0");
  int left = std::atoi(argv[2]);
  form->Timer1->SetOnTimer([&](wumpex::TComponent* sender) {
    std::printf("tick_ms %.1f\n", SystemClockMilliseconds());
    std::fflush(stdout);
    form->Timer1Timer(sender);
    if (--left == 0) application.Terminate();
  });
  form->ScheduleNextSound();
  return application.Run();
}
