// Prints the USER and GDI objects that the running wumpex.exe holds, found by its main window.
// Where the system does not count them (Wine's GetGuiResources is a stub), counts what it can
// see from outside instead: the process's windows, and the used entries of its GDI handle
// table, which the process's PEB points to.
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdio>
#include <vector>

#include "platform/win32/Win32Handles.h"

namespace {

using platform::win32::UniqueKernelHandle;

// Where the PEB keeps the table's address; each entry's object type, 0 when free, sits at
// offset 14 of its 24 bytes.
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

}  // namespace

int main() {
  const HWND form = FindWindowA("WumpexForm", nullptr);
  DWORD processId = 0;
  if (form != nullptr) GetWindowThreadProcessId(form, &processId);
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) {
    std::fprintf(stderr, "resource_probe: no running wumpex.exe\n");
    return 2;
  }
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
