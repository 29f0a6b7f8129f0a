#include "app/FileCtrl.h"

#include <cstdint>

#include "framework/Screen.h"
#include "platform/FileSystem.h"
#include "platform/LetterCase.h"

namespace wumpex {
namespace {

namespace attr = platform::fileattr;

const std::string kFolderGlyph = "CLOSEDFOLDER";
const std::string kExecutableGlyph = "EXECUTABLE";
const std::string kUnknownGlyph = "UNKNOWNFILE";

std::string InOutMessage(unsigned code) {
  switch (code) {
    case platform::fileerror::kFileNotFound:
      return "File not found";
    case platform::fileerror::kPathNotFound:
      return "Invalid filename";
    case platform::fileerror::kTooManyOpenFiles:
      return "Too many open files";
    case platform::fileerror::kAccessDenied:
      return "File access denied";
    // Errors in reading and writing files have numbers of their own.
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

platform::PathGrammar Grammar() {
  return platform::fileSystem().grammar();
}

// Whether two paths name the same entry, as the system compares names.
bool SamePath(const std::string& a, const std::string& b) {
  return Grammar().caseSensitive ? a == b : platform::UpperCase(a) == platform::UpperCase(b);
}

bool HasWildcards(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

// "X:" or "\\server\share" at the start of a path, or nothing; always nothing where paths
// have no drives.
std::string DrivePart(const std::string& path) {
  if (!Grammar().drives) return {};
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (!path.starts_with("\\\\")) return {};
  const std::size_t server = path.find('\\', 2);
  if (server == std::string::npos) return path;
  return path.substr(0, path.find('\\', server + 1));
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  const char separator = Grammar().separator;
  return directory.ends_with(separator) ? directory + name : directory + separator + name;
}

void Enter(const std::string& directory) {
  const unsigned code = platform::fileSystem().setCurrentDirectory(directory);
  if (code != 0) throw EInOutErrorWithCode(code);
}

bool FileExists(const std::string& path) {
  const auto found = platform::fileSystem().fileAttributes(path);
  return found && (*found & attr::kDirectory) == 0;
}

std::uint32_t AttributeBit(TFileAttr member) {
  switch (member) {
    case TFileAttr::ftReadOnly:
      return attr::kReadOnly;
    case TFileAttr::ftHidden:
      return attr::kHidden;
    case TFileAttr::ftSystem:
      return attr::kSystem;
    case TFileAttr::ftVolumeID:
      return attr::kVolumeId;
    case TFileAttr::ftDirectory:
      return attr::kDirectory;
    case TFileAttr::ftArchive:
      return attr::kArchive;
    case TFileAttr::ftNormal:
      break;
  }
  return 0;
}

const std::string& GlyphFor(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  const std::string extension =
      platform::UpperCase(dot == std::string::npos ? std::string() : fileName.substr(dot));
  const bool executable =
      extension == ".EXE" || extension == ".COM" || extension == ".BAT" || extension == ".PIF";
  return executable ? kExecutableGlyph : kUnknownGlyph;
}

}  // namespace

EInOutErrorWithCode::EInOutErrorWithCode(unsigned code)
    : EInOutError(InOutMessage(code)), code_(code) {}

TFileListBox::TFileListBox(TComponent* owner, std::string name)
    : TListBox(owner, std::move(name)), directory_(platform::fileSystem().currentDirectory()) {
  SetSorted(true);
  SetBounds({0, 0, 145, 0});
}

void TFileListBox::SetDirectory(const std::string& text) {
  // Telling the selected path asks the native list, which exists from here on.
  EnsureHandle();
  if (text.empty() || SamePath(text, SelectedPath())) return;
  const SplitPathResult split = SplitPath(text);
  ChangeDirectory(split.drive ? std::string{*split.drive, ':'} + split.directory : split.directory);
  if (HasWildcards(split.file)) {
    SetMask(split.file);
    return;
  }
  if (split.file.empty()) return;
  SelectFile(split.file);
  if (!FileExists(JoinPath(directory_, split.file))) {
    throw EInvalidOperation("Invalid file name - " + text);
  }
  // A file the mask leaves out becomes the mask, so that it can be selected.
  if (SelectedFile().empty()) {
    SetMask(split.file);
    SelectFile(split.file);
  }
}

void TFileListBox::ClearFiles() {
  Clear();
  glyphs_.clear();
  listed_ = false;
  Changed();
}

void TFileListBox::SetMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  ListFiles();
}

void TFileListBox::SetFileType(const TFileType& fileType) {
  if (fileType == fileType_) return;
  fileType_ = fileType;
  ListFiles();
}

const std::string& TFileListBox::Glyph(int index) const {
  Item(index);
  return glyphs_[static_cast<std::size_t>(index)];
}

std::string TFileListBox::SelectedFile() const {
  return ItemIndex() >= 0 ? Item(ItemIndex()) : std::string();
}

std::string TFileListBox::SelectedPath() const {
  const std::string file = SelectedFile();
  return file.empty() ? file : JoinPath(directory_, file);
}

void TFileListBox::SelectFile(const std::string& name) {
  if (SamePath(name, SelectedFile())) return;
  int found = -1;
  for (int i = 0; i < Count() && found < 0; ++i) {
    if (SamePath(Item(i), name)) found = i;
  }
  SetItemIndex(found);
  Changed();
}

// The window is made even when its directory can no longer be entered (a share gone, a drive
// removed): the list starts empty, and the next directory set lists again.
void TFileListBox::InitPeer(platform::Widget& peer) {
  TListBox::InitPeer(peer);
  try {
    ListFiles();
  } catch (const EInOutError&) {
    ClearFiles();
  }
}

void TFileListBox::userSelected(int index) {
  Guarded([&] {
    SetItemIndex(index);
    Fire(OnClick, this);
    if (ItemIndex() != lastSelection_) Changed();
  });
}

void TFileListBox::Changed() {
  lastSelection_ = ItemIndex();
  if (fileEdit_ != nullptr) {
    const std::string selected = SelectedFile();
    fileEdit_->SetText(selected.empty() ? mask_ : selected);
  }
  Fire(OnChange, this);
}

TFileListBox::SplitPathResult TFileListBox::SplitPath(const std::string& text) {
  const std::string saved = platform::fileSystem().currentDirectory();
  SplitPathResult result;
  std::string& directory = result.directory;
  std::string& file = result.file;
  directory = text;
  std::string root;
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    directory = text.substr(1, text.size() - 2);
  } else {
    root = DrivePart(text);
    if (root.empty()) {
      root = DrivePart(saved);
    } else {
      directory.erase(0, root.size());
    }
  }
  if (root.size() >= 2 && root[1] == ':') result.drive = root[0];

  try {
    // The system refuses an empty path; a bracketed name counts from the current directory.
    if (!root.empty()) Enter(root);
    const char separator = Grammar().separator;
    const std::size_t last = directory.find_last_of(Grammar().drives ? "\\:" : "/");
    file = last == std::string::npos ? directory : directory.substr(last + 1);
    // assign(1, separator) rather than a string: GCC 12 at -O3 warns falsely about the latter.
    if (directory.size() == file.size() + 1) {
      directory.assign(1, separator);
    } else if (directory.size() > file.size() + 1) {
      directory.erase(directory.size() - file.size() - 1);
    } else {
      directory = platform::fileSystem().currentDirectory();
      directory.erase(0, DrivePart(directory).size());
      if (directory.empty()) directory.assign(1, separator);
    }
    if (!directory.empty()) Enter(directory);
    // A last name that is no file is a directory.
    if (!file.empty() && !HasWildcards(file) && !FileExists(file)) {
      Enter(file);
      directory = JoinPath(directory, file);
      file.clear();
    }
    if (!result.drive) directory = root + directory;
  } catch (...) {
    Enter(saved);
    throw;
  }
  Enter(saved);
  return result;
}

void TFileListBox::ChangeDirectory(const std::string& directory) {
  if (listed_ && SamePath(directory, directory_)) return;
  // A relative path counts from the old directory. That one may have been removed since,
  // which must not stop a new one that exists.
  static_cast<void>(platform::fileSystem().setCurrentDirectory(directory_));
  Enter(directory);
  directory_ = platform::fileSystem().currentDirectory();
  ListFiles();
}

void TFileListBox::ListFiles() {
  if (!HandleAllocated()) return;
  std::uint32_t wanted = 0;
  for (TFileAttr member : fileType_) wanted |= AttributeBit(member);
  Enter(directory_);
  {
    const TCursorRestorer cursor;
    const TListUpdate update(*this);
    Clear();
    glyphs_.clear();

    // The search leaves out these kinds of entries unless they are asked for.
    const std::uint32_t skipped =
        (attr::kHidden | attr::kSystem | attr::kVolumeId | attr::kDirectory) & ~wanted;
    const bool anyAttributes = fileType_.contains(TFileAttr::ftNormal);
    std::size_t start = 0;
    while (start <= mask_.size()) {
      const std::size_t end = std::min(mask_.find(';', start), mask_.size());
      for (const platform::FoundFile& entry :
           platform::fileSystem().findFiles(mask_.substr(start, end - start))) {
        if ((entry.attributes & skipped) != 0) continue;
        if (!anyAttributes && (entry.attributes & wanted) == 0) continue;
        const bool isDirectory = (entry.attributes & attr::kDirectory) != 0;
        const int at = Add(isDirectory ? "[" + entry.name + "]" : entry.name);
        // A long listing shows the hourglass.
        if (at == 100) Screen().SetCursor(crHourGlass);
        glyphs_.insert(glyphs_.begin() + at, isDirectory ? kFolderGlyph : GlyphFor(entry.name));
      }
      start = end + 1;
    }
  }
  listed_ = true;
  Changed();
}

void TFileListBox::EnsureHandle() {
  TControl* top = this;
  while (top->Parent() != nullptr) top = top->Parent();
  top->CreateHandle();
}

}  // namespace wumpex
