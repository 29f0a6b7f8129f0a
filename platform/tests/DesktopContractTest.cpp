// The desktop's services as the program relies on them, the same on every desktop: the file
// system's searches, attributes and current directory in the desktop's path grammar; the
// settings files' reads and writes, byte for byte; the file helpers; the global atom table;
// the message loops, timers, hidden message windows and the walk over the program's windows;
// the widgets, which show what the program sets without a report and report what the user does.
#include "platform/tests/DesktopContract.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "platform/LetterCase.h"

namespace platform::contract {

namespace fs = std::filesystem;

std::string DesktopContract::Native(std::string path) const {
  std::ranges::replace(path, '/', files.grammar().separator);
  return path;
}

std::string DesktopContract::Bytes(const std::string& name) const {
  std::ifstream in(subject->hostFolder() / name, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

void DesktopContract::Put(const std::string& name, const std::string& content) const {
  fs::create_directories((subject->hostFolder() / name).parent_path());
  std::ofstream(subject->hostFolder() / name, std::ios::binary) << content;
}

void DesktopContract::FillSounds() {
  for (const char* name : {"a.wav", "B.WAV", ".h.wav", "ro.wav", "notes.txt", "Sub/d.wav"}) {
    Put(name, "RIFF");
  }
  fs::permissions(subject->hostFolder() / "ro.wav", fs::perms::owner_write,
                  fs::perm_options::remove);
  subject->setAttributes(".h.wav", fileattr::kHidden);
  Enter();
}

// A read-only file would outlive its folder on Windows.
DesktopContract::~DesktopContract() {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(subject->hostFolder(), ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
}

namespace {

using Text = std::optional<std::string>;
using namespace std::string_literals;

TEST_P(DesktopContract, SearchesFindNamesAndAttributesAsTheSystemDoes) {
  ASSERT_NO_FATAL_FAILURE(FillSounds());
  // Found names and their attributes; where letter case tells names apart, "SUB" and "sub"
  // name no folder.
  const std::pair<const char*, std::vector<FoundFile>> rows[] = {
      {"*.wav", {{".h.wav", 0x22}, {"B.WAV", 0x20}, {"a.wav", 0x20}, {"ro.wav", 0x21}}},
      {"*.WAV", {{".h.wav", 0x22}, {"B.WAV", 0x20}, {"a.wav", 0x20}, {"ro.wav", 0x21}}},
      {"?.wav", {{"B.WAV", 0x20}, {"a.wav", 0x20}}},
      {"notes*", {{"notes.txt", 0x20}}},
      {"Sub/*", {{".", 0x10}, {"..", 0x10}, {"d.wav", 0x20}}},
      {"SUB/*.WAV", {{"d.wav", 0x20}}},
      {"a.wav", {{"a.wav", 0x20}}},
      {"none*", {}},
      {"Gone/*", {}},
  };
  for (const auto& [pattern, found] : rows) {
    std::vector<FoundFile> seen = files.findFiles(Native(pattern));
    std::ranges::sort(seen);
    const bool caseMisses = caseSensitive && std::string(pattern).starts_with("SUB");
    EXPECT_EQ(seen, caseMisses ? std::vector<FoundFile>{} : found) << pattern;
  }
  const std::pair<const char*, std::optional<std::uint32_t>> attributes[] = {
      {"a.wav", 0x20},     {".h.wav", 0x22}, {"ro.wav", 0x21}, {"Sub", 0x10},
      {"sub/D.WAV", 0x20}, {"gone", {}},     {"", {}},         {"Sub/missing", {}}};
  for (const auto& [path, bits] : attributes) {
    const bool caseMisses = caseSensitive && std::string(path).starts_with("sub");
    EXPECT_EQ(files.fileAttributes(Native(path)), caseMisses ? std::nullopt : bits) << path;
  }
}

TEST_P(DesktopContract, EnteringGivesTheSystemsCodesAndKeepsTheGivenSpelling) {
  ASSERT_NO_FATAL_FAILURE(FillSounds());
  // Path, code and the current directory after it under the folder; where letter case tells
  // names apart, the code then.
  const std::tuple<const char*, unsigned, const char*, std::optional<unsigned>> rows[] = {
      {"Sub", 0, "/Sub", {}},
      {"sub", 0, "/sub", fileerror::kFileNotFound},
      {"Sub/../Sub/.", 0, "/Sub", {}},

      {"missing", fileerror::kFileNotFound, "", {}},
      {"missing/deeper", fileerror::kPathNotFound, "", {}},
      {"a.wav", fileerror::kNotADirectory, "", {}},
      {"", fileerror::kInvalidName, "", {}}};
  for (const auto& [path, code, after, caseCode] : rows) {
    SCOPED_TRACE(path);
    Enter();
    const unsigned expected = caseSensitive && caseCode ? *caseCode : code;
    ASSERT_EQ(files.setCurrentDirectory(Native(path)), expected);
    EXPECT_EQ(files.currentDirectory(), subject->folder() + Native(expected == 0 ? after : ""));
  }
}

// A file that says more than it should: spaces, quotes, a repeated key and section, lines
// without "=", a comment and values longer than the reads' buffers.
const std::string kHuge = "huge=" + std::string(1100, 'p') + "\r\n";
const std::string kMessy =
    " [ Main ] \r\n\r\n  Key = \" q \" \r\nKEY=dup\r\nhalf='x\r\nlone=\"\r\npair=\"ab\"\r\n"
    "noequals\r\n;note=1\r\nlong=abcdefghij\r\n" +
    kHuge + "[Other]\r\ny=1\r\n[main]\r\nz=2\r\n";

TEST_P(DesktopContract, ReadsAsTheSystemReads) {
  Put("R.INI", kMessy);
  const struct {
    const char* section;
    Text key;
    Text fallback;
    std::uint32_t size;
    std::string read;
  } rows[] = {{"main", "key", "d", 64, " q "},
              {"MAIN", " KEY ", "d", 64, " q "},
              {"Main", "half", "d", 64, "'x"},
              {"Main", "lone", "d", 64, "\""},
              {"Main", "pair", "d", 64, "ab"},
              {"Main", "pair", "d", 3, "a"},
              {"Main", "pair", "d", 4, "ab"},
              {"Main", "noequals", "d", 64, "d"},
              {"Main", ";note", "d", 64, "1"},
              {"Main", "long", "d", 5, "abcd"},
              {"Main", "z", "d", 64, "d"},
              {"Main", "x", " d e ", 64, " d e"},
              {"Main", "x", "\"q\"", 64, "q"},
              {"Main", "x", std::nullopt, 64, ""},
              {"Main", "x", "abcdef", 4, "abc"},
              {"Main", "key", "d", 1, ""},
              {"Main", "key", "d", 0, ""},
              {"Main", "", "d", 64, "d"},
              {"Main", "huge", "d", 1024, std::string(1023, 'p')},
              {"Main", std::nullopt, "d", 1024, "Key\0KEY\0half\0lone\0pair\0long\0huge\0"s},
              {"Main", std::nullopt, "d", 6, "Key\0"s},
              {"Absent", std::nullopt, "d", 64, "d"},
              {"Other", "y", "d", 64, "1"}};
  for (const auto& r : rows) {
    EXPECT_EQ(profile.readString(At("R.INI"), r.section, r.key, r.fallback, r.size), r.read)
        << r.section << "/" << r.key.value_or("(none)") << " size " << r.size;
  }
  EXPECT_EQ(profile.readString(At("NONE.INI"), "S", "k", "\"d\"  ", 64), "d");
}

// The first write leaves a missing file missing; a write tidies the lines it passes.
TEST_P(DesktopContract, WritesAsTheSystemWrites) {
  const Text none = std::nullopt;
  struct Write {
    const char* section;
    Text key;
    Text value;
    std::optional<std::string> after;  // the file's bytes, where the row looks at them
  };
  const Write fresh[] = {{"Main", none, none, "<none>"},
                         {"Main", "k", none, "<none>"},
                         {"One", "a", "1", "[One]\r\na=1\r\n"},
                         {"One", "b", "  two  ", {}},
                         {"Two", "c", "3", {}},
                         {"one", "A", "x", "[One]\r\na=x\r\nb=two\r\n[Two]\r\nc=3\r\n"},
                         {"Three", "d", "", {}},
                         {" New ", " k ", "v", {}},
                         {"One", none, none, {}},
                         {"Two", "c", none, "[Two]\r\n[Three]\r\nd=\r\n[New]\r\nk=v\r\n"},
                         {"Two", "e", "5", {}},
                         {"Absent", none, none, {}},
                         {"Two", none, none, {}},
                         {"Three", none, none, {}},
                         {"new", none, none, ""}};
  const std::string main =
      "[Main]\r\nKey=\" q \"\r\nKEY=dup\r\nhalf='x\r\nlone=\"\r\npair=\"ab\"\r\n";
  const std::string rest = ";note=1\r\nlong=abcdefghij\r\n" + kHuge + "[Other]\r\n";
  const Write messy[] = {{"Absent", none, none, {}},
                         {"Main", "absent", none, {}},
                         {"Main", "key", "\" q \"", {}},
                         {" Main ", none, none, {}},
                         {"MAIN", "z", none, main + "noequals\r\n" + rest + "y=1\r\n[main]\r\n"},
                         {"main", "noequals", "v", {}},
                         {"Other", "y", "2", main + "noequals=v\r\n" + rest + "y=2\r\n[main]\r\n"}};
  Put("M.INI", kMessy);
  for (const auto& [name, writes] :
       {std::pair{"W.INI", std::span<const Write>(fresh)}, {"M.INI", messy}}) {
    for (const auto& w : writes) {
      SCOPED_TRACE(name + std::string(" ") + w.section + "/" + w.key.value_or("(none)"));
      EXPECT_TRUE(profile.writeString(At(name), w.section, w.key, w.value));
      if (w.after) {
        EXPECT_EQ(Bytes(name), *w.after);
      }
    }
  }
}

// A file in the code page reads as written and keeps its encoding while every text fits; one
// that does not turns a file in a Western code page into UTF-16 with a byte-order mark, and
// nothing is lost. A value cut to its buffer ends between characters.
TEST_P(DesktopContract, AFileKeepsItsCodePageUntilATextNeedsMore) {
  const bool utf8 = subject->utf8Settings();
  const std::string cafe = "caf\xC3\xA9";
  const std::string inCodePage = utf8 ? cafe : "caf\xE9";
  const std::string cyrillic = "C:\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA";
  const std::string emoji = "a\xF0\x9F\x94\x94";
  Put("E.INI", "[S]\r\nfolder=C:\\" + inCodePage + "\r\n");
  EXPECT_EQ(profile.readString(At("E.INI"), "S", "folder", "", 64), "C:\\" + cafe);
  for (const auto& [name, before] :
       {std::pair{"E.INI", "folder=" + cyrillic + "\r\n"}, {"N.INI", std::string()}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(profile.writeString(At(name), "S", "other", cafe));
    EXPECT_NE(Bytes(name).find("other=" + inCodePage + "\r\n"), std::string::npos);
    for (const auto& [key, value] :
         {std::pair{"folder", cyrillic}, {"emoji", emoji}, {"more", cafe}}) {
      ASSERT_TRUE(profile.writeString(At(name), "S", key, value));
    }
    const std::string text = "[S]\r\n" + before + "other=" + cafe + "\r\n" +
                             (before.empty() ? "folder=" + cyrillic + "\r\n" : "") +
                             "emoji=" + emoji + "\r\nmore=" + cafe + "\r\n";
    EXPECT_EQ(Bytes(name), utf8 ? text : wumpex::Utf16File(text));
    EXPECT_EQ(profile.readString(At(name), "S", "folder", "", 64), cyrillic);
    for (const auto& [size, value] : {std::pair{2u, "a"}, {3u, "a"}, {4u, emoji.c_str()}}) {
      EXPECT_EQ(profile.readString(At(name), "S", "emoji", "", size), value) << size;
    }
  }
}

TEST_P(DesktopContract, FileHelpersAnswerAsTheSystemDoes) {
  EXPECT_TRUE(profile.createFolder(At("Sub")));
  EXPECT_TRUE(profile.createFolder(At("Sub"))) << "a folder that exists";
  EXPECT_TRUE(profile.folderWritable(At("Sub")));
  EXPECT_FALSE(profile.folderWritable(At("None")));
  const std::string a = At("Sub/A.INI");
  const std::string b = At("Sub/B.INI");
  EXPECT_TRUE(profile.writeString(a, "S", "k", "a"));
  EXPECT_TRUE(profile.copyFile(a, b));
  EXPECT_TRUE(profile.writeString(b, "S", "k", "b"));
  EXPECT_TRUE(profile.replaceFile(b, a));
  EXPECT_FALSE(profile.fileExists(b));
  EXPECT_FALSE(profile.fileExists(At("Sub")));
  EXPECT_EQ(profile.readString(a, "S", "k", "", 64), "b");
  EXPECT_FALSE(profile.fileReadOnly(a));
  const fs::path host = subject->hostFolder() / "Sub" / "A.INI";
  fs::permissions(host, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(profile.fileReadOnly(a));
  EXPECT_FALSE(profile.fileReadOnly(At("Sub")));
  fs::permissions(host, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_FALSE(profile.copyFile(b, At("C.INI"))) << "from a file that is gone";
  EXPECT_TRUE(profile.deleteFile(a));
  EXPECT_FALSE(profile.deleteFile(a));
  EXPECT_FALSE(profile.fileExists(a));
  EXPECT_FALSE(profile.writeString(At("no-folder/X.INI"), "S", std::nullopt, std::nullopt));
}

// The same adds, finds and removes through every table. An atom is told by whether it is
// none, or the one that the last add of its name in any letter case gave; a remove takes away a
// reference to that one.
TEST_P(DesktopContract, TheAtomTableCountsReferencesToNamesOfAnyLetterCase) {
  // Unique to the run: the table may be the whole session's.
  const std::string name = "Wumpex " + subject->hostFolder().filename().string();
  const std::string longest = name + std::string(255 - name.size(), 'n');
  const std::string longer = longest + "n";
  // Call (add, find or remove), name and the answer.
  const std::tuple<char, std::string, const char*> rows[] = {
      {'f', name, "none"},    {'a', name, "new"},     {'a', name, "same"},
      {'r', name, "removed"}, {'f', name, "same"},    {'f', UpperCase(name), "same"},
      {'r', name, "removed"}, {'f', name, "none"},    {'r', name, "not removed"},
      {'a', "", "none"},      {'a', longer, "none"},  {'f', longer, "none"},
      {'a', longest, "new"},  {'f', longest, "same"}, {'r', longest, "removed"},
      {'f', longest, "none"}, {'a', "a/b\\c", "new"}, {'r', "a/b\\c", "removed"}};
  GlobalAtoms& atoms = subject->atoms();
  std::map<std::string, Atom> lastAdds;  // by the name in capitals, which all its spellings share
  for (const auto& [call, given, answer] : rows) {
    Atom& known = lastAdds[UpperCase(given)];
    std::string seen;
    if (call == 'r') {
      seen = atoms.remove(known) ? "removed" : "not removed";
    } else {
      const Atom atom = call == 'a' ? atoms.add(given) : atoms.find(given);
      seen = atom == 0 ? "none" : atom == known ? "same" : "new";
      if (call == 'a' && atom != 0) known = atom;
    }
    EXPECT_EQ(seen, answer) << call << " " << given.substr(0, 20);
  }
}

class Timers final : public TimerEvents {
 public:
  void timerFired(unsigned id) override {
    fired.push_back(id);
    if (onFired) onFired(id);
  }
  std::vector<unsigned> fired;
  std::function<void(unsigned)> onFired;
};

class Messages final : public MessageEvents {
 public:
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam) override {
    arrived.emplace_back(message, wParam, lParam);
    return 0;
  }
  std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>> arrived;
};

// A killed timer stays quiet and, set again, fires with its id; the loop ends with the code
// of the quit that a handler posts.
TEST_P(WindowContract, OnlyLiveTimersFireWithTheirIdsUntilAHandlerQuitsTheLoop) {
  Timers timers;
  const auto window = desktop->createTimerWindow(timers);
  const auto quitAfter = [&](std::size_t count, int code) {
    timers.fired.clear();
    timers.onFired = [&, count, code](unsigned) {
      if (timers.fired.size() == count) desktop->postQuit(code);
    };
  };
  ASSERT_TRUE(window->setTimer(3, 10));
  ASSERT_TRUE(window->setTimer(7, 10));
  window->killTimer(7);
  quitAfter(3, 42);
  EXPECT_EQ(desktop->runMessageLoop(), 42);
  EXPECT_EQ(timers.fired, (std::vector<unsigned>{3, 3, 3}));
  window->killTimer(3);
  ASSERT_TRUE(window->setTimer(7, 10));
  quitAfter(2, 0);
  EXPECT_EQ(desktop->runMessageLoop(), 0);
  EXPECT_EQ(timers.fired, (std::vector<unsigned>{7, 7}));
}

// Handling what waits must not swallow a quit: the loop after it ends with the quit's code,
// not with the one a timer posts a second later. A registered message keeps its number.
TEST_P(WindowContract, ProcessMessagesDeliversWhatWaitsAndKeepsTheQuit) {
  const unsigned message = desktop->registerWindowMessage("WumpexContractMessage");
  EXPECT_EQ(desktop->registerWindowMessage("WumpexContractMessage"), message);
  EXPECT_NE(desktop->registerWindowMessage("WumpexContractOther"), message);
  Messages messages;
  const auto hidden = desktop->createMessageWindow(messages, false);
  Timers timers;
  timers.onFired = [&](unsigned) { desktop->postQuit(-1); };
  const auto window = desktop->createTimerWindow(timers);
  for (const int exitCode : {0, 255}) {
    SCOPED_TRACE(exitCode);
    messages.arrived.clear();
    ASSERT_TRUE(desktop->postMessage(hidden->handle(), message, 7, -7));
    desktop->postQuit(exitCode);
    desktop->processMessages();
    EXPECT_EQ(messages.arrived, (decltype(messages.arrived){{message, 7, -7}}));
    ASSERT_TRUE(window->setTimer(1, 1000));
    EXPECT_EQ(desktop->runMessageLoop(), exitCode);
    window->killTimer(1);
  }
}

class NoEvents final : public WidgetEvents {};

// The walk over the program's windows lists its top-level ones, not their controls; a title
// read into a buffer too small for it ends between characters, never within one.
TEST_P(WindowContract, TheWalkListsTopLevelWindowsWithTheirTitles) {
  NoEvents events;
  const auto application =
      desktop->createWidget(WidgetKind::ApplicationWindow, nullptr, {}, events);
  const auto form = desktop->createWidget(WidgetKind::Form, nullptr, {}, events);
  const auto button = desktop->createWidget(WidgetKind::Button, form.get(), {}, events);
  const std::vector<Handle> windows = desktop->threadWindows();
  const auto listed = [&](const Widget& widget) {
    return std::ranges::find(windows, widget.handle()) != windows.end();
  };
  EXPECT_TRUE(listed(*application));
  EXPECT_TRUE(listed(*form));
  EXPECT_FALSE(listed(*button));
  form->setText("abc\xF0\x9F\x94\x94");
  for (const auto& [room, title] :
       {std::pair<int, std::string>{6, "abc\xF0\x9F\x94\x94"}, {5, "abc"}, {3, "ab"}, {0, ""}}) {
    EXPECT_EQ(desktop->windowText(form->handle(), room), title) << room;
  }
}

}  // namespace

PeerContract::PeerContract() {
  form.setBounds({0, 0, 420, 320});
  form.show(false);
}

PeerContract::Made PeerContract::make(WidgetKind kind, Widget* parent, const WidgetStyle& style) {
  RecordingEvents& events = recorders.emplace_back();
  widgets.push_back(desktop.createWidget(kind, parent, style, events));
  // As the program does: what shows is its decision, not the desktop's.
  if (parent != nullptr) widgets.back()->setVisible(true);
  return {*widgets.back(), events};
}

namespace {

using Log = std::vector<std::string>;
using Items = std::vector<std::string>;

// A program that sets each text it is told again, as a handler that checks the text does.
class Echoing final : public RecordingEvents {
 public:
  void userEditedText(const std::string& text) override {
    RecordingEvents::userEditedText(text);
    widget->setText(text);
  }
  Widget* widget = nullptr;
};

TEST_P(PeerContract, TheProgramsStateShowsSilentlyAndTheUsersInputIsReported) {
  using Act = std::function<void(Hand&, Widget&)>;
  const auto click = [](int item) -> Act { return [=](Hand& h, Widget& w) { h.click(w, item); }; };
  const Act doubleClick = [](Hand& h, Widget& w) { h.doubleClick(w); };
  const Act pressAndLeave = [](Hand& h, Widget& w) { h.pressAndLeave(w); };
  // What the user reads off the widget, where the row looks.
  struct Shown {
    std::optional<std::string> text{};
    std::optional<Items> items{};
    std::optional<int> selected{};
    std::optional<bool> checked{};
  };
  const struct {
    WidgetKind kind;
    std::function<void(Widget&)> program;
    Shown shown;
    std::vector<Act> user;
    Log reported;
    WidgetStyle style{};
  } rows[] = {
      {WidgetKind::Label,
       [](Widget& w) { w.setText("Click me"); },
       {.text = "Click me"},
       {click(-1), doubleClick, pressAndLeave},
       {"clicked", "clicked"}},
      {WidgetKind::Custom, [](Widget&) {}, {}, {pressAndLeave}, {}},
      {WidgetKind::CheckBox,
       [](Widget& w) { w.setChecked(true); },
       {.checked = true},
       {click(-1), click(-1)},
       {"toggled off", "toggled on"}},
      // The program's list is kept in its own order: its indices must be the list's.
      {WidgetKind::ListBox,
       [](Widget& w) {
         w.setItems({"b", "a", "C"}), w.setItemIndex(1);
       },
       {.items = Items{"b", "a", "C"}, .selected = 1},
       {click(2)},
       {"selected 2"},
       {.sorted = true}},
      {WidgetKind::ComboBox,
       [](Widget& w) {
         w.setItems({"a", "b", "c"}), w.setItemIndex(1);
       },
       {.selected = 1},
       {click(2)},
       {"selected 2"}},
      // A combo box's text outlives its items.
      {WidgetKind::ComboBox,
       [](Widget& w) {
         w.setItems({"1", "2"}), w.setText("typed"), w.setItems({"3", "4", "5"});
       },
       {.text = "typed", .items = Items{"3", "4", "5"}},
       {[](Hand& h, Widget& w) { h.type(w, "!"); }},
       {"edited typed!"}},
      // Repeated tabs only move the selection; a new caption replaces the old one.
      {WidgetKind::PageControl,
       [](Widget& w) {
         w.setTabs({"One", "Two", "Three"}, 0), w.setTabs({"One", "Two", "Three"}, 1);
         w.setTabs({"One", "Two", "Four"}, 1);
       },
       {.items = Items{"One", "Two", "Four"}, .selected = 1},
       {click(2)},
       {"selected 2"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    const Made made = make(row.kind, &form, row.style);
    made.widget.setBounds({10, 10, 200, 120});
    row.program(made.widget);
    const Shown& shown = row.shown;
    const Widget& w = made.widget;
    EXPECT_EQ(shown.text ? std::optional(hand->text(w)) : std::nullopt, shown.text);
    EXPECT_EQ(shown.items ? std::optional(hand->items(w)) : std::nullopt, shown.items);
    EXPECT_EQ(shown.selected ? std::optional(hand->selected(w)) : std::nullopt, shown.selected);
    EXPECT_EQ(shown.checked ? std::optional(hand->checked(w)) : std::nullopt, shown.checked);
    EXPECT_EQ(made.events.log, Log{});
    for (const Act& act : row.user) act(*hand, made.widget);
    EXPECT_EQ(made.events.log, row.reported);
    made.widget.setVisible(false);  // out of the way of the next row's clicks
  }
}

// Each key lands at the caret, which stays where it is when the program sets the text that the
// box already shows.
TEST_P(PeerContract, TypingGoesOnAtTheCaretWhenTheProgramRepeatsTheText) {
  Echoing echoing;
  const auto edit = desktop.createWidget(WidgetKind::Edit, &form, {}, echoing);
  echoing.widget = edit.get();
  edit->setVisible(true);
  edit->setBounds({10, 10, 100, 24});
  edit->setText("4");
  hand->type(*edit, "23");
  EXPECT_EQ(echoing.log, (Log{"edited 42", "edited 423"}));
  EXPECT_EQ(hand->text(*edit), "423");
}

// A control on a form, a sheet or a group box reports through its container; what a hidden
// sheet holds is hidden with it.
TEST_P(PeerContract, ContainersPassOnTheirControlsReportsAndHideThem) {
  Widget& pages = make(WidgetKind::PageControl, &form).widget;
  pages.setBounds({8, 8, 300, 200});
  make(WidgetKind::TabSheet, &pages);
  Widget& sheet = make(WidgetKind::TabSheet, &pages).widget;
  pages.setTabs({"General", "Timing"}, 1);
  Widget& group = make(WidgetKind::GroupBox, &form).widget;
  group.setBounds({8, 220, 300, 90});
  for (Widget* parent : {&form, &sheet, &group}) {
    const Made button = make(WidgetKind::Button, parent);
    button.widget.setBounds({10, 20, 80, 25});
    const Made check = make(WidgetKind::CheckBox, parent);
    check.widget.setBounds({100, 20, 80, 25});
    hand->click(button.widget);
    hand->click(check.widget);
    EXPECT_EQ(button.events.log, Log{"clicked"});
    EXPECT_EQ(check.events.log, Log{"toggled on"});
    if (parent != &sheet) continue;
    sheet.setVisible(false);
    EXPECT_FALSE(hand->shown(button.widget));
    sheet.setVisible(true);
    EXPECT_TRUE(hand->shown(button.widget));
  }
}

// A 5-s tone, 8-bit mono at 11,025 samples a second, loud all through.
void WriteTone(const fs::path& file) {
  const auto le = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
  };
  constexpr std::uint32_t kRate = 11025;
  std::string data;
  for (std::uint32_t i = 0; i < 5 * kRate; ++i) data += (i / 12) % 2 == 0 ? '\x20' : '\xE0';
  std::ofstream(file, std::ios::binary)
      << "RIFF" << le(36 + static_cast<std::uint32_t>(data.size()), 4) << "WAVEfmt " << le(16, 4)
      << le(1, 2) << le(1, 2) << le(kRate, 4) << le(kRate, 4) << le(1, 2) << le(8, 2) << "data"
      << le(static_cast<std::uint32_t>(data.size()), 4) << data;
}

// Commands to one 5-s sound meet the same answers and post the same notices on every desktop:
// its file, its length, whether and how long it plays, what a stop, a pause and a resume do.
TEST_P(MediaContract, CommandsMeetTheAnswersAndNoticesOfTheSystemsDevices) {
  using namespace mci;
  using namespace std::chrono_literals;
  const std::string tone = (folder.path() / "tone.wav").string();
  WriteTone(tone);
  const std::string damaged = (folder.path() / "damaged.wav").string();
  std::string head(40, '\0');
  std::ifstream(tone, std::ios::binary).read(head.data(), 40);
  std::ofstream(damaged, std::ios::binary) << head;
  const std::string missing = tone + ".wav";
  const std::uint32_t element = kOpenElement | kNotify;
  constexpr std::uintptr_t done = kNotifySuccessful, gaveWay = kNotifySuperseded;
  struct Command {
    std::uint32_t message, flags;
    std::string element;     // open
    std::uint32_t from, to;  // play
    std::uint32_t item;      // status
  };
  struct Answer {
    std::uint32_t result;
    std::uint32_t value;                // a status's
    std::vector<std::uintptr_t> ended;  // how the notices that came meanwhile ended
  };
  const struct {
    const char* what;
    Command sent;
    std::chrono::milliseconds then;  // time let pass afterwards
    Answer answer;
  } steps[] = {
      {"open the sound", {kOpen, element, tone, 0, 0, 0}, 0ms, {0, 0, {done}}},
      {"open a damaged file", {kOpen, element, damaged, 0, 0, 0}, 0ms, {kErrInvalidFile, 0, {}}},
      {"open a missing file", {kOpen, element, missing, 0, 0, 0}, 0ms, {kErrFileNotFound, 0, {}}},
      {"length", {kStatus, kStatusItem, "", 0, 0, kStatusLength}, 0ms, {0, 5000, {}}},
      {"play a part", {kPlay, kFrom | kTo | kNotify, "", 3000, 3600, 0}, 0ms, {0, 0, {}}},
      {"mode playing", {kStatus, kStatusItem, "", 0, 0, kStatusMode}, 0ms, {0, kModePlay, {}}},
      {"stop it", {kStop, kNotify, "", 0, 0, 0}, 0ms, {0, 0, {kNotifyAborted, done}}},
      {"play another part", {kPlay, kFrom | kTo | kNotify, "", 3000, 3300, 0}, 0ms, {0, 0, {}}},
      {"a notifying status",
       {kStatus, kStatusItem | kNotify, "", 0, 0, kStatusMode},
       2500ms,
       {0, kModePlay, {gaveWay, done}}},
      {"where it ended", {kStatus, kStatusItem, "", 0, 0, kStatusPosition}, 0ms, {0, 3300, {}}},
      {"play to the end", {kPlay, kFrom | kNotify, "", 4700, 0, 0}, 0ms, {0, 0, {}}},
      {"pause", {kPause, 0, "", 0, 0, 0}, 0ms, {0, 0, {}}},
      {"resume", {kResume, kNotify, "", 0, 0, 0}, 2500ms, {0, 0, {gaveWay, done}}},
      {"play the end again", {kPlay, kFrom | kNotify, "", 4700, 0, 0}, 0ms, {0, 0, {}}},
      {"pause it", {kPause, 0, "", 0, 0, 0}, 0ms, {0, 0, {}}},
      {"resume it without a notice", {kResume, 0, "", 0, 0, 0}, 2500ms, {0, 0, {done}}},
      {"mode at the end", {kStatus, kStatusItem, "", 0, 0, kStatusMode}, 0ms, {0, kModeStop, {}}},
      {"a waited play", {kPlay, kFrom | kWait | kNotify, "", 4800, 0, 0}, 0ms, {0, 0, {done}}},
      {"where that ended", {kStatus, kStatusItem, "", 0, 0, kStatusPosition}, 0ms, {0, 5000, {}}},
  };
  std::uint16_t device = 0;
  std::size_t seen = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    const Command& sent = step.sent;
    MciParams params;
    params.callback = sounds->window();
    params.elementName = sent.element;
    params.from = sent.from;
    params.to = sent.to;
    params.item = sent.item;
    const std::uint16_t to = sent.message == kOpen ? 0 : device;
    EXPECT_EQ(sounds->media().sendCommand(to, sent.message, sent.flags, params),
              step.answer.result);
    if (sent.message == kOpen && step.answer.result == 0) device = params.deviceId;
    EXPECT_EQ(params.returnValue, step.answer.value);
    sounds->pass(step.then);
    const auto notices = sounds->notices();
    std::vector<std::uintptr_t> ended;
    for (; seen < notices.size(); ++seen) {
      ended.push_back(notices[seen].first);
      EXPECT_EQ(notices[seen].second, device);
    }
    EXPECT_EQ(ended, step.answer.ended);
  }
  // The system's text for a missing file, not a placeholder.
  EXPECT_NE(sounds->media().errorString(kErrFileNotFound).value_or("Unknown error code"),
            "Unknown error code");
}

}  // namespace
}  // namespace platform::contract
