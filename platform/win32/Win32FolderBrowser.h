#pragma once
// The shell's folder-browsing dialog, with the task allocator of the component object
// library.

#include <memory>

#include "platform/FolderBrowser.h"

namespace platform::win32 {

class Win32FolderBrowser final : public FolderBrowser {
 public:
  std::unique_ptr<TaskAllocator> taskAllocator() override;
  ItemList specialFolderLocation(Handle owner, int folder) override;
  ItemList browseForFolder(const BrowseInfo& info) override;
  bool pathFromItemList(ItemList item, char* path) override;
};

}  // namespace platform::win32
