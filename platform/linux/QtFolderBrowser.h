#pragma once
// Folder browsing on Qt: an item list is a block of the task allocator (the C heap) that
// holds a folder's path, and the dialog is Qt's own folder chooser, the same on every
// desktop and reachable by keyboard.

#include "platform/FolderBrowser.h"

namespace platform::linuxdesktop {

class QtFolderBrowser final : public FolderBrowser {
 public:
  std::unique_ptr<TaskAllocator> taskAllocator() override;
  // The desktop and the user's own folders by their XDG places; the computer is the root of
  // the file system. Others are the home folder.
  ItemList specialFolderLocation(Handle owner, int folder) override;
  // Starts in the root's folder, or in the home folder.
  ItemList browseForFolder(const BrowseInfo& info) override;
  // False for a path longer than the room the program gives it.
  bool pathFromItemList(ItemList item, char* path) override;
};

}  // namespace platform::linuxdesktop
