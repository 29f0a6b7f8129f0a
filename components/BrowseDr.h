#pragma once
// Lets the user pick a folder in the shell's modal folder dialog and hands back its full
// path. The component has no window of its own.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/Component.h"

namespace wumpex {

class TControl;

// The special folder at the top of the dialog's tree.
enum class TRootID : std::uint8_t {
  idDesktop,
  idDesktopExpanded,
  idPrograms,
  idControlPanel,
  idPrinters,
  idPersonal,
  idFavorites,
  idStartup,
  idRecent,
  idSendTo,
  idRecycleBin,
  idStartMenu,
  idDesktopDirectory,
  idDrives,
  idNetwork,
  idNetHood,
  idFonts,
  idTemplates,
};

// What the dialog lets the user choose.
enum class TBrowseFlag : std::uint8_t {
  bfDirectoriesOnly,
  bfDomainOnly,
  bfAncestors,
  bfComputers,
  bfPrinters,
};

class TBrowseFlags {
 public:
  constexpr TBrowseFlags() = default;
  constexpr TBrowseFlags(std::initializer_list<TBrowseFlag> flags) {
    for (TBrowseFlag flag : flags) bits_ |= Bit(flag);
  }
  constexpr bool Contains(TBrowseFlag flag) const { return (bits_ & Bit(flag)) != 0; }
  bool operator==(const TBrowseFlags&) const = default;

 private:
  static constexpr std::uint8_t Bit(TBrowseFlag flag) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(flag));
  }
  std::uint8_t bits_ = 0;
};

// Runs the dialog, owned by the owner control's window (none without an owner), with the
// prompt, root and restrictions given. True when the user confirmed an item; path then
// holds what the shell gives as its path, which is empty for an item with no file-system
// path such as a printer.
bool BrowseDirectory(std::string& path, TControl* owner, const std::string& title, TRootID root,
                     TBrowseFlags options);

class TBrowseDirectoryDlg : public TComponent {
 public:
  TBrowseDirectoryDlg(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TBrowseDirectoryDlg"; }

  // The prompt shown above the folder tree.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TRootID Root() const { return root_; }
  void SetRoot(TRootID root) { root_ = root; }
  TBrowseFlags Options() const { return options_; }
  void SetOptions(TBrowseFlags options) { options_ = options; }
  // The path chosen by the last confirmed dialog.
  const std::string& Directory() const { return directory_; }

  // Runs the dialog, owned by the owner when it is a control and by the main form
  // otherwise; it opens at the root every time. True when the user confirmed a choice.
  virtual bool Execute();

 private:
  std::string title_;
  TRootID root_ = TRootID::idDesktopExpanded;
  TBrowseFlags options_;
  std::string directory_;
};

}  // namespace wumpex
