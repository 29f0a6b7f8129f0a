#include "platform/headless/HeadlessFolderBrowser.h"

#include <stdexcept>

#include "platform/Utf8.h"
#include "platform/headless/HeadlessFaults.h"

namespace platform::headless {

class HeadlessTaskAllocator final : public TaskAllocator {
 public:
  explicit HeadlessTaskAllocator(HeadlessFolderBrowser& browser) : browser_(browser) {
    ++browser_.liveAllocators_;
  }
  ~HeadlessTaskAllocator() override { --browser_.liveAllocators_; }
  HeadlessTaskAllocator(const HeadlessTaskAllocator&) = delete;
  HeadlessTaskAllocator& operator=(const HeadlessTaskAllocator&) = delete;

  void* alloc(std::size_t size) override {
    return Refused(Call::TaskMemory) ? nullptr : browser_.newBlock(size).memory.get();
  }
  void free(void* block) override { browser_.freeBlock(block); }

 private:
  HeadlessFolderBrowser& browser_;
};

std::unique_ptr<TaskAllocator> HeadlessFolderBrowser::taskAllocator() {
  if (Refused(Call::TaskAllocator)) return nullptr;
  return std::make_unique<HeadlessTaskAllocator>(*this);
}

HeadlessFolderBrowser::Block& HeadlessFolderBrowser::newBlock(std::size_t size) {
  auto memory = std::make_unique<char[]>(size == 0 ? 1 : size);
  const void* key = memory.get();
  return blocks_[key] = Block{std::move(memory), std::nullopt, std::nullopt};
}

void HeadlessFolderBrowser::freeBlock(void* block) {
  if (block != nullptr && blocks_.erase(block) == 0) ++strayFrees_;
}

ItemList HeadlessFolderBrowser::specialFolderLocation(Handle /*owner*/, int folder) {
  if (Refused(Call::FolderDialog)) return nullptr;
  Block& item = newBlock(sizeof(int));
  item.folder = folder;
  return reinterpret_cast<ItemList>(item.memory.get());
}

ItemList HeadlessFolderBrowser::browseForFolder(const BrowseInfo& info) {
  if (Refused(Call::FolderDialog)) return nullptr;
  ShownFolderDialog shown{info.owner, std::nullopt, info.title, info.flags};
  if (info.root != nullptr) {
    auto root = blocks_.find(info.root);
    if (root == blocks_.end()) throw std::logic_error("the dialog's root is no live item list");
    shown.rootFolder = root->second.folder;
  }
  dialogs.push_back(shown);
  if (whileShown) whileShown(shown);
  if (answers_.empty()) return nullptr;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (!answer.confirmed) return nullptr;
  info.displayName[answer.displayName.copy(
      info.displayName, Utf8PrefixWithin(answer.displayName, kMaxPath - 1))] = '\0';
  Block& chosen = newBlock(answer.displayName.size() + 1);
  chosen.path = answer.path;
  return reinterpret_cast<ItemList>(chosen.memory.get());
}

bool HeadlessFolderBrowser::pathFromItemList(ItemList item, char* path) {
  path[0] = '\0';
  auto found = blocks_.find(item);
  if (Refused(Call::FolderDialog) || found == blocks_.end() || !found->second.path) return false;
  path[found->second.path->copy(path, Utf8PrefixWithin(*found->second.path, kMaxPath - 1))] = '\0';
  return true;
}

}  // namespace platform::headless
