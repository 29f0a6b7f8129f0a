#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/FileCtrl.h"
#include "framework/Screen.h"
#include "platform/headless/HeadlessFileSystem.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

// Drive C: and the share \\server\share over real folders, with the program in C:\Sounds.
class FileListBoxTest : public DesktopTest {
 protected:
  FileListBoxTest() {
    for (const char* path :
         {"c/root.wav", "c/Sounds/a.wav", "c/Sounds/B.WAV", "c/Sounds/c.mid", "c/Sounds/notes.txt",
          "c/Sounds/h.wav", "c/Sounds/s.wav", "c/Sounds/r.wav", "c/Sounds/run.EXE",
          "c/Sounds/Sub/d.wav", "c/Other/e.wav", "share/top.wav", "share/Loops/loop.wav"}) {
      Touch(path);
    }
    fs::permissions(Real("c/Sounds/r.wav"), fs::perms::all, fs::perm_options::remove);
    fs::permissions(Real("c/Sounds/r.wav"), fs::perms::owner_read, fs::perm_options::add);
    files.mapRoot("\\\\server\\share", share.path());
    files.setAttributes("C:\\Sounds\\h.wav", platform::fileattr::kHidden);
    files.setAttributes("C:\\Sounds\\s.wav", platform::fileattr::kSystem);
    EXPECT_EQ(files.setCurrentDirectory("C:\\Sounds"), 0u);
  }
  ~FileListBoxTest() override {
    lists.clear();
    // Writable again, so that the temporary folder can be removed.
    std::error_code error;
    fs::permissions(Real("c/Sounds/r.wav"), fs::perms::owner_all, fs::perm_options::add, error);
  }

  // "c/..." lies on drive C:, "share/..." on \\server\share.
  fs::path Real(const std::string& path) const {
    return path.starts_with("c/") ? driveC.path() / path.substr(2) : share.path() / path.substr(6);
  }
  void Touch(const std::string& path) {
    fs::create_directories(Real(path).parent_path());
    std::ofstream(Real(path)) << "RIFF";
  }
  // A new list with the given mask; its window comes with the first path applied.
  TFileListBox& List(const std::string& mask = "*.wav") {
    lists.push_back(std::make_unique<TFileListBox>(nullptr, "FileListBox1"));
    lists.back()->SetMask(mask);
    return *lists.back();
  }

  // A path applied to a new list in the current directory `from`, and what the list shows.
  struct Case {
    const char* text;
    const char* directory;
    Items items;
    const char* mask = "*.wav";
    const char* selected = "";  // the selected file's full path
  };
  template <std::size_t N>
  void ExpectApplied(platform::FileSystem& system, const char* from, const Case (&cases)[N]) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text);
      ASSERT_EQ(system.setCurrentDirectory(from), 0u);
      TFileListBox& list = List();
      list.SetDirectory(c.text);
      EXPECT_EQ(list.Directory(), c.directory);
      EXPECT_EQ(list.Mask(), c.mask);
      EXPECT_EQ(list.Items(), c.items);
      EXPECT_EQ(list.SelectedPath(), c.selected);
      EXPECT_EQ(system.currentDirectory(), c.directory);
    }
  }

  TempFolder share;
  std::vector<std::unique_ptr<TFileListBox>> lists;
};

TEST_F(FileListBoxTest, AppliedPathSetsDirectoryMaskAndSelection) {
  const Items sounds = {"a.wav", "B.WAV", "r.wav"};
  const Case cases[] = {
      {"", "C:\\Sounds", sounds},
      {"C:\\Sounds\\Sub", "C:\\Sounds\\Sub", {"d.wav"}},
      {"C:\\Sounds\\Sub\\", "C:\\Sounds\\Sub", {"d.wav"}},
      {"C:\\", "C:\\", {"root.wav"}},
      {"..\\Other", "C:\\Other", {"e.wav"}},
      {"[Sub]", "C:\\Sounds\\Sub", {"d.wav"}},
      {"c:\\other", "c:\\other", {"e.wav"}},  // spelt as the system keeps it
      {"C:\\Sounds\\*.mid", "C:\\Sounds", {"c.mid"}, "*.mid"},
      // Each '*' may take any run of the name: trying every split would take minutes.
      {"C:\\Sounds\\*****************************************av", "C:\\Sounds", sounds,
       "*****************************************av"},
      {"C:\\Sounds\\b.wav", "C:\\Sounds", sounds, "*.wav", "C:\\Sounds\\B.WAV"},
      {"C:\\Other\\e.wav", "C:\\Other", {"e.wav"}, "*.wav", "C:\\Other\\e.wav"},
      {"C:\\ROOT.WAV", "C:\\", {"root.wav"}, "*.wav", "C:\\root.wav"},
      {"C:\\Sounds\\notes.txt", "C:\\Sounds", {"notes.txt"}, "notes.txt", "C:\\Sounds\\notes.txt"},
      {"\\\\server\\share", "\\\\server\\share\\", {"top.wav"}},
      {"\\\\server\\share\\Loops\\loop.wav",
       "\\\\server\\share\\Loops",
       {"loop.wav"},
       "*.wav",
       "\\\\server\\share\\Loops\\loop.wav"},
  };
  ExpectApplied(files, "C:\\Sounds", cases);
}

// Where paths have no drives: one root, "/" between names, and names as spelt, while a
// pattern still finds an extension in either case.
TEST_F(FileListBoxTest, AppliedPathFollowsAPosixGrammar) {
  platform::headless::HeadlessFileSystem posix{platform::kPosixPaths};
  posix.mapRoot("/", share.path());
  const platform::FileSystemScope posixScope{posix};
  for (const char* path : {"share/home/Sounds/a.wav", "share/home/Sounds/B.WAV",
                           "share/home/Sounds/Sub/d.wav", "share/home/Other/lower.wav"}) {
    Touch(path);
  }
  const Case cases[] = {
      {"", "/home/Sounds", {"a.wav", "B.WAV"}},
      {"/", "/", {"top.wav"}},
      {"/home/Sounds/Sub/", "/home/Sounds/Sub", {"d.wav"}},
      {"../Other", "/home/Other", {"lower.wav"}},
      {"[Sub]", "/home/Sounds/Sub", {"d.wav"}},
      {"/home/Sounds/B.WAV", "/home/Sounds", {"a.wav", "B.WAV"}, "*.wav", "/home/Sounds/B.WAV"},
      {"/top.wav", "/", {"top.wav"}, "*.wav", "/top.wav"},
      {"Sub/*.WAV", "/home/Sounds/Sub", {"d.wav"}, "*.WAV"},
  };
  ExpectApplied(posix, "/home/Sounds", cases);
  EXPECT_THROW(List().SetDirectory("/home/SOUNDS"), EInOutError);
}

TEST_F(FileListBoxTest, FolderThatCannotBeEnteredRaisesAndLeavesThePool) {
  const std::tuple<const char*, unsigned, const char*> cases[] = {
      {"C:\\Missing", 2, "File not found"},
      {"C:\\Missing\\Deeper\\", 3, "Invalid filename"},
      {"Q:\\Sounds", 3, "Invalid filename"},
      {"C:\\Sounds\\a.wav\\x", 267, "I/O error 267"}};
  TFileListBox& list = List();
  list.SetDirectory("C:\\Sounds");
  const Items pool = list.Items();
  for (const auto& [text, code, message] : cases) {
    SCOPED_TRACE(text);
    try {
      list.SetDirectory(text);
      ADD_FAILURE() << "accepted";
    } catch (const EInOutErrorWithCode& e) {
      EXPECT_STREQ(e.ClassName(), "EInOutError");
      EXPECT_EQ(e.ErrorCode(), code);
      EXPECT_EQ(e.Message(), message);
    }
    EXPECT_EQ(list.Directory(), "C:\\Sounds");
    EXPECT_EQ(list.Items(), pool);
    EXPECT_EQ(files.currentDirectory(), "C:\\Sounds");
  }
}

TEST_F(FileListBoxTest, FileTypeChoosesEntriesByAttribute) {
  using enum TFileAttr;
  const std::tuple<TFileType, const char*, Items> cases[] = {
      {{ftNormal}, "*.wav", {"a.wav", "B.WAV", "r.wav"}},
      {{ftNormal, ftHidden}, "*.wav", {"a.wav", "B.WAV", "h.wav", "r.wav"}},
      {{ftReadOnly}, "*.wav", {"r.wav"}},
      {{ftHidden, ftSystem}, "*.wav", {"h.wav", "s.wav"}},
      {{ftArchive}, "*.wav", {"a.wav", "B.WAV", "r.wav"}},
      {{ftDirectory}, "*", {"[..]", "[.]", "[Sub]"}},
      {{ftNormal}, "*.wav;A*;*.mid", {"a.wav", "a.wav", "B.WAV", "c.mid", "r.wav"}},  // twice
  };
  for (const auto& [type, mask, items] : cases) {
    TFileListBox& list = List(mask);
    list.SetFileType(type);
    list.SetDirectory("C:\\Sounds");
    EXPECT_EQ(list.Items(), items) << items.front();
  }
}

TEST_F(FileListBoxTest, ItemsCarryTheGlyphOfTheirKind) {
  TFileListBox& list = List("*.*");
  list.SetFileType({TFileAttr::ftNormal, TFileAttr::ftDirectory});
  list.SetDirectory("C:\\Sounds");
  for (const auto& [item, glyph] : {std::pair{"[Sub]", "CLOSEDFOLDER"},
                                    {"run.EXE", "EXECUTABLE"},
                                    {"notes.txt", "UNKNOWNFILE"},
                                    {"a.wav", "UNKNOWNFILE"}}) {
    const auto at = std::find(list.Items().begin(), list.Items().end(), item);
    ASSERT_NE(at, list.Items().end()) << item;
    EXPECT_EQ(list.Glyph(static_cast<int>(at - list.Items().begin())), glyph) << item;
  }
}

TEST_F(FileListBoxTest, ClickAnnouncesNewSelectionsAfterOnClick) {
  TFileListBox& list = List();
  TEdit edit(nullptr, "FileEdit");
  list.SetFileEdit(&edit);
  std::vector<std::string> log;
  list.OnClick = [&](TComponent*) { log.push_back("click"); };
  list.OnChange = [&](TComponent*) { log.push_back("change " + edit.Text()); };
  list.SetDirectory("C:\\Sounds");
  EXPECT_EQ(log, (Items{"change *.wav"}));
  EXPECT_EQ(list.LastSelection(), -1);

  auto& user = User(&list);
  log.clear();
  user.userSelected(1);
  user.userSelected(1);
  user.userSelected(2);
  EXPECT_EQ(log, (Items{"click", "change B.WAV", "click", "click", "change r.wav"}));
  EXPECT_EQ(list.LastSelection(), 2);
}

TEST_F(FileListBoxTest, LongListingShowsTheHourglassUntilItEnds) {
  for (const auto& [count, cursors] :
       {std::pair{100, std::vector<int>{}}, {101, std::vector<int>{crHourGlass, crDefault}}}) {
    SCOPED_TRACE(count);
    for (int i = 0; i < count; ++i)
      Touch("c/Many" + std::to_string(count) + "/" + std::to_string(1000 + i) + ".wav");
    desktop.screenCursors.clear();
    TFileListBox& list = List();
    list.SetDirectory("C:\\Many" + std::to_string(count));
    EXPECT_EQ(list.Count(), count);
    EXPECT_EQ(desktop.screenCursors, cursors);
  }
}

}  // namespace
}  // namespace wumpex
