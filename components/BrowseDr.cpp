#include "components/BrowseDr.h"

#include <array>
#include <memory>

#include "framework/Application.h"
#include "framework/Control.h"
#include "platform/FolderBrowser.h"

namespace wumpex {
namespace {

// The shell's special folder numbers, by TRootID. idDesktopExpanded asks for no root, so
// that the tree starts at the desktop: its number, 1, names a virtual folder on current
// systems (Wine roots an empty tree at its "Internet" folder for it).
constexpr int kNoRoot = -1;
namespace csidl = platform::csidl;
constexpr std::array<int, 18> kRootFolders = {
    csidl::kDesktop,          kNoRoot,           csidl::kPrograms,
    csidl::kControls,         csidl::kPrinters,  csidl::kPersonal,
    csidl::kFavorites,        csidl::kStartup,   csidl::kRecent,
    csidl::kSendTo,           csidl::kBitBucket, csidl::kStartMenu,
    csidl::kDesktopDirectory, csidl::kDrives,    csidl::kNetwork,
    csidl::kNetHood,          csidl::kFonts,     csidl::kTemplates};

// The shell's browse flags, by TBrowseFlag.
constexpr std::array<std::uint32_t, 5> kBrowseFlags = {
    platform::bif::kReturnOnlyFileSystemFolders, platform::bif::kDontGoBelowDomain,
    platform::bif::kReturnFileSystemAncestors, platform::bif::kBrowseForComputer,
    platform::bif::kBrowseForPrinter};

std::uint32_t FlagBits(TBrowseFlags options) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < kBrowseFlags.size(); ++i) {
    if (options.Contains(static_cast<TBrowseFlag>(i))) bits |= kBrowseFlags[i];
  }
  return bits;
}

// Memory from the shell's task allocator, given back to it.
struct TaskFree {
  platform::TaskAllocator* allocator;
  void operator()(void* block) const { allocator->free(block); }
};
template <class T>
using TaskOwned = std::unique_ptr<T, TaskFree>;

}  // namespace

bool BrowseDirectory(std::string& path, TControl* owner, const std::string& title, TRootID root,
                     TBrowseFlags options) {
  platform::FolderBrowser& shell = platform::folderBrowser();
  // Declared in order of acquisition, so that they are given back in reverse.
  const std::unique_ptr<platform::TaskAllocator> allocator = shell.taskAllocator();
  if (allocator == nullptr) return false;
  const TaskFree free{allocator.get()};
  const TaskOwned<char> buffer(static_cast<char*>(allocator->alloc(platform::kMaxPathBytes)), free);
  if (buffer == nullptr) return false;

  platform::Handle window = 0;
  if (owner != nullptr) {
    if (!owner->HandleAllocated()) owner->CreateHandle();
    window = owner->Peer()->handle();
  }
  const int rootFolder = kRootFolders[static_cast<std::size_t>(root)];
  const TaskOwned<platform::ShellItem> rootList(
      rootFolder == kNoRoot ? nullptr : shell.specialFolderLocation(window, rootFolder), free);

  platform::BrowseInfo info;
  info.owner = window;
  info.root = rootList.get();
  info.displayName = buffer.get();
  info.title = title.c_str();
  info.flags = FlagBits(options);
  const TaskOwned<platform::ShellItem> chosen(shell.browseForFolder(info), free);
  if (chosen == nullptr) return false;
  shell.pathFromItemList(chosen.get(), buffer.get());
  path = buffer.get();
  return true;
}

TBrowseDirectoryDlg::TBrowseDirectoryDlg(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)) {}

bool TBrowseDirectoryDlg::Execute() {
  TControl* owner = dynamic_cast<TControl*>(Owner());
  if (owner == nullptr && Application != nullptr) owner = Application->MainForm();
  std::string path;
  const bool chosen = BrowseDirectory(path, owner, title_, root_, options_);
  if (chosen) directory_ = path;
  return chosen;
}

}  // namespace wumpex
