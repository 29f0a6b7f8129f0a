// A new user's first hour with the real program, through its real windows and the user's
// own input: the first-start message, the folder picker's tree, the settings window opened
// from the tray icon, ticks heard at the sound server, a folder holding files that do not
// play, a folder typed into the folder box, quiet for a while from the tray menu, and a second
// start. The folder chosen at the first start is named in Cyrillic, and a restart plays it
// again. Also reads the file's version and manifest as Explorer and the loader see them.
// Usage: first_hour_test <wumpex.exe> <folder of the sound folders> <recording>
// The sound folders are Звон ("chime" in Cyrillic), Mixed and Gongs; the recording is the sound
// server's monitor, raw 16-bit mono at 44.1 kHz, still being written while the test runs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "platform/win32/Utf16.h"
#include "platform/win32/tests/TestSupport.h"
#include "tests/HeadlessServices.h"

namespace {

using namespace std::chrono_literals;
using namespace platform::win32::testing;
using platform::win32::kFormClass;
using platform::win32::kGroupBoxClass;
using platform::win32::kTabSheetClass;
using platform::win32::Utf8;
using platform::win32::Wide;

struct Arguments {
  std::string program;
  std::string folders;
  std::string recording;
} arguments;

// The tones of each sound folder, as sox made them; Mixed's other two files do not play. A
// sound heard at the sound server, a stretch of loud 10-ms blocks with gaps under 0.1 s, is
// one too, in no folder, its pitch from the zero crossings of its loud blocks.
struct Tone {
  const char* folder;
  double hertz;
  double seconds;
};
constexpr Tone kChimes{"\xD0\x97\xD0\xB2\xD0\xBE\xD0\xBD", 1250, 0.3};
constexpr Tone kBell{"Mixed", 770, 0.3};
constexpr Tone kGongs{"Gongs", 370, 1.2};
using Sound = Tone;

bool atPitch(const Sound& sound, const Tone& tone) {
  return std::abs(sound.hertz - tone.hertz) < tone.hertz * 0.08;
}

bool sounds(const std::optional<Sound>& sound, const Tone& tone) {
  return sound && atPitch(*sound, tone) && std::abs(sound->seconds - tone.seconds) < 0.25;
}

std::string describe(const std::optional<Sound>& sound) {
  if (!sound) return "no sound";
  return std::to_string(sound->seconds) + " s at " + std::to_string(sound->hertz) + " Hz";
}

// The recording's samples so far.
std::int64_t recordedSoFar() {
  std::ifstream in(arguments.recording, std::ios::binary | std::ios::ate);
  return in ? static_cast<std::int64_t>(in.tellg()) / 2 : 0;
}

// The first of the test's sounds in the recording to begin at or after `from` and be over by
// now. The server's monitor may carry other programs' sounds too, so only sounds at the pitch
// of one of the test's tones count.
std::optional<Sound> soundSince(std::int64_t from) {
  constexpr std::size_t kBlock = 441;  // 10 ms at 44.1 kHz
  constexpr std::size_t kGapBlocks = 10;
  constexpr std::size_t kEndBlocks = 20;
  std::ifstream in(arguments.recording, std::ios::binary);
  in.seekg(from * 2);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  const std::size_t blocks = samples.size() / kBlock;
  const auto loud = [&](std::size_t block) {
    const auto start = samples.begin() + static_cast<std::ptrdiff_t>(block * kBlock);
    return std::any_of(start, start + kBlock,
                       [](std::int16_t sample) { return std::abs(sample) >= 1000; });
  };
  for (std::size_t first = 0; first < blocks;) {
    while (first < blocks && !loud(first)) ++first;
    std::size_t last = first;
    int loudBlocks = 0;
    int crossings = 0;
    for (std::size_t b = first; b < blocks && b <= last + kGapBlocks; ++b) {
      if (!loud(b)) continue;
      last = b;
      ++loudBlocks;
      for (std::size_t i = b * kBlock + 1; i < (b + 1) * kBlock; ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
      }
    }
    if (first >= blocks || last + kEndBlocks >= blocks) return std::nullopt;
    const Sound sound{nullptr, crossings / 2.0 / (loudBlocks / 100.0),
                      static_cast<double>(last - first + 1) / 100};
    for (const Tone& tone : {kChimes, kBell, kGongs}) {
      if (atPitch(sound, tone)) return sound;
    }
    first = last + 1;
  }
  return std::nullopt;
}

// Input as the user gives it: the pointer moves and the presses are queued by the system.
void send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT key(WORD virtualKey, WORD character, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki = {virtualKey, character, flags, 0, 0};
  return input;
}

POINT centreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Each press carries its place: a pointer only moved beforehand can be moved back by a late
// report of the pointer's last place, and the press then lands there. The button's release
// flag is the one after its press flag.
void clickOnScreen(POINT at, int times = 1, DWORD press = MOUSEEVENTF_LEFTDOWN) {
  const LONG x = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG y = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::vector<INPUT> presses(static_cast<std::size_t>(2 * times), INPUT{INPUT_MOUSE, {}});
  for (std::size_t i = 0; i < presses.size(); ++i) {
    const DWORD button = i % 2 == 0 ? press : press << 1;
    presses[i].mi = {x, y, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button, 0, 0};
  }
  send(presses);
}

void click(HWND window, int times = 1, DWORD press = MOUSEEVENTF_LEFTDOWN) {
  RECT rect{};
  GetWindowRect(window, &rect);
  clickOnScreen(centreOf(rect), times, press);
}

// Sends a control of the program a message whose record the control fills: the record goes to
// memory in the program's process, with room after it for a text when it asks for one.
template <typename Record>
std::pair<Record, std::string> sendRecord(HANDLE process, HWND control, UINT message, WPARAM wParam,
                                          Record record) {
  constexpr std::size_t kText = 256;  // in UTF-16 units, after as many bytes for the record
  const auto release = [process](char* memory) { VirtualFreeEx(process, memory, 0, MEM_RELEASE); };
  const std::unique_ptr<char, decltype(release)> memory(
      static_cast<char*>(VirtualAllocEx(process, nullptr, kText * (1 + sizeof(wchar_t)),
                                        MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      release);
  if constexpr (requires { record.pszText; }) {
    record.pszText = reinterpret_cast<decltype(record.pszText)>(memory.get() + kText);
    record.cchTextMax = kText;
  }
  WriteProcessMemory(process, memory.get(), &record, sizeof record, nullptr);
  SendMessageW(control, message, wParam, reinterpret_cast<LPARAM>(memory.get()));
  wchar_t text[kText] = {};
  ReadProcessMemory(process, memory.get(), &record, sizeof record, nullptr);
  ReadProcessMemory(process, memory.get() + kText, text, (kText - 1) * sizeof(wchar_t), nullptr);
  return {record, Utf8(text)};
}

// The centre on the screen of a control's item, whose rectangle `message` asks for; its first
// bytes say which item.
template <typename Item>
POINT itemCentre(HANDLE process, HWND control, UINT message, WPARAM wParam, Item item) {
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);
  rect = sendRecord(process, control, message, wParam, rect).first;
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return centreOf(rect);
}

// The first descendant of a window, depth first, of a class and with a text.
HWND descendant(HWND root, const char* windowClass, const std::string& text) {
  for (HWND child = FindWindowExA(root, nullptr, nullptr, nullptr); child != nullptr;
       child = FindWindowExA(root, child, nullptr, nullptr)) {
    if (className(child) == windowClass && windowText(child) == text) return child;
    if (HWND found = descendant(child, windowClass, text)) return found;
  }
  return nullptr;
}

// Another program's control asked for its text: across processes GetWindowText reads only
// the caption the system keeps, which an edit box's typing does not change.
std::string controlText(HWND control, UINT getLength = WM_GETTEXTLENGTH, UINT get = WM_GETTEXT,
                        WPARAM index = 0) {
  std::wstring wide(static_cast<std::size_t>(SendMessageW(control, getLength, index, 0)) + 1,
                    L'\0');
  wide.resize(
      static_cast<std::size_t>(SendMessageW(control, get, get == WM_GETTEXT ? wide.size() : index,
                                            reinterpret_cast<LPARAM>(wide.data()))));
  return Utf8(wide);
}

std::vector<std::string> listItems(HWND list) {
  std::vector<std::string> items;
  for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
    items.push_back(controlText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
  }
  return items;
}

std::string folderPath(const Tone& tone) {
  return arguments.folders + "\\" + tone.folder;
}

// The nodes that lead to a folder in the picker's tree, from the computer down.
std::vector<std::string> treeNodes(const std::string& path) {
  std::vector<std::string> nodes{"My Computer", std::string{'(', path[0], ':', ')'}};
  for (std::size_t start = 3; start < path.size();) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    nodes.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return nodes;
}

// What the user reads on the way, from the program's own layout on the in-memory desktop.
struct Captions {
  std::string timingPage, timingGroup, folderPage, folderGroup, browse, ok, picker;
};

Captions layoutCaptions() {
  const wumpex::Program program;
  const wumpex::TWumpexForm form;
  return {form.TimingTabSheet->Caption(),    form.TimingGB->Caption(),
          form.WavFolderTabSheet->Caption(), form.SoundPathGB->Caption(),
          form.BrowseBtn->Caption(),         form.OKBtn->Caption(),
          form.BrowseDirectoryDlg1->Title()};
}

class FirstHour : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(arguments.recording.empty())
        << "usage: first_hour_test <wumpex.exe> <folder of the sound folders> <recording>";
    DeleteFileA(settings.path().c_str());
  }

  // The program's first visible dialog that `match` accepts, once there.
  template <typename Match>
  HWND awaitDialog(Match match, std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
          for (HWND dialog : dialogsOf(program->id())) {
            if (match(dialog)) return (found = dialog) != nullptr;
          }
          return false;
        },
        limit);
    return found;
  }

  // Whether a window came to the front and stopped moving: a click on a window still being
  // set up can be lost.
  static bool settled(HWND window) {
    RECT before{};
    return waitUntil(
        [&] {
          RECT now{};
          GetWindowRect(window, &now);
          const bool still = EqualRect(&now, &before) != FALSE;
          before = now;
          return still && GetForegroundWindow() == window;
        },
        5s);
  }

  // Presses a message box's OK with the mouse, once the box is settled, and waits until the
  // box has gone.
  void answer(HWND box) const {
    settled(box);
    click(GetDlgItem(box, IDOK));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5s))
        << "the box stays after its OK";
  }

  // Walks the picker's tree from the desktop as the user does: each node clicked, then
  // opened with the right arrow key; the folder is left selected and OK pressed. A node's
  // text is the name, or ends in it after a label (drives show as "(C:)").
  void chooseInPicker(const std::string& path) const {
    HWND picker = awaitDialog(
        [](HWND dialog) { return FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr); }, 10s);
    ASSERT_NE(picker, nullptr) << "no folder picker";
    EXPECT_NE(descendant(picker, "Static", captions.picker), nullptr);
    HWND tree = FindWindowExA(picker, nullptr, WC_TREEVIEWA, nullptr);
    const auto textOf = [&](HTREEITEM item) {
      TVITEMW record{};
      record.mask = TVIF_TEXT;
      record.hItem = item;
      return sendRecord(program->handle(), tree, TVM_GETITEMW, 0, record).second;
    };
    HTREEITEM node = TreeView_GetRoot(tree);
    const std::vector<std::string> names = treeNodes(path);
    for (std::size_t i = 0; i < names.size(); ++i) {
      HTREEITEM child = nullptr;
      ASSERT_TRUE(waitUntil(
          [&] {
            for (child = TreeView_GetChild(tree, node); child != nullptr;
                 child = TreeView_GetNextSibling(tree, child)) {
              const std::string text = textOf(child);
              const std::size_t label = text.size() - names[i].size();
              if (text.ends_with(names[i]) && (label == 0 || text[label - 1] == ' ')) break;
            }
            return child != nullptr;
          },
          10s))
          << "no \"" << names[i] << "\" under \"" << textOf(node) << "\"";
      // Scrolled into view, as the user would with the scroll bar.
      SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(child));
      clickOnScreen(itemCentre(program->handle(), tree, TVM_GETITEMRECT, TRUE, child));
      ASSERT_TRUE(waitUntil([&] { return TreeView_GetSelection(tree) == child; }, 5s))
          << "clicking \"" << names[i] << "\" does not select it";
      if (i + 1 < names.size()) send({key(VK_RIGHT, 0, 0), key(VK_RIGHT, 0, KEYEVENTF_KEYUP)});
      node = child;
    }
    click(GetDlgItem(picker, IDOK));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(picker); }, 10s)) << "the picker stays";
  }

  // The program's icon in Wine's own tray window, which stands alone when no other
  // notification area is there.
  static HWND trayIcon() {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    HWND icon = FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr);
    EXPECT_NE(icon, nullptr) << "no icon in the tray";
    return icon;
  }

  // Opens the settings window by double-clicking the tray icon.
  HWND openSettings() const {
    HWND icon = trayIcon();
    if (icon == nullptr) return nullptr;
    HWND form = windowOfProcess(program->id(), kFormClass);
    click(icon, 2);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(form); }, 10s))
        << "no settings window after a double-click on the tray icon";
    EXPECT_TRUE(settled(form)) << "the settings window does not come to the front";
    return IsWindowVisible(form) ? form : nullptr;
  }

  // Opens the tray icon's menu with the right mouse button and chooses with the keys, one at
  // a time, as the user does once the menu shows.
  void chooseFromTrayMenu(const std::vector<WORD>& keys) const {
    HWND icon = trayIcon();
    ASSERT_NE(icon, nullptr);
    click(icon, 1, MOUSEEVENTF_RIGHTDOWN);
    const auto menuShows = [] {
      HWND menu = FindWindowA("#32768", nullptr);
      return menu != nullptr && IsWindowVisible(menu);
    };
    ASSERT_TRUE(waitUntil(menuShows, 10s)) << "no menu after a right-click on the tray icon";
    for (const WORD k : keys) {
      std::this_thread::sleep_for(150ms);
      send({key(k, 0, 0), key(k, 0, KEYEVENTF_KEYUP)});
    }
    ASSERT_TRUE(waitUntil([&] { return !menuShows(); }, 10s)) << "the menu stays";
  }

  // The timing group's count boxes, the base interval's first: the group's own boxes, not a
  // combo box's, the upper one first.
  std::pair<HWND, HWND> countBoxes(HWND form) const {
    HWND timing = descendant(form, kGroupBoxClass, captions.timingGroup);
    HWND base = FindWindowExA(timing, nullptr, "Edit", nullptr);
    HWND extra = FindWindowExA(timing, base, "Edit", nullptr);
    RECT baseRect{}, extraRect{};
    const bool upper = GetWindowRect(base, &baseRect) && GetWindowRect(extra, &extraRect) &&
                       baseRect.top < extraRect.top;
    return upper ? std::pair{base, extra} : std::pair{extra, base};
  }

  // Clicks a page's tab and waits for the page.
  void showPage(HWND form, const std::string& caption) const {
    HWND tabs = descendant(form, WC_TABCONTROLA, "");
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
      TCITEMW record{};
      record.mask = TCIF_TEXT;
      if (sendRecord(program->handle(), tabs, TCM_GETITEMW, i, record).second != caption) continue;
      clickOnScreen(itemCentre(program->handle(), tabs, TCM_GETITEMRECT, i, RECT{}));
      HWND page = descendant(form, kTabSheetClass, caption);
      ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(page); }, 5s)) << caption;
      return;
    }
    FAIL() << "no page " << caption;
  }

  // Replaces an edit box's text as the user does: click in, select from start to end (Home,
  // then Shift+End), type.
  void retype(HWND edit, const std::string& text) const {
    click(edit);
    std::vector<INPUT> keys{
        key(VK_HOME, 0, 0), key(VK_HOME, 0, KEYEVENTF_KEYUP), key(VK_SHIFT, 0, 0),
        key(VK_END, 0, 0),  key(VK_END, 0, KEYEVENTF_KEYUP),  key(VK_SHIFT, 0, KEYEVENTF_KEYUP)};
    for (const char c : text) {
      const auto character = static_cast<WORD>(static_cast<unsigned char>(c));
      keys.push_back(key(0, character, KEYEVENTF_UNICODE));
      keys.push_back(key(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    send(keys);
    EXPECT_TRUE(waitUntil([&] { return controlText(edit) == text; }, 5s))
        << "typed \"" << text << "\", the box holds \"" << controlText(edit) << "\"";
  }

  // A value of the settings file, read as the program reads it.
  std::string setting(const char* key) const {
    wchar_t value[MAX_PATH] = {};
    GetPrivateProfileStringW(Wide(wumpex::kSettingsSection).c_str(), Wide(key).c_str(), L"", value,
                             MAX_PATH, Wide(settings.path()).c_str());
    return Utf8(value);
  }

  const Captions captions = layoutCaptions();
  // Emptied, then removed in SetUp: the first start finds no settings file.
  SettingsFileInWindows settings{""};
  std::optional<StartedProgram> program;
};

TEST_F(FirstHour, FromTheFirstStartToATypedFolder) {
  program.emplace(arguments.program);
  ASSERT_TRUE(program->started()) << "cannot start " << arguments.program;

  // The program explains what it needs. A click before the program first waits for input is
  // lost.
  WaitForInputIdle(program->handle(), 30'000);
  HWND box = awaitDialog([](HWND dialog) { return windowText(dialog) == kFirstStartCaption; }, 30s);
  ASSERT_NE(box, nullptr) << "no first-start message";
  answer(box);
  ASSERT_NO_FATAL_FAILURE(chooseInPicker(folderPath(kChimes)));
  EXPECT_TRUE(waitUntil([&] { return setting("WAVPath") == folderPath(kChimes); }, 10s))
      << "the folder chosen at the first start is not kept";
  // Then nothing shows, and the application window keeps off the task bar: the shell gives a
  // button to an unowned window that is no tool window, or that asks for one.
  EXPECT_TRUE(waitUntil(
      [&] {
        const std::vector<HWND> windows = topLevelWindowsOf(program->id());
        return std::none_of(windows.begin(), windows.end(), IsWindowVisible);
      },
      10s))
      << "a window shows after the first start";
  const auto exStyle = GetWindowLongA(
      windowOfProcess(program->id(), platform::win32::kApplicationClass), GWL_EXSTYLE);
  EXPECT_TRUE((exStyle & WS_EX_TOOLWINDOW) != 0 && (exStyle & WS_EX_APPWINDOW) == 0);

  // A restart finds the folder kept and asks for none; the steps below play it.
  EXPECT_EQ(program->close(), 0u);
  program.emplace(arguments.program);
  ASSERT_TRUE(program->started());
  WaitForInputIdle(program->handle(), 30'000);
  EXPECT_EQ(awaitDialog([](HWND dialog) { return windowText(dialog) == kFirstStartCaption; }, 3s),
            nullptr)
      << "the restart asks for a folder again";

  // Then, each from the settings window's WAV Folder page: the folder chosen at the start,
  // one chosen with Browse that holds two files that do not play (each brings the device's
  // error box once; after its OK the good file is heard again), and one typed into the box.
  enum class Choice { AtStart, Browsed, Typed };
  const struct {
    Choice choice;
    Tone tone;
    std::vector<std::string> files;  // as the file list shows them; none when unchecked
    std::size_t errorBoxes;
  } steps[] = {
      {Choice::AtStart, kChimes, {"chime-1.wav", "chime-2.wav", "chime-3.wav"}, 0},
      {Choice::Browsed, kBell, {"bell.wav", "broken.wav", "notes.wav"}, 2},
      {Choice::Typed, kGongs, {}, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.tone.folder);
    HWND form = openSettings();
    ASSERT_NE(form, nullptr);
    if (step.choice == Choice::AtStart) {
      // A tick every second: base 1, no adjustment.
      ASSERT_NO_FATAL_FAILURE(showPage(form, captions.timingPage));
      const auto [base, extra] = countBoxes(form);
      ASSERT_TRUE(base != nullptr && extra != nullptr);
      retype(base, "1");
      retype(extra, "0");
    }
    ASSERT_NO_FATAL_FAILURE(showPage(form, captions.folderPage));
    HWND group = descendant(form, kGroupBoxClass, captions.folderGroup);
    HWND folderBox = FindWindowExA(group, nullptr, "Edit", nullptr);
    HWND fileList = FindWindowExA(group, nullptr, "ListBox", nullptr);
    ASSERT_TRUE(folderBox != nullptr && fileList != nullptr);
    if (step.choice == Choice::Browsed) {
      click(descendant(form, "Button", captions.browse));
      ASSERT_NO_FATAL_FAILURE(chooseInPicker(folderPath(step.tone)));
    } else if (step.choice == Choice::Typed) {
      retype(folderBox, folderPath(step.tone));
    }
    EXPECT_EQ(controlText(folderBox), folderPath(step.tone));
    if (!step.files.empty()) {
      EXPECT_EQ(listItems(fileList), step.files);
    }
    std::int64_t from = recordedSoFar();
    click(descendant(form, "Button", captions.ok));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(form); }, 15s)) << "OK left it open";
    if (step.choice == Choice::AtStart) {
      EXPECT_EQ(setting("WAVPath") + " every " + setting("RandomTime"),
                folderPath(kChimes) + " every 1");
    }

    // The user answers each error box as it comes, then listens for the next sound.
    std::vector<std::string> boxes;
    std::optional<Sound> heard;
    waitUntil(
        [&] {
          const auto errors =
              awaitDialog([](HWND dialog) { return windowText(dialog) == kProgramTitle; }, 0ms);
          EXPECT_LE(dialogsOf(program->id()).size(), 1u) << "error boxes pile up";
          if (errors != nullptr) {
            boxes.push_back(labelsOf(errors));
            from = recordedSoFar();
            answer(errors);
          }
          heard = soundSince(from);
          return heard && boxes.size() >= step.errorBoxes;
        },
        30s);
    EXPECT_TRUE(sounds(heard, step.tone)) << "heard " << describe(heard);
    EXPECT_EQ(boxes.size(), step.errorBoxes) << "error boxes: " << ::testing::PrintToString(boxes);
  }

  // Quiet for 15 minutes from the tray menu, with a sound due every 5 s: a minute of silence.
  // Then "Mute off", and the sounds come again.
  HWND form = openSettings();
  ASSERT_NE(form, nullptr);
  ASSERT_NO_FATAL_FAILURE(showPage(form, captions.timingPage));
  retype(countBoxes(form).first, "5");
  click(descendant(form, "Button", captions.ok));
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(form); }, 15s)) << "OK left it open";
  // Settings, Play a sound now, Mute off, Mute on, Quiet for: its first item.
  ASSERT_NO_FATAL_FAILURE(
      chooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}));
  std::int64_t from = recordedSoFar();
  std::this_thread::sleep_for(60s);
  EXPECT_FALSE(soundSince(from)) << "heard " << describe(soundSince(from)) << " while quiet";
  ASSERT_NO_FATAL_FAILURE(chooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
  from = recordedSoFar();
  std::optional<Sound> heard;
  waitUntil([&] { return (heard = soundSince(from)).has_value(); }, 20s);
  EXPECT_TRUE(sounds(heard, kGongs)) << "after Mute off, heard " << describe(heard);

  // A second start ends at once and leaves the first running; the first's marker goes with it.
  const std::string marker = std::string("OnlyOne") + kProgramTitle;
  EXPECT_NE(GlobalFindAtomA(marker.c_str()), 0);
  EXPECT_EQ(StartedProgram(arguments.program).awaitExitCode(), 0u);
  EXPECT_TRUE(program->running());
  EXPECT_EQ(program->close(), 0u);
  EXPECT_EQ(GlobalFindAtomA(marker.c_str()), 0);
}

BOOL CALLBACK countResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The version that the file's properties show, the one in the program's title, and the one
// manifest: it runs the program with the starting user's rights and no file virtualisation (so
// the 32-bit program keeps its settings where the 64-bit one does) and names the Windows
// versions it knows, without asking for visual styles or DPI awareness, which would change how
// its windows look.
TEST(ProgramFile, CarriesItsVersionAndManifest) {
  const std::string title = kProgramTitle;  // the name, a space and major.minor
  const std::string name = title.substr(0, title.rfind(' '));
  const std::string version = title.substr(name.size() + 1);
  const int minor = std::stoi(version.substr(version.find('.') + 1));
  const char* path = arguments.program.c_str();
  DWORD unused = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(path, &unused));
  ASSERT_FALSE(info.empty()) << "no version resource";
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const auto number = static_cast<DWORD>(MAKELONG(minor, std::stoi(version)));
  EXPECT_EQ(std::tuple(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS),
            std::tuple(number, 0u, number));
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
  const auto* language = static_cast<const WORD*>(value);
  char table[32];
  std::snprintf(table, sizeof table, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  const std::pair<const char*, std::string> strings[] = {
      {"FileVersion", version},
      {"ProductVersion", version},
      {"ProductName", name},
      {"OriginalFilename", arguments.program.substr(arguments.program.find_last_of("\\/") + 1)}};
  for (const auto& [field, expected] : strings) {
    ASSERT_TRUE(VerQueryValueA(info.data(), (table + std::string(field)).c_str(), &value, &length))
        << field;
    EXPECT_EQ(static_cast<const char*>(value), expected) << field;
  }

  const platform::win32::UniqueModule file(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
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
  if (argc > 3) arguments = {argv[1], argv[2], argv[3]};
  return RUN_ALL_TESTS();
}
