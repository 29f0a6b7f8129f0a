// Times the program's own work on the real desktop under load: listing a folder of 10,000
// wave files into the pool, and one Be Quiet check over 1,000 window titles with 100
// patterns that match none of them, saving the settings with those 100 patterns, and how
// long a click on the About page's description holds the interface. Prints the
// median and range of several runs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

constexpr int kRuns = 7;

template <typename Work>
void report(const char* what, Work work, int runs = kRuns) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%s: median %.1f ms (min %.1f, max %.1f, %d runs)\n", what,
              ms[static_cast<std::size_t>(runs / 2)], ms.front(), ms.back(), runs);
}

}  // namespace

int main() {
  platform::win32::Win32Services services;
  const platform::win32::testing::SettingsFileInWindows settings(
      platform::win32::testing::settledSettings(platform::win32::testing::windowsDirectory()));
  wumpex::TApplication application;
  auto* form = application.CreateForm<wumpex::TWumpexForm>();

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "wumpex-bench-10000";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < 10'000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\sound%05d.wav", i);
    std::ofstream(folder + name, std::ios::app);
  }
  report("listing 10,000 wave files", [&] {
    form->FileListBox1->SetDirectory(temp);  // away first, so that the folder is read again
    form->FileListBox1->SetDirectory(folder);
  });
  std::printf("  (the pool held %d files)\n", form->FileListBox1->Count());

  std::vector<platform::win32::UniqueWindow> windows;
  for (int i = 0; i < 1'000; ++i) {
    windows.push_back(platform::win32::testing::topLevelWindow(
        "Bench window number " + std::to_string(i), WS_POPUP));
  }
  for (int i = 0; i < 100; ++i) form->BeQuietListBox->Add("pattern " + std::to_string(i));
  bool mayPlay = false;
  report("Be Quiet check, 1,000 titles and 100 patterns", [&] { mayPlay = form->BeQuietCheck(); });
  std::printf("  (%zu titles listed; the check let the sound play: %s)\n",
              form->WindowsList1->TheWindowsList().size(), mayPlay ? "yes" : "no");

  report("saving the settings with 100 patterns", [&] { form->ApplyBtnClick(form->ApplyBtn); });
  std::printf("  (the saved file holds %zu bytes)\n", settings.content().size());

  report(
      "About click (the built-in sound plays to its end)", [&] { form->Label1Click(form->Label1); },
      3);
  return 0;
}
