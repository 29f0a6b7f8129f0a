#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/Win32FolderBrowser.h"

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

}  // namespace
}  // namespace platform::win32
