#pragma once
// The seam to the shell's folder-browsing dialog: the shell's task allocator, item lists of
// the shell's namespace, the modal dialog that lets the user choose one, and the conversion
// of an item list to a file-system path.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// The longest path the system knows, with its terminator, in UTF-16 units; and the room that
// such a path takes in UTF-8, at most three bytes a unit.
inline constexpr std::size_t kMaxPath = 260;
inline constexpr std::size_t kMaxPathBytes = 3 * kMaxPath;

// The dialog's restrictions, with the values the system gives them.
namespace bif {
inline constexpr std::uint32_t kReturnOnlyFileSystemFolders = 0x0001;
inline constexpr std::uint32_t kDontGoBelowDomain = 0x0002;
inline constexpr std::uint32_t kReturnFileSystemAncestors = 0x0008;
inline constexpr std::uint32_t kBrowseForComputer = 0x1000;
inline constexpr std::uint32_t kBrowseForPrinter = 0x2000;
}  // namespace bif

// The shell's special folders, with the numbers the system gives them.
namespace csidl {
inline constexpr int kDesktop = 0x00;
inline constexpr int kPrograms = 0x02;
inline constexpr int kControls = 0x03;
inline constexpr int kPrinters = 0x04;
inline constexpr int kPersonal = 0x05;
inline constexpr int kFavorites = 0x06;
inline constexpr int kStartup = 0x07;
inline constexpr int kRecent = 0x08;
inline constexpr int kSendTo = 0x09;
inline constexpr int kBitBucket = 0x0A;
inline constexpr int kStartMenu = 0x0B;
inline constexpr int kDesktopDirectory = 0x10;
inline constexpr int kDrives = 0x11;
inline constexpr int kNetwork = 0x12;
inline constexpr int kNetHood = 0x13;
inline constexpr int kFonts = 0x14;
inline constexpr int kTemplates = 0x15;
}  // namespace csidl

// An item list of the shell's namespace, in memory from the task allocator; null is none.
struct ShellItem;
using ItemList = ShellItem*;

// The shell's task allocator, released with this object. Item lists the shell hands out
// are freed through it.
class TaskAllocator {
 public:
  virtual ~TaskAllocator() = default;
  // Null when there is no memory.
  virtual void* alloc(std::size_t size) = 0;
  virtual void free(void* block) = 0;
};

// What the dialog is shown with, in the order of the system's record.
struct BrowseInfo {
  Handle owner = 0;
  ItemList root = nullptr;  // none: the top of the namespace, the desktop
  // At least kMaxPathBytes bytes; receives the chosen item's display name.
  char* displayName = nullptr;
  const char* title = "";   // the prompt above the tree; never null
  std::uint32_t flags = 0;  // bif
};

class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;
  // The shell's task allocator; null when the system has none to give.
  virtual std::unique_ptr<TaskAllocator> taskAllocator() = 0;
  // The item list of a special folder by its number; null when the shell yields none.
  virtual ItemList specialFolderLocation(Handle owner, int folder) = 0;
  // Runs the modal dialog; the chosen item's list, or null on Cancel.
  virtual ItemList browseForFolder(const BrowseInfo& info) = 0;
  // Writes the item's path into kMaxPathBytes bytes; false for an item with no file-system
  // path.
  virtual bool pathFromItemList(ItemList item, char* path) = 0;
};

using FolderBrowserScope = ServiceScope<FolderBrowser>;
inline FolderBrowser& folderBrowser() {
  return ServiceScope<FolderBrowser>::get();
}

}  // namespace platform
