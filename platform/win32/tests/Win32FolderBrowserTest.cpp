// The shell's folder picker: its item lists of special folders, and its dialog as the
// program opens it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "components/BrowseDr.h"
#include "platform/win32/Win32FolderBrowser.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

// What can be checked without a user at the dialog: the allocator, special folders and the
// conversion of their item lists to paths.
TEST(Win32FolderBrowserTest, SpecialFoldersConvertToPathsOrToNothing) {
  Win32FolderBrowser shell;
  const auto allocator = shell.taskAllocator();
  ASSERT_NE(allocator, nullptr);
  const auto free = [&](void* block) { allocator->free(block); };
  using Owned = std::unique_ptr<void, decltype(free)>;
  const std::unique_ptr<char, decltype(free)> buffer(static_cast<char*>(allocator->alloc(kMaxPath)),
                                                     free);
  ASSERT_NE(buffer, nullptr);
  char* path = buffer.get();

  const Owned windows(shell.specialFolderLocation(0, CSIDL_WINDOWS), free);
  ASSERT_NE(windows, nullptr);
  EXPECT_TRUE(shell.pathFromItemList(static_cast<ItemList>(windows.get()), path));
  char expected[MAX_PATH] = {};
  GetWindowsDirectoryA(expected, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(path, expected), 0) << path << " vs " << expected;

  // My Computer has no file-system path; the conversion leaves an empty one.
  const Owned drives(shell.specialFolderLocation(0, CSIDL_DRIVES), free);
  ASSERT_NE(drives, nullptr);
  std::strcpy(path, "left over");
  EXPECT_FALSE(shell.pathFromItemList(static_cast<ItemList>(drives.get()), path));
  EXPECT_STREQ(path, "");
}

std::string itemText(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA record{};
  record.mask = TVIF_TEXT;
  record.hItem = item;
  record.pszText = text;
  record.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
  return text;
}

// The texts of the tree's top item and of the items right below it.
std::vector<std::string> topOfTree(HWND tree) {
  const auto next = [tree](HTREEITEM item, WPARAM which) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
  };
  const HTREEITEM top = next(nullptr, TVGN_ROOT);
  if (top == nullptr) return {};
  std::vector<std::string> texts{itemText(tree, top)};
  for (HTREEITEM item = next(top, TVGN_CHILD); item != nullptr; item = next(item, TVGN_NEXT)) {
    texts.push_back(itemText(tree, item));
  }
  return texts;
}

// The picker as the program opens it: its tree starts at the desktop, with the computer's
// drives and folders below, not at an empty virtual folder.
TEST(Win32FolderBrowserTest, TheProgramsPickerShowsTheDesktopWithFoldersBelowIt) {
  Win32Services services;
  wumpex::TBrowseDirectoryDlg picker(nullptr, "BrowseDirectoryDlg1");
  picker.SetTitle("Select WAV sound folder...");
  std::vector<std::string> seen;
  std::thread user([&] {
    std::vector<HWND> dialogs;
    if (!testing::waitUntil(
            [&] { return !(dialogs = testing::dialogsOf(GetCurrentProcessId())).empty(); },
            std::chrono::seconds(20))) {
      return;
    }
    if (HWND tree = FindWindowExA(dialogs[0], nullptr, WC_TREEVIEWA, nullptr)) {
      seen = topOfTree(tree);
    }
    PostMessageA(dialogs[0], WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(picker.Execute());
  user.join();
  ASSERT_GE(seen.size(), 3u) << "the tree holds the desktop and what is on it";
  EXPECT_EQ(seen[0], "Desktop");
  EXPECT_NE(std::find(seen.begin(), seen.end(), "My Computer"), seen.end());
}

}  // namespace
}  // namespace platform::win32
