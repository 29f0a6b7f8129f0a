#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/headless/HeadlessFileSystem.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {
namespace {

// A folder in the temp directory seen through the real calls and through the in-memory file
// system, which presents the temp directory as C:\.
class FileSystemTest : public ::testing::Test {
 protected:
  FileSystemTest() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    name = "wumpex-fs-" + std::to_string(GetCurrentProcessId());
    folder = std::string(temp) + name;
    std::filesystem::create_directories(folder + "\\Sub");
    for (const char* file : {"a.wav", "h.wav", "s.wav", "r.wav", "README", "Sub\\d.wav"}) {
      std::ofstream(folder + "\\" + file) << "RIFF";
    }
    SetFileAttributesA((folder + "\\h.wav").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA((folder + "\\s.wav").c_str(),
                       FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA((folder + "\\r.wav").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    headless.mapRoot("C:", temp);
    headless.setAttributes("C:\\" + name + "\\h.wav", fileattr::kHidden);
    headless.setAttributes("C:\\" + name + "\\s.wav", fileattr::kSystem);
    saved = real.currentDirectory();
    Enter();
  }
  ~FileSystemTest() override {
    real.setCurrentDirectory(saved);
    for (const char* file : {"h.wav", "s.wav", "r.wav"}) {
      SetFileAttributesA((folder + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }
  void Enter() {
    ASSERT_EQ(real.setCurrentDirectory(folder), 0u);
    ASSERT_EQ(headless.setCurrentDirectory("C:\\" + name), 0u);
  }

  Win32FileSystem real;
  headless::HeadlessFileSystem headless;
  std::string name;
  std::string folder;
  std::string saved;
};

TEST_F(FileSystemTest, SearchAndAttributesAgree) {
  std::vector<FoundFile> found = real.findFiles("*.wav");
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<FoundFile>{
                       {"a.wav", 0x20}, {"h.wav", 0x22}, {"r.wav", 0x21}, {"s.wav", 0x24}}));
  EXPECT_EQ(real.fileAttributes("Sub"), 0x10u);
  for (const char* path :
       {"*.*", "*", "?.wav", "*.WAV", "README.*", "Sub\\*", "SUB\\*.WAV", "A*", "missing\\*", "",
        "a.wav", "h.wav", "r.wav", "s.wav", "Sub", "sub\\D.WAV", "Sub\\missing", "missing"}) {
    found = real.findFiles(path);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, headless.findFiles(path)) << path;
    EXPECT_EQ(real.fileAttributes(path), headless.fileAttributes(path)) << path;
  }
}

TEST_F(FileSystemTest, EnteringGivesTheSystemsCodesAndKeepsTheGivenSpelling) {
  struct Case {
    const char* path;
    unsigned code;
  };
  const Case cases[] = {
      {"Sub", 0},     {"sub", 0}, {"Sub\\..\\SUB\\.", 0}, {"missing", 2}, {"missing\\deeper", 3},
      {"a.wav", 267}, {"", 123}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Enter();
    EXPECT_EQ(real.setCurrentDirectory(c.path), c.code);
    EXPECT_EQ(headless.setCurrentDirectory(c.path), c.code);
    // The part below the folder, as each reports its current directory.
    EXPECT_EQ(real.currentDirectory().substr(folder.size()),
              headless.currentDirectory().substr(name.size() + 3));
  }
}

TEST(GlyphResourceTest, FileListGlyphsAreSixteenByFifteenBitmaps) {
  for (const char* name : {"EXECUTABLE", "CLOSEDFOLDER", "UNKNOWNFILE"}) {
    const UniqueGdi<HANDLE> bitmap(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap) << name;
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0) << name;
    EXPECT_EQ(info.bmWidth, 16) << name;
    EXPECT_EQ(info.bmHeight, 15) << name;
    EXPECT_EQ(info.bmBitsPixel, 4) << name;
  }
}

}  // namespace
}  // namespace platform::win32
