// Looks at a running wumpex.exe from outside, for the benchmark and soak scripts. One mode a run:
//   probe start <wumpex.exe> [seconds] [settings file]
//     starts it for a user with a settings file (the given one, or a settled user's) and
//     prints the milliseconds until its main window exists and until its message loop first
//     waits for input; keeps it running that many seconds, then closes it.
//   probe settings <wumpex.exe>
//     starts it, double-clicks its tray icon the way the shell reports it, and prints the
//     milliseconds until the settings window is visible; then closes it.
//   probe error-boxes <wumpex.exe> <seconds>
//     lets it run that many seconds, answering each error box it shows with the command its OK
//     button sends; prints each box as it comes and their count; then closes it.
//   probe resources
//     prints the USER and GDI objects that the running wumpex.exe holds.
// Every mode that starts the program prints its exit code last.
#include <windows.h>
#include <winternl.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32MessageWindow.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace platform::win32::testing;

constexpr const char* kUsage =
    "usage: probe start <wumpex.exe> [seconds] [settings]\n"
    "       probe settings <wumpex.exe>\n"
    "       probe error-boxes <wumpex.exe> <seconds>\n"
    "       probe resources\n";

int fail(const std::string& why) {
  std::fprintf(stderr, "probe: %s\n", why.c_str());
  return 2;
}

double millisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

int exitCode(const StartedProgram& program) {
  std::printf("exit_code %lu\n", program.close());
  return 0;
}

int start(const char* exe, int keepSeconds, const char* settingsFile) {
  std::string content = settledSettings(windowsDirectory());
  if (settingsFile != nullptr) {
    std::ifstream given(settingsFile, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(given), {});
  }
  const SettingsFileInWindows settings(content);
  LARGE_INTEGER begun;
  QueryPerformanceCounter(&begun);
  const StartedProgram program(exe);
  if (!program.started()) return fail(std::string("cannot start ") + exe);
  while (windowOfProcess(program.id(), platform::win32::kFormClass) == nullptr) {
    if (WaitForSingleObject(program.handle(), 1) != WAIT_TIMEOUT) {
      return fail("the program ended before its window existed");
    }
  }
  std::printf("ready_ms %.1f\n", millisecondsSince(begun));
  WaitForInputIdle(program.handle(), INFINITE);
  std::printf("idle_ms %.1f\n", millisecondsSince(begun));
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(keepSeconds) * 1000);
  return exitCode(program);
}

int settingsWindow(const char* exe) {
  constexpr UINT kTrayCallback = WM_USER + 1;
  // A start beside a running instance gives way to it, after its windows exist: an instance
  // still ending (the last run's, say) must be gone first.
  if (!waitUntil(
          [] { return FindWindowA(platform::win32::kApplicationClass, kProgramTitle) == nullptr; },
          std::chrono::seconds(10))) {
    return fail("another instance of the program runs");
  }
  const SettingsFileInWindows settings(settledSettings(windowsDirectory()));
  const StartedProgram program(exe);
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
  LARGE_INTEGER begun;
  QueryPerformanceCounter(&begun);
  PostMessageA(tray, kTrayCallback, 0, WM_LBUTTONDBLCLK);
  // Looks every millisecond: a busy loop would take a processor, and Wine's server, from
  // the program being measured.
  while (!IsWindowVisible(form) && program.running() && millisecondsSince(begun) < 30'000) {
    Sleep(1);
  }
  if (!IsWindowVisible(form)) return fail("the settings window did not show");
  std::printf("shown_ms %.2f\n", millisecondsSince(begun));
  std::fflush(stdout);
  return exitCode(program);
}

int errorBoxes(const char* exe, unsigned long long seconds) {
  const StartedProgram program(exe);
  if (!program.started()) return fail(std::string("cannot start ") + exe);
  const ULONGLONG begun = GetTickCount64();
  const ULONGLONG end = begun + 1000ULL * seconds;
  int boxes = 0;
  while (GetTickCount64() < end) {
    if (WaitForSingleObject(program.handle(), 50) != WAIT_TIMEOUT) {
      return fail("the program ended early");
    }
    for (HWND window : dialogsOf(program.id())) {
      if (windowText(window) != kProgramTitle) continue;
      ++boxes;
      std::printf("error_box %.1f s: %s\n", static_cast<double>(GetTickCount64() - begun) / 1000.0,
                  labelsOf(window).c_str());
      std::fflush(stdout);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
      // Gone before the next look, so that no box counts twice.
      for (int i = 0; i < 100 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(50);
    }
  }
  std::printf("error_boxes %d\n", boxes);
  return exitCode(program);
}

// Where the PEB keeps the GDI handle table's address; each entry's object type, 0 when free,
// sits at offset 14 of its 24 bytes.
constexpr std::size_t kGdiTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryType = 14;

struct WindowCount {
  DWORD processId;
  DWORD count;
};

BOOL CALLBACK countChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowCount*>(context)->count;
  return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowCount*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) {
    ++search->count;
    EnumChildWindows(window, countChild, context);
  }
  return TRUE;
}

DWORD windowsOf(DWORD processId) {
  WindowCount search{processId, 0};
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

// The used entries of the process's GDI handle table; -1 when it cannot be read.
long gdiHandlesOf(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) !=
      0) {
    return -1;
  }
  void* table = nullptr;
  if (!ReadProcessMemory(
          process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kGdiTableInPeb,
          &table, sizeof table, nullptr) ||
      table == nullptr) {
    return -1;
  }
  std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return -1;
  long used = 0;
  for (std::size_t i = 0; i < kGdiEntries; ++i) {
    if (entries[i * kGdiEntrySize + kGdiEntryType] != 0) ++used;
  }
  return used;
}

// Where the system does not count the objects (Wine's GetGuiResources is a stub), counts what
// it can see from outside instead: the process's windows and its GDI handle table's entries.
int resources() {
  const HWND form = FindWindowA(platform::win32::kFormClass, nullptr);
  DWORD processId = 0;
  if (form != nullptr) GetWindowThreadProcessId(form, &processId);
  const platform::win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return fail("no running wumpex.exe");
  SetLastError(0);
  const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS);
  const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
  if (user == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    std::printf("user_objects %lu\ngdi_objects %ld\n", windowsOf(processId),
                gdiHandlesOf(process.get()));
    std::printf("counted_by its windows and its GDI handle table\n");
  } else {
    std::printf("user_objects %lu\ngdi_objects %lu\ncounted_by GetGuiResources\n", user, gdi);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "start" && argc > 2) {
    return start(argv[2], argc > 3 ? std::atoi(argv[3]) : 0, argc > 4 ? argv[4] : nullptr);
  }
  if (mode == "settings" && argc > 2) return settingsWindow(argv[2]);
  if (mode == "error-boxes" && argc > 3) {
    return errorBoxes(argv[2], std::strtoull(argv[3], nullptr, 10));
  }
  if (mode == "resources") return resources();
  std::fputs(kUsage, stderr);
  return 2;
}
