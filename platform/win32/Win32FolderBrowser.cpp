#include "platform/win32/Win32FolderBrowser.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "platform/Utf8.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {
namespace {

class Win32TaskAllocator final : public TaskAllocator {
 public:
  explicit Win32TaskAllocator(IMalloc* malloc) : malloc_(malloc) {}

  void* alloc(std::size_t size) override { return malloc_.get()->Alloc(size); }
  void free(void* block) override { malloc_.get()->Free(block); }

 private:
  UniqueCom<IMalloc> malloc_;
};

PIDLIST_ABSOLUTE toItemIdList(ItemList item) {
  return reinterpret_cast<PIDLIST_ABSOLUTE>(item);
}

ItemList toItemList(PIDLIST_ABSOLUTE list) {
  return reinterpret_cast<ItemList>(list);
}

// A text of the system into a buffer of the program's, of kMaxPathBytes: a text of at most
// kMaxPath - 1 units always fits whole.
void copyOut(const wchar_t* text, char* into) {
  const std::string utf8 = Utf8(text);
  into[utf8.copy(into, Utf8PrefixWithin(utf8, kMaxPath - 1))] = '\0';
}

}  // namespace

std::unique_ptr<TaskAllocator> Win32FolderBrowser::taskAllocator() {
  IMalloc* malloc = nullptr;
  // Memory context 1 is the task's own allocator.
  if (FAILED(CoGetMalloc(1, &malloc)) || malloc == nullptr) return nullptr;
  return std::make_unique<Win32TaskAllocator>(malloc);
}

ItemList Win32FolderBrowser::specialFolderLocation(Handle owner, int folder) {
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(toWindow(owner), folder, &list))) return nullptr;
  return toItemList(list);
}

ItemList Win32FolderBrowser::browseForFolder(const BrowseInfo& info) {
  wchar_t displayName[MAX_PATH] = {};
  const std::wstring title = Wide(info.title);
  BROWSEINFOW record{};
  record.hwndOwner = toWindow(info.owner);
  record.pidlRoot = toItemIdList(info.root);
  record.pszDisplayName = displayName;
  record.lpszTitle = title.c_str();
  record.ulFlags = info.flags;
  // The shell's dialog wants COM on the thread that runs it; released again when this thread
  // was the one to start it.
  const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const ScopeGuard comEnded([comStarted] {
    if (comStarted) CoUninitialize();
  });
  const ItemList chosen = toItemList(SHBrowseForFolderW(&record));
  copyOut(displayName, info.displayName);
  return chosen;
}

bool Win32FolderBrowser::pathFromItemList(ItemList item, char* path) {
  wchar_t wide[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(toItemIdList(item), wide) != FALSE;
  copyOut(wide, path);
  return found;
}

}  // namespace platform::win32
