#include "platform/linux/QtFolderBrowser.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/QtCanvas.h"
#include "platform/linux/QtDesktop.h"

namespace platform::linuxdesktop {
namespace {

class HeapAllocator final : public TaskAllocator {
 public:
  void* alloc(std::size_t size) override { return std::malloc(size == 0 ? 1 : size); }
  void free(void* block) override { std::free(block); }
};

ItemList ItemOf(const std::string& path) {
  auto* item = static_cast<char*>(std::malloc(path.size() + 1));
  if (item == nullptr) return nullptr;
  std::memcpy(item, path.c_str(), path.size() + 1);
  return reinterpret_cast<ItemList>(item);
}

}  // namespace

std::unique_ptr<TaskAllocator> QtFolderBrowser::taskAllocator() {
  return std::make_unique<HeapAllocator>();
}

ItemList QtFolderBrowser::specialFolderLocation(Handle /*owner*/, int folder) {
  QStandardPaths::StandardLocation place = QStandardPaths::HomeLocation;
  switch (folder) {
    case csidl::kDrives:
      return ItemOf("/");
    case csidl::kDesktop:
    case csidl::kDesktopDirectory:
      place = QStandardPaths::DesktopLocation;
      break;
    case csidl::kPersonal:
      place = QStandardPaths::DocumentsLocation;
      break;
    case csidl::kFonts:
      place = QStandardPaths::FontsLocation;
      break;
    default:
      break;
  }
  return ItemOf(FromQt(QStandardPaths::writableLocation(place)));
}

ItemList QtFolderBrowser::browseForFolder(const BrowseInfo& info) {
  if (QtDesktop::QuitAsked()) return nullptr;
  QWidget* owner = QtHandles::widget(info.owner);
  const QString start = info.root != nullptr
                            ? QString::fromUtf8(reinterpret_cast<const char*>(info.root))
                            : QDir::homePath();
  const QString chosen = QFileDialog::getExistingDirectory(
      owner != nullptr && owner->isVisible() ? owner : nullptr, ToQt(info.title), start,
      QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return nullptr;
  const std::string path = FromQt(QDir::cleanPath(chosen));
  if (info.displayName != nullptr) {
    const std::string name = FromQt(QDir(chosen).dirName());
    const std::size_t length = std::min(name.size(), kMaxPathBytes - 1);
    std::memcpy(info.displayName, name.data(), length);
    info.displayName[length] = '\0';
  }
  return ItemOf(path);
}

bool QtFolderBrowser::pathFromItemList(ItemList item, char* path) {
  path[0] = '\0';
  if (item == nullptr) return false;
  const char* held = reinterpret_cast<const char*>(item);
  const std::size_t length = std::strlen(held);
  if (length >= kMaxPathBytes) return false;
  std::memcpy(path, held, length + 1);
  return true;
}

}  // namespace platform::linuxdesktop
