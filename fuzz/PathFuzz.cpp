// Path application over arbitrary folder texts, one a line, applied in turn to one list
// against the in-memory file system: drive C: and the share \\server\share over real folders.
// Each text is applied or raises one of the documented errors, which leave the list as it
// was; either way the list then shows files of an existing directory, which is also the
// current one.

#include <algorithm>
#include <tuple>

#include "app/FileCtrl.h"
#include "framework/Application.h"
#include "fuzz/Fuzz.h"
#include "tests/HeadlessServices.h"

namespace {

namespace fs = std::filesystem;
using namespace wumpex;
using fuzz::Require;

struct Folders : HeadlessServices {
  Folders() {
    for (const char* name : {"root.wav", "Sounds/a.wav", "Sounds/notes.txt", "Sounds/[x].wav",
                             "Sounds/Sub/d.wav", "Other/e.wav"}) {
      Touch(driveC.path() / name);
    }
    Touch(share.path() / "Loops" / "loop.wav");
    files.mapRoot("\\\\server\\share", share.path());
  }
  static void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "RIFF";
  }
  TempFolder share;
  TApplication application;
};

// What the list shows: its directory, mask, items and selected item.
auto StateOf(const TFileListBox& list) {
  return std::tuple(list.Directory(), list.Mask(), list.Items(), list.ItemIndex());
}

void RequireConsistent(Folders& folders, const TFileListBox& list) {
  namespace attr = platform::fileattr;
  const std::string& directory = list.Directory();
  const auto found = folders.files.fileAttributes(directory);
  Require(found && (*found & attr::kDirectory) != 0, "the list's directory to exist");
  // "X:\" or "\\server\share\".
  const bool root = (directory.size() == 3 && directory[1] == ':') ||
                    (directory.starts_with("\\\\") &&
                     std::count(directory.begin() + 2, directory.end(), '\\') == 2);
  Require(!directory.ends_with('\\') || root, "a trailing backslash only at a root");
  Require(folders.files.currentDirectory() == directory, "the list's directory to be current");
  Require(list.ItemIndex() >= -1 && list.ItemIndex() < list.Count(), "an item or none selected");
  for (int i = 0; i < list.Count(); ++i) {
    list.Glyph(i);
    const std::string path =
        directory.ends_with('\\') ? directory + list.Item(i) : directory + "\\" + list.Item(i);
    const auto item = folders.files.fileAttributes(path);
    Require(item && (*item & attr::kDirectory) == 0, "every item to be a file of the directory");
  }
}

}  // namespace

void wumpex::fuzz::Check(const std::string& input) {
  static Folders folders;
  Require(folders.files.setCurrentDirectory("C:\\Sounds") == 0, "C:\\Sounds to be enterable");
  TFileListBox list(nullptr, "FileListBox1");
  list.SetMask("*.wav");
  list.CreateHandle();
  // A folder text never holds a zero: the system's calls would end it there.
  for (const std::string& text : Split(input, std::string_view("\n\0", 2))) {
    const auto before = StateOf(list);
    try {
      list.SetDirectory(text);
    } catch (const EInOutErrorWithCode&) {
      Require(StateOf(list) == before, "a folder that cannot be entered to leave the list");
    } catch (const EInvalidOperation& error) {
      Require(error.Message() == "Invalid file name - " + text, "the invalid name in its error");
      Require(StateOf(list) == before, "a missing file to leave the list");
    }
    RequireConsistent(folders, list);
  }
}
