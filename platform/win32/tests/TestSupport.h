#pragma once
// What the Windows test programs and probes share: waiting with a deadline, read-back of window
// state through the system, the sounds that the test's runner made, the program started as a
// process of its own and its settings file in the Windows directory.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/WumpexProps.h"
#include "platform/Desktop.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32FormWidget.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32::testing {

using wumpex::kFirstStartCaption;
using wumpex::kProgramTitle;

// Looks every 20 ms until done() holds; false when the time ran out first.
template <typename Done>
bool waitUntil(Done done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Handles this thread's messages until done() holds; false when the time ran out first.
template <typename Done>
bool pumpUntil(Desktop& desktop, Done done,
               std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    desktop.processMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline void pumpFor(Desktop& desktop, std::chrono::milliseconds time) {
  pumpUntil(
      desktop, [] { return false; }, time);
}

// A press and release of the left button at a point of the window's client area.
inline void clickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> found;
};

inline BOOL CALLBACK collectProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ProcessWindows*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

// The top-level windows of a process, in Z order. EnumWindows rather than a GetWindow loop,
// which can miss windows or never end while the program makes and destroys its own.
inline std::vector<HWND> topLevelWindowsOf(DWORD processId) {
  ProcessWindows search{processId, {}};
  EnumWindows(collectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The process's first top-level window of a class; nothing when it has none.
inline HWND windowOfProcess(DWORD processId, const std::string& windowClass) {
  for (HWND window : topLevelWindowsOf(processId)) {
    if (className(window) == windowClass) return window;
  }
  return nullptr;
}

// The process's visible dialog boxes (message boxes and the shell's pickers among them).
inline std::vector<HWND> dialogsOf(DWORD processId) {
  std::vector<HWND> dialogs;
  for (HWND window : topLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && className(window) == "#32770") dialogs.push_back(window);
  }
  return dialogs;
}

// The texts of a dialog's labels: a message box's message.
inline std::string labelsOf(HWND dialog) {
  std::string text;
  for (HWND label = FindWindowExA(dialog, nullptr, "Static", nullptr); label != nullptr;
       label = FindWindowExA(dialog, label, "Static", nullptr)) {
    text += windowText(label);
  }
  return text;
}

// A window's client area as the system painted it, read back pixel by pixel.
class ClientPicture {
 public:
  explicit ClientPicture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    // 32 bits a pixel, the top row first.
    info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const UniqueWindowDc source = windowDc(window);
    const UniqueMemoryDc memory(CreateCompatibleDC(source.get().dc));
    void* bits = nullptr;
    const UniqueBitmap bitmap(
        CreateDIBSection(source.get().dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const auto bitmapSelected = selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width_, height_, source.get().dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
  }

  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const {
    const std::uint32_t bgr = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// A top-level window of the test's own, as another program's would be, titled in UTF-8.
inline UniqueWindow topLevelWindow(const std::string& title, DWORD style) {
  return UniqueWindow(CreateWindowExW(0, L"STATIC", Wide(title).c_str(), style, 0, 0, 200, 100,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

// The folder of sounds that the test's runner made, named in WUMPEX_TEST_SOUNDS.
inline std::string testSounds() {
  const char* named = std::getenv("WUMPEX_TEST_SOUNDS");
  std::string folder = named != nullptr ? named : "";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}

// A started program; ended by force should it still run when its owner goes.
class StartedProgram {
 public:
  explicit StartedProgram(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    PROCESS_INFORMATION started{};
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
      process_.reset(started.hProcess);
      const UniqueKernelHandle thread(started.hThread);
      id_ = started.dwProcessId;
    }
  }
  // Gone when this returns, so that a later start finds no instance to give way to.
  ~StartedProgram() {
    if (started() && running()) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), 10'000);
    }
  }

  bool started() const { return static_cast<bool>(process_); }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_.get(); }
  bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  // Asks the program to close as the system does at shutdown; its exit code once it has ended
  // within ten seconds, STILL_ACTIVE otherwise.
  DWORD close() const {
    PostMessageA(windowOfProcess(id_, kApplicationClass), WM_CLOSE, 0, 0);
    return awaitExitCode();
  }
  DWORD awaitExitCode() const {
    if (WaitForSingleObject(process_.get(), 10'000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &exitCode);
    return exitCode;
  }

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

inline std::string windowsDirectory() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  return windows;
}

// The settings file of a user who saved once with the sound folder `folder`.
inline std::string settledSettings(const std::string& folder) {
  return "[WumpexSettings]\r\nWAVPath=" + folder +
         "\r\nRandomTime=10\r\nRandomTimeType=0\r\nVariableTime=5\r\nVariableTimeType=0\r\n"
         "NumBeQuietItems=0\r\n";
}

// Puts a settings file into the Windows directory, where the program looks first, and
// brings back whatever was there before when it goes.
class SettingsFileInWindows {
 public:
  explicit SettingsFileInWindows(const std::string& content) {
    path_ = windowsDirectory() + "\\" + wumpex::kSettingsFileName;
    if (std::ifstream old{path_, std::ios::binary}) {
      previous_ = std::string(std::istreambuf_iterator<char>(old), {});
    }
    write(content);
  }
  ~SettingsFileInWindows() {
    if (previous_) {
      write(*previous_);
    } else {
      DeleteFileA(path_.c_str());
    }
  }
  SettingsFileInWindows(const SettingsFileInWindows&) = delete;
  SettingsFileInWindows& operator=(const SettingsFileInWindows&) = delete;

  const std::string& path() const { return path_; }
  void write(const std::string& content) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << content;
  }
  std::string content() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string path_;
  std::optional<std::string> previous_;
};

}  // namespace platform::win32::testing
