// Starts the real program and checks how it appears on the desktop: only an application
// window, hidden and off the task bar, that ends the program when asked to close. Reads the
// file's version and manifest as Explorer and the loader see them.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace std::chrono_literals;
using namespace platform::win32::testing;

std::string programPath;

// The shell gives a button to a visible window that is unowned and no tool window, or that
// asks for one with WS_EX_APPWINDOW. These are the style bits that keep one away for good.
bool styledOffTaskBar(HWND window) {
  const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  return (exStyle & WS_EX_TOOLWINDOW) != 0 && (exStyle & WS_EX_APPWINDOW) == 0;
}

// The program's application window once it is there; nothing when the program ended or
// thirty seconds went by first. The main form carries the same title.
HWND awaitApplicationWindow(const StartedProgram& program) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND window : topLevelWindowsOf(program.id())) {
          if (className(window) == platform::win32::kApplicationClass &&
              windowText(window) == kProgramTitle) {
            found = window;
          }
        }
        return found != nullptr || !program.running();
      },
      30s);
  return found;
}

class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(programPath.empty()) << "usage: program_start_test <path of wumpex.exe>";
  }
  SettingsFileInWindows settings{settledSettings(windowsDirectory())};
};

TEST_F(ProgramStart, ShowsNothingStaysOffTheTaskBarAndEndsOnClose) {
  const StartedProgram program(programPath);
  ASSERT_TRUE(program.started()) << "cannot start " << programPath;
  HWND application = awaitApplicationWindow(program);
  ASSERT_NE(application, nullptr) << "no window titled " << kProgramTitle;
  for (HWND window : topLevelWindowsOf(program.id())) {
    EXPECT_FALSE(IsWindowVisible(window)) << className(window) << " " << windowText(window);
  }
  EXPECT_TRUE(styledOffTaskBar(application));
  EXPECT_EQ(program.close(), 0u);
}

TEST_F(ProgramStart, SecondStartEndsAndLeavesTheFirstRunning) {
  const std::string marker = std::string("OnlyOne") + kProgramTitle;
  const StartedProgram first(programPath);
  HWND application = awaitApplicationWindow(first);
  ASSERT_NE(application, nullptr) << "the first instance did not start";
  // The application window comes before the guard: the marker follows shortly.
  ASSERT_TRUE(waitUntil([&] { return GlobalFindAtomA(marker.c_str()) != 0; }, 10s))
      << "the first instance marks itself";

  const StartedProgram second(programPath);
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.awaitExitCode(), 0u);
  EXPECT_TRUE(first.running()) << "the first instance keeps running";
  EXPECT_EQ(awaitApplicationWindow(first), application);
  EXPECT_EQ(first.close(), 0u);
  EXPECT_EQ(GlobalFindAtomA(marker.c_str()), 0) << "the marker went with the last instance";
}

BOOL CALLBACK countResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The version that the file's properties show, and the one manifest: it runs the program with
// the starting user's rights and no file virtualisation (so the 32-bit program keeps its
// settings where the 64-bit one does) and names the Windows versions it knows, without asking
// for visual styles or DPI awareness, which would change how its windows look.
TEST_F(ProgramStart, FileCarriesItsVersionAndManifest) {
  DWORD unused = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(programPath.c_str(), &unused));
  ASSERT_FALSE(info.empty()) << "no version resource";
  ASSERT_TRUE(
      GetFileVersionInfoA(programPath.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(11, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(11, 1));
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
  const auto* language = static_cast<const WORD*>(value);
  char table[32];
  std::snprintf(table, sizeof table, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  const std::pair<const char*, const char*> strings[] = {{"FileVersion", "1.11"},
                                                         {"ProductVersion", "1.11"},
                                                         {"ProductName", "Wumpex!"},
                                                         {"OriginalFilename", "wumpex.exe"}};
  for (const auto& [name, expected] : strings) {
    ASSERT_TRUE(VerQueryValueA(info.data(), (table + std::string(name)).c_str(), &value, &length))
        << name;
    EXPECT_STREQ(static_cast<const char*>(value), expected) << name;
  }

  const platform::win32::UniqueModule file(
      LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(file);
  int manifests = 0;
  EnumResourceNamesA(file.get(), RT_MANIFEST, countResource,
                     reinterpret_cast<LONG_PTR>(&manifests));
  EXPECT_EQ(manifests, 1);
  HRSRC found = FindResourceA(file.get(), MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_NE(found, nullptr) << "no manifest";
  const std::string manifest(
      static_cast<const char*>(LockResource(LoadResource(file.get(), found))),
      SizeofResource(file.get(), found));
  const std::pair<const char*, bool> parts[] = {
      {R"(level="asInvoker")", true},
      {R"(uiAccess="false")", true},
      {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", true},  // Vista
      {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", true},  // 7
      {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", true},  // 8
      {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", true},  // 8.1
      {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", true},  // 10 and 11
      {"Common-Controls", false},
      {"dpiAware", false}};
  for (const auto& [part, present] : parts) {
    EXPECT_EQ(manifest.find(part) != std::string::npos, present) << part;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
