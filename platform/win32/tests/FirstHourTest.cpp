// A new user's first hour with the real program, through its real windows and the user's
// own input: the first-start message, the folder picker's tree, the settings window opened
// from the tray icon, ticks heard at the sound server, a folder holding files that do not
// play, and a folder typed into the folder box.
// Usage: first_hour_test <wumpex.exe> <folder of the sound folders> <recording>
// The sound folders are Chimes, Mixed and Gongs; the recording is the sound server's
// monitor, raw 16-bit mono at 44.1 kHz, still being written while the test runs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/Win32FormWidget.h"
#include "platform/win32/tests/TestSupport.h"

namespace {

using namespace std::chrono_literals;
using platform::win32::testing::className;
using platform::win32::testing::labelsOf;
using platform::win32::testing::SettingsFileInWindows;
using platform::win32::testing::StartedProgram;
using platform::win32::testing::topLevelWindowsOf;
using platform::win32::testing::windowOfProcess;
using platform::win32::testing::windowText;

constexpr char kTitle[] = "Wumpex! 1.11";

struct Arguments {
  std::string program;
  std::string folders;
  std::string recording;
} arguments;

// The tones of each sound folder, as sox made them; Mixed's other two files do not play.
struct Tone {
  const char* folder;
  double hertz;
  double seconds;
};
constexpr Tone kChimes{"Chimes", 1250, 0.3};
constexpr Tone kBell{"Mixed", 770, 0.3};
constexpr Tone kGongs{"Gongs", 370, 1.2};

template <typename Done>
bool waitUntil(Done done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// A sound at the sound server: a stretch of loud 10-ms blocks with gaps under 0.1 s.
struct Sound {
  double seconds;
  double hertz;  // from the zero crossings of its loud blocks
};

// Reads the recording as it grows. The server's monitor may carry other programs' sounds
// too, so only sounds at the pitch of one of the test's tones count.
class SinkRecording {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kBlock = kRate / 100;

  explicit SinkRecording(std::string path) : path_(std::move(path)) {}

  // Samples recorded so far.
  std::int64_t now() const {
    std::ifstream in(path_, std::ios::binary | std::ios::ate);
    return in ? static_cast<std::int64_t>(in.tellg()) / 2 : 0;
  }

  // The first of the test's sounds to begin at or after `from` and be over by now.
  std::optional<Sound> soundSince(std::int64_t from) const {
    const std::vector<std::int16_t> samples = read(from);
    const std::size_t blocks = samples.size() / kBlock;
    std::size_t first = 0;
    while (first < blocks) {
      while (first < blocks && !loud(samples, first)) ++first;
      std::size_t last = first;
      int loudBlocks = 0;
      int crossings = 0;
      for (std::size_t b = first; b < blocks && b <= last + kGapBlocks; ++b) {
        if (!loud(samples, b)) continue;
        last = b;
        ++loudBlocks;
        crossings += zeroCrossings(samples, b);
      }
      if (first >= blocks || last + kEndBlocks >= blocks) return std::nullopt;
      const Sound sound{static_cast<double>(last - first + 1) / 100,
                        crossings / 2.0 / (loudBlocks / 100.0)};
      if (ours(sound)) return sound;
      first = last + 1;
    }
    return std::nullopt;
  }

 private:
  static constexpr std::size_t kGapBlocks = 10;
  static constexpr std::size_t kEndBlocks = 20;

  static bool ours(const Sound& sound) {
    for (const Tone& tone : {kChimes, kBell, kGongs}) {
      if (std::abs(sound.hertz - tone.hertz) < tone.hertz * 0.08) return true;
    }
    return false;
  }
  static bool loud(const std::vector<std::int16_t>& samples, std::size_t block) {
    for (std::size_t i = block * kBlock; i < (block + 1) * kBlock; ++i) {
      if (std::abs(samples[i]) >= 1000) return true;
    }
    return false;
  }
  static int zeroCrossings(const std::vector<std::int16_t>& samples, std::size_t block) {
    int count = 0;
    for (std::size_t i = block * kBlock + 1; i < (block + 1) * kBlock; ++i) {
      count += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    return count;
  }
  std::vector<std::int16_t> read(std::int64_t from) const {
    std::ifstream in(path_, std::ios::binary);
    in.seekg(from * 2);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  std::string path_;
};

std::string describe(const std::optional<Sound>& sound) {
  if (!sound) return "no sound";
  return std::to_string(sound->seconds) + " s at " + std::to_string(sound->hertz) + " Hz";
}

bool sounds(const std::optional<Sound>& sound, const Tone& tone) {
  return sound && std::abs(sound->hertz - tone.hertz) < tone.hertz * 0.08 &&
         std::abs(sound->seconds - tone.seconds) < 0.25;
}

// Input as the user gives it: the pointer moves and the presses are queued by the system.
void send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT key(WORD virtualKey, WORD character, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = character;
  input.ki.dwFlags = flags;
  return input;
}

POINT centreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void clickAt(POINT screen, int times = 1) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> presses;
  for (int i = 0; i < times; ++i) {
    presses.push_back(mouse(MOUSEEVENTF_LEFTDOWN));
    presses.push_back(mouse(MOUSEEVENTF_LEFTUP));
  }
  send(presses);
}

void click(HWND window, int times = 1) {
  RECT rect{};
  GetWindowRect(window, &rect);
  clickAt(centreOf(rect), times);
}

void press(WORD virtualKey, bool shifted = false) {
  std::vector<INPUT> keys;
  if (shifted) keys.push_back(key(VK_SHIFT, 0, 0));
  keys.push_back(key(virtualKey, 0, 0));
  keys.push_back(key(virtualKey, 0, KEYEVENTF_KEYUP));
  if (shifted) keys.push_back(key(VK_SHIFT, 0, KEYEVENTF_KEYUP));
  send(keys);
}

void type(const std::string& text) {
  std::vector<INPUT> keys;
  for (const char c : text) {
    const auto character = static_cast<WORD>(static_cast<unsigned char>(c));
    keys.push_back(key(0, character, KEYEVENTF_UNICODE));
    keys.push_back(key(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  send(keys);
}

// Memory in the program's process for the controls' messages that carry pointers: a
// record at the start, its text after it.
class RemoteMemory {
 public:
  static constexpr std::size_t kTextOffset = 256;
  static constexpr int kTextSize = 512;

  explicit RemoteMemory(HANDLE process)
      : process_(process),
        address_(static_cast<char*>(VirtualAllocEx(process, nullptr, kTextOffset + kTextSize,
                                                   MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  LPARAM record() const { return reinterpret_cast<LPARAM>(address_); }
  char* text() const { return address_ + kTextOffset; }
  template <typename T>
  void put(const T& value) const {
    WriteProcessMemory(process_, address_, &value, sizeof value, nullptr);
  }
  template <typename T>
  T get() const {
    T value{};
    ReadProcessMemory(process_, address_, &value, sizeof value, nullptr);
    return value;
  }
  std::string readText() const {
    char buffer[kTextSize] = {};
    ReadProcessMemory(process_, text(), buffer, kTextSize - 1, nullptr);
    return buffer;
  }

 private:
  HANDLE process_;
  char* address_;
};

struct DescendantSearch {
  std::string windowClass;
  std::string text;
  HWND found;
};

BOOL CALLBACK matchDescendant(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DescendantSearch*>(context);
  if (className(window) != search->windowClass || windowText(window) != search->text) return TRUE;
  search->found = window;
  return FALSE;
}

HWND descendant(HWND root, const std::string& windowClass, const std::string& text) {
  DescendantSearch search{windowClass, text, nullptr};
  EnumChildWindows(root, matchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> childrenOf(HWND parent, const char* windowClass) {
  std::vector<HWND> children;
  for (HWND child = FindWindowExA(parent, nullptr, windowClass, nullptr); child != nullptr;
       child = FindWindowExA(parent, child, windowClass, nullptr)) {
    children.push_back(child);
  }
  return children;
}

std::string narrow(const std::wstring& wide) {
  std::string text(
      static_cast<std::size_t>(WideCharToMultiByte(
          CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr)),
      '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                      static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

// Another program's control asked for its text: across processes GetWindowText reads only
// the caption the system keeps, which an edit box's typing does not change.
std::string controlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return narrow(text);
}

std::vector<std::string> listItems(HWND list) {
  std::vector<std::string> items;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(narrow(item));
  }
  return items;
}

// The Windows path of a sound folder, and the nodes that lead to it in the picker's tree.
std::string folderPath(const Tone& tone) {
  return arguments.folders + "\\" + tone.folder;
}

std::vector<std::string> treeNodes(const std::string& path) {
  std::vector<std::string> nodes{"My Computer", std::string{'(', path[0], ':', ')'}};
  for (std::size_t start = 3; start < path.size();) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    nodes.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return nodes;
}

class FirstHour : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(arguments.recording.empty())
        << "usage: first_hour_test <wumpex.exe> <folder of the sound folders> <recording>";
    DeleteFileA(settings.path().c_str());
  }

  // The visible dialogs of the program that `match` accepts.
  template <typename Match>
  std::vector<HWND> dialogs(Match match) const {
    std::vector<HWND> found;
    for (HWND window : topLevelWindowsOf(program->id())) {
      if (className(window) == "#32770" && IsWindowVisible(window) && match(window)) {
        found.push_back(window);
      }
    }
    return found;
  }
  std::vector<HWND> errorBoxes() const {
    return dialogs([](HWND box) { return windowText(box) == kTitle; });
  }
  template <typename Match>
  HWND awaitDialog(Match match, std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
          const auto all = dialogs(match);
          found = all.empty() ? nullptr : all.front();
          return found != nullptr;
        },
        limit);
    return found;
  }

  // Presses a message box's OK with the mouse, once the box is active and in its place (a
  // click on a box still being set up can be lost), and waits until the box has gone.
  void answer(HWND box) const {
    HWND ok = GetDlgItem(box, IDOK);
    RECT before{};
    waitUntil(
        [&] {
          RECT now{};
          GetWindowRect(ok, &now);
          const bool still = EqualRect(&now, &before) != FALSE;
          before = now;
          return still && GetForegroundWindow() == box;
        },
        5s);
    click(ok);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5s))
        << "the box stays after its OK";
  }

  std::string itemText(HWND tree, HTREEITEM item) const {
    const RemoteMemory memory(program->handle());
    TVITEMA record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = memory.text();
    record.cchTextMax = RemoteMemory::kTextSize;
    memory.put(record);
    SendMessageA(tree, TVM_GETITEMA, 0, memory.record());
    return memory.readText();
  }

  // A node whose text is the name, or ends in it after a label (drives show as "(C:)").
  HTREEITEM childShownAs(HWND tree, HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
      const std::string text = itemText(tree, child);
      const std::size_t label = text.size() - name.size();
      if (text.ends_with(name) && (label == 0 || text[label - 1] == ' ')) return child;
    }
    return nullptr;
  }

  RECT itemRect(HWND tree, HTREEITEM item) const {
    const RemoteMemory memory(program->handle());
    memory.put(item);  // the rectangle's first bytes name the item
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, memory.record());
    RECT rect = memory.get<RECT>();
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // Walks the picker's tree from the desktop as the user does: each node clicked, then
  // opened with the right arrow key; the folder is left selected and OK pressed.
  void chooseInPicker(const std::string& path) const {
    HWND picker = awaitDialog(
        [](HWND dialog) { return FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr); }, 10s);
    ASSERT_NE(picker, nullptr) << "no folder picker";
    EXPECT_NE(descendant(picker, "Static", "Select WAV sound folder..."), nullptr);
    HWND tree = FindWindowExA(picker, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM node = TreeView_GetRoot(tree);
    const std::vector<std::string> names = treeNodes(path);
    for (std::size_t i = 0; i < names.size(); ++i) {
      HTREEITEM child = nullptr;
      ASSERT_TRUE(waitUntil(
          [&] {
            child = childShownAs(tree, node, names[i]);
            return child != nullptr;
          },
          10s))
          << "no \"" << names[i] << "\" under \"" << itemText(tree, node) << "\"";
      // Scrolled into view, as the user would with the scroll bar.
      SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(child));
      clickAt(centreOf(itemRect(tree, child)));
      ASSERT_TRUE(waitUntil([&] { return TreeView_GetSelection(tree) == child; }, 5s))
          << "clicking \"" << names[i] << "\" does not select it";
      if (i + 1 < names.size()) press(VK_RIGHT);
      node = child;
    }
    click(GetDlgItem(picker, IDOK));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(picker); }, 10s)) << "the picker stays";
  }

  // Opens the settings window by double-clicking the program's icon in Wine's own tray
  // window, which stands alone when no other notification area is there.
  HWND openSettings() const {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    HWND icon = FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr);
    EXPECT_NE(icon, nullptr) << "no icon in the tray";
    if (icon == nullptr) return nullptr;
    HWND form = windowOfProcess(program->id(), platform::win32::kFormClass);
    click(icon, 2);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(form); }, 10s))
        << "no settings window after a double-click on the tray icon";
    return IsWindowVisible(form) ? form : nullptr;
  }

  // Clicks a page's tab and waits for the page.
  void showPage(HWND form, const std::string& caption) const {
    HWND tabs = descendant(form, WC_TABCONTROLA, "");
    ASSERT_NE(tabs, nullptr);
    const RemoteMemory memory(program->handle());
    const int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
      TCITEMA record{};
      record.mask = TCIF_TEXT;
      record.pszText = memory.text();
      record.cchTextMax = RemoteMemory::kTextSize;
      memory.put(record);
      SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), memory.record());
      if (memory.readText() != caption) continue;
      SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), memory.record());
      RECT rect = memory.get<RECT>();
      MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
      clickAt(centreOf(rect));
      HWND page = descendant(form, platform::win32::kTabSheetClass, caption);
      ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(page); }, 5s)) << caption;
      return;
    }
    FAIL() << "no page " << caption;
  }

  // Replaces an edit box's text as the user does: click in, select from start to end, type.
  void retype(HWND edit, const std::string& text) const {
    click(edit);
    press(VK_HOME);
    press(VK_END, true);
    type(text);
    EXPECT_TRUE(waitUntil([&] { return controlText(edit) == text; }, 5s))
        << "typed \"" << text << "\", the box holds \"" << controlText(edit) << "\"";
  }

  // The WAV Folder page's folder box and file list, or nothing when the page is missing.
  static std::pair<HWND, HWND> folderControls(HWND form) {
    HWND group = descendant(form, platform::win32::kGroupBoxClass, "WAV Sounds Folder");
    return {FindWindowExA(group, nullptr, "Edit", nullptr),
            FindWindowExA(group, nullptr, "ListBox", nullptr)};
  }

  // Presses the settings window's OK; the window hides.
  void confirm(HWND form) const {
    click(descendant(form, "Button", "OK"));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(form); }, 15s)) << "OK left it open";
  }

  // Emptied, then removed in SetUp: the first start finds no settings file.
  SettingsFileInWindows settings{""};
  SinkRecording recording{arguments.recording};
  std::optional<StartedProgram> program;
};

TEST_F(FirstHour, FromTheFirstStartToATypedFolder) {
  program.emplace(arguments.program);
  ASSERT_TRUE(program->started()) << "cannot start " << arguments.program;

  // 1. The program explains what it needs. A click before the program first waits for
  // input is lost.
  WaitForInputIdle(program->handle(), 30'000);
  HWND box =
      awaitDialog([](HWND dialog) { return windowText(dialog) == "Wumpex! Configure"; }, 30s);
  ASSERT_NE(box, nullptr) << "no first-start message";
  answer(box);

  // 2. The folder is chosen in the picker's tree.
  ASSERT_NO_FATAL_FAILURE(chooseInPicker(folderPath(kChimes)));

  // 3. The settings window shows the folder and its files; ticks come every second.
  HWND form = openSettings();
  ASSERT_NE(form, nullptr);
  const auto [folderBox, fileList] = folderControls(form);
  ASSERT_TRUE(folderBox != nullptr && fileList != nullptr);
  ASSERT_NO_FATAL_FAILURE(showPage(form, "Timing"));
  HWND timing = descendant(form, platform::win32::kGroupBoxClass, "Timing");
  std::vector<HWND> counts = childrenOf(timing, "Edit");
  ASSERT_EQ(counts.size(), 2u);
  RECT first{}, second{};
  GetWindowRect(counts[0], &first);
  GetWindowRect(counts[1], &second);
  if (second.top < first.top) std::swap(counts[0], counts[1]);
  retype(counts[0], "1");
  retype(counts[1], "0");
  ASSERT_NO_FATAL_FAILURE(showPage(form, "WAV Folder"));
  EXPECT_EQ(controlText(folderBox), folderPath(kChimes));
  EXPECT_EQ(listItems(fileList),
            (std::vector<std::string>{"chime-1.wav", "chime-2.wav", "chime-3.wav"}));
  std::int64_t from = recording.now();
  confirm(form);
  EXPECT_NE(settings.content().find("WAVPath=" + folderPath(kChimes) + "\r\nRandomTime=1\r\n"),
            std::string::npos)
      << settings.content();

  // 4. A tick's chime reaches the sound server.
  std::optional<Sound> heard;
  waitUntil([&] { return (heard = recording.soundSince(from)).has_value(); }, 10s);
  EXPECT_TRUE(sounds(heard, kChimes)) << "heard " << describe(heard);

  // 5. A folder with two files that do not play, chosen with Browse: the device's error box
  // comes, and after its OK the good file is heard again.
  form = openSettings();
  ASSERT_NE(form, nullptr);
  ASSERT_NO_FATAL_FAILURE(showPage(form, "WAV Folder"));
  click(descendant(form, "Button", "&Browse"));
  ASSERT_NO_FATAL_FAILURE(chooseInPicker(folderPath(kBell)));
  EXPECT_EQ(controlText(folderBox), folderPath(kBell));
  EXPECT_EQ(listItems(fileList), (std::vector<std::string>{"bell.wav", "broken.wav", "notes.wav"}));
  confirm(form);
  box = awaitDialog([](HWND dialog) { return windowText(dialog) == kTitle; }, 30s);
  ASSERT_NE(box, nullptr) << "no error box for the files that do not play";
  from = recording.now();
  answer(box);
  heard.reset();
  // Each of the two files that do not play interrupts once, whichever comes first; the user
  // answers both boxes before going on.
  int answered = 1;
  waitUntil(
      [&] {
        const auto boxes = errorBoxes();
        EXPECT_LE(boxes.size(), 1u) << "error boxes pile up";
        if (!boxes.empty()) {
          answer(boxes.front());
          ++answered;
        }
        heard = recording.soundSince(from);
        return heard && answered >= 2;
      },
      30s);
  EXPECT_TRUE(sounds(heard, kBell)) << "after the error box's OK: " << describe(heard);
  EXPECT_EQ(answered, 2) << "error boxes for the two files that do not play";

  // 6. A folder typed into the folder box and confirmed with OK: the next sound is its own.
  form = openSettings();
  ASSERT_NE(form, nullptr);
  ASSERT_NO_FATAL_FAILURE(showPage(form, "WAV Folder"));
  retype(folderBox, folderPath(kGongs));
  from = recording.now();
  confirm(form);
  heard.reset();
  std::string boxes;
  waitUntil(
      [&] {
        for (HWND error : errorBoxes()) {
          boxes += " \"" + labelsOf(error) + "\"";
          answer(error);
        }
        return (heard = recording.soundSince(from)).has_value();
      },
      10s);
  EXPECT_TRUE(sounds(heard, kGongs)) << "after the typed folder: " << describe(heard);
  EXPECT_EQ(boxes, "") << "error boxes after the typed folder";

  PostMessageA(windowOfProcess(program->id(), platform::win32::kApplicationClass), WM_CLOSE, 0, 0);
  EXPECT_EQ(program->awaitExitCode(), 0u);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 3) arguments = {argv[1], argv[2], argv[3]};
  return RUN_ALL_TESTS();
}
