#pragma once
// An in-memory folder dialog for tests: a scripted user who chooses a folder, an item with
// no file-system path, or cancels; every dialog is recorded with what it was given. The
// task allocator keeps account of its blocks, so that tests see every one freed.

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FolderBrowser.h"

namespace platform::headless {

struct ShownFolderDialog {
  Handle owner = 0;
  // The special folder number the root item list came from; nothing for no root.
  std::optional<int> rootFolder;
  std::string title;
  std::uint32_t flags = 0;
};

class HeadlessFolderBrowser : public FolderBrowser {
 public:
  HeadlessFolderBrowser() = default;
  HeadlessFolderBrowser(const HeadlessFolderBrowser&) = delete;
  HeadlessFolderBrowser& operator=(const HeadlessFolderBrowser&) = delete;

  std::unique_ptr<TaskAllocator> taskAllocator() override;
  ItemList specialFolderLocation(Handle owner, int folder) override;
  ItemList browseForFolder(const BrowseInfo& info) override;
  // As the system does, empties the path first.
  bool pathFromItemList(ItemList item, char* path) override;

  // The scripted user: answers for coming dialogs, in order. Unscripted ones are cancelled.
  void chooseNextFolder(const std::string& path) {
    answers_.push_back({true, path, path.substr(path.find_last_of('\\') + 1)});
  }
  // An item with no file-system path, such as a printer.
  void chooseNextItemWithoutPath(const std::string& displayName) {
    answers_.push_back({true, std::nullopt, displayName});
  }
  void cancelNextDialog() { answers_.push_back({false, std::nullopt, {}}); }
  // Runs while each dialog is shown, before the user's answer: a look at the desktop behind it.
  std::function<void(const ShownFolderDialog&)> whileShown;

  std::vector<ShownFolderDialog> dialogs;
  // Blocks handed out and not freed yet, allocators not released yet, and frees of memory
  // that no allocator handed out.
  std::size_t liveBlocks() const { return blocks_.size(); }
  int liveAllocators() const { return liveAllocators_; }
  int strayFrees() const { return strayFrees_; }

 private:
  friend class HeadlessTaskAllocator;
  struct Answer {
    bool confirmed;
    std::optional<std::string> path;
    std::string displayName;
  };
  struct Block {
    std::unique_ptr<char[]> memory;
    // For item lists: the folder number it names, or the path a chosen item has.
    std::optional<int> folder;
    std::optional<std::string> path;
  };
  Block& newBlock(std::size_t size);
  void freeBlock(void* block);

  std::deque<Answer> answers_;
  std::map<const void*, Block> blocks_;
  int liveAllocators_ = 0;
  int strayFrees_ = 0;
};

}  // namespace platform::headless
