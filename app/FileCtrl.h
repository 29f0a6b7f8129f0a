#pragma once
// The list of one directory's files that match a mask: the sound pool. The directory is
// changed by applying a path to it, which may also name the mask or the file to select.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "framework/ListBox.h"

namespace wumpex {

// An input/output failure with the system's error code; its message follows the code.
class EInOutErrorWithCode : public EInOutError {
 public:
  explicit EInOutErrorWithCode(unsigned code);
  unsigned ErrorCode() const { return code_; }

 private:
  unsigned code_;
};

enum class TFileAttr {
  ftReadOnly,
  ftHidden,
  ftSystem,
  ftVolumeID,
  ftDirectory,
  ftArchive,
  ftNormal
};
using TFileType = std::set<TFileAttr>;

class TFileListBox : public TListBox {
 public:
  TFileListBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TFileListBox"; }

  // Drive, colon, path as the system reports it; a trailing backslash only at a root.
  const std::string& Directory() const { return directory_; }
  // Applies a path: a directory, a directory and a mask ("C:\Sounds\*.wav"), or a directory
  // and a file to select; a relative one counts from the current directory. Raises
  // EInOutErrorWithCode for a directory that cannot be entered and EInvalidOperation for a
  // file that does not exist; either leaves the list as it was.
  void SetDirectory(const std::string& text);
  // Lists nothing until a directory is applied again, the same one included. The directory
  // stays, so that a relative path still counts from it.
  void ClearFiles();
  // Patterns separated by ";"; a file that two of them match is listed twice.
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);
  const TFileType& FileType() const { return fileType_; }
  void SetFileType(const TFileType& fileType);
  bool ShowGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool show) { showGlyphs_ = show; }
  // An edit box that shows the selected name, or the mask when none is selected.
  TEdit* FileEdit() const { return fileEdit_; }
  void SetFileEdit(TEdit* edit) { fileEdit_ = edit; }
  // The item index when the selection was last announced.
  int LastSelection() const { return lastSelection_; }

  // The glyph resource of an item: "EXECUTABLE", "UNKNOWNFILE" or "CLOSEDFOLDER".
  const std::string& Glyph(int index) const;
  std::string SelectedFile() const;
  std::string SelectedPath() const;
  // Selects the item of that name, ignoring letter case, or none; announces the change.
  void SelectFile(const std::string& name);

  TNotifyEvent OnChange;

 protected:
  void InitPeer(platform::Widget& peer) override;
  void userSelected(int index) override;
  // Announces the selection: to LastSelection, the file edit box and OnChange.
  void Changed();

 private:
  // The items come from the directory only.
  using TListBox::Add;
  using TListBox::Clear;
  using TListBox::Delete;

  struct SplitPathResult {
    std::optional<char> drive;
    std::string directory;
    std::string file;
  };
  // Finds the directory and file a path names, entering directories to tell them from
  // files, and returns to the current directory afterwards.
  static SplitPathResult SplitPath(const std::string& text);
  void ChangeDirectory(const std::string& directory);
  // Reads the directory afresh; nothing until the native list exists.
  void ListFiles();
  // Makes the native list, with the window it sits in, when it does not exist yet.
  void EnsureHandle();

  std::string directory_;
  std::string mask_ = "*.*";
  TFileType fileType_ = {TFileAttr::ftNormal};
  bool showGlyphs_ = false;
  TEdit* fileEdit_ = nullptr;
  int lastSelection_ = -1;
  bool listed_ = false;              // the items are the directory's files
  std::vector<std::string> glyphs_;  // one per item, in item order
};

}  // namespace wumpex
