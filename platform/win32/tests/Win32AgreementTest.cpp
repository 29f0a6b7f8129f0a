// Where Windows answers as Linux does not, the in-memory desktop must still answer as Windows
// does: settings files in the code page. Also the file list's glyphs as the resources hold them.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "platform/headless/HeadlessProfile.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using Text = std::optional<std::string>;

// A name in the temp directory that no other run holds.
std::string tempName(const std::string& stem) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp + stem + std::to_string(GetCurrentProcessId());
}

TEST(GlyphResourceTest, FileListGlyphsAreSixteenByFifteenBitmaps) {
  for (const char* name : {"EXECUTABLE", "CLOSEDFOLDER", "UNKNOWNFILE"}) {
    const UniqueGdi<HANDLE> bitmap(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap) << name;
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0) << name;
    EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight, info.bmBitsPixel), std::tuple(16, 15, 4))
        << name;
  }
}

// The in-memory profile's drive C: is a second folder.
class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() { std::filesystem::create_directories(realFolder); }
  ~ProfileTest() override {
    std::error_code error;
    std::filesystem::remove_all(realFolder, error);
    std::filesystem::remove_all(fakeDrive, error);
  }
  std::string RealName(const std::string& name) { return realFolder + "\\" + name; }
  static std::string FakeName(const std::string& name) { return "C:\\" + name; }
  static std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
  }
  void Put(const std::string& name, const std::string& content) {
    std::ofstream(RealName(name), std::ios::binary) << content;
    std::ofstream(*headless.realPath(FakeName(name)), std::ios::binary) << content;
  }
  struct Write {
    const char* section;
    Text key;
    Text value;
  };
  void ExpectSameWrites(const std::string& name, const std::vector<Write>& writes) {
    for (std::size_t step = 0; step < writes.size(); ++step) {
      const Write& w = writes[step];
      EXPECT_EQ(headless.writeString(FakeName(name), w.section, w.key, w.value),
                real.writeString(RealName(name), w.section, w.key, w.value))
          << "step " << step;
      EXPECT_EQ(Bytes(*headless.realPath(FakeName(name))), Bytes(RealName(name)))
          << "step " << step;
    }
  }

  const std::string realFolder = tempName("wumpex-profile-");
  const std::string fakeDrive = tempName("wumpex-drive-");
  Win32Profile real;
  headless::HeadlessProfile headless{fakeDrive};
};

// On a Western code page: a file in the code page reads as written and keeps its encoding
// while every text fits the code page; a text that does not turns it into UTF-16 with a
// byte-order mark, and nothing is lost. A value cut to its buffer ends between characters.
TEST_F(ProfileTest, AFileStaysAnsiUntilATextNeedsMore) {
  ASSERT_EQ(GetACP(), 1252u) << "the test needs a Western code page";
  const std::string cafe = "caf\xC3\xA9";
  const std::string cyrillic = "C:\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA";
  const std::string emoji = "a\xF0\x9F\x94\x94";
  Put("E.INI", "[S]\r\nfolder=C:\\caf\xE9\r\n");
  EXPECT_EQ(real.readString(RealName("E.INI"), "S", "folder", "", 64), "C:\\" + cafe);
  for (const char* name : {"E.INI", "N.INI"}) {
    SCOPED_TRACE(name);
    ExpectSameWrites(name, {{"S", "other", cafe}});
    EXPECT_NE(Bytes(RealName(name)).find("other=caf\xE9\r\n"), std::string::npos);
    ExpectSameWrites(name, {{"S", "folder", cyrillic}, {"S", "emoji", emoji}, {"S", "more", cafe}});
    EXPECT_EQ(Bytes(RealName(name)).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(real.readString(RealName(name), "S", "folder", "", 64), cyrillic);
    EXPECT_EQ(real.readString(RealName(name), "S", "other", "", 64), cafe);
    for (const std::uint32_t size : {2u, 3u, 4u}) {
      EXPECT_EQ(headless.readString(FakeName(name), "S", "emoji", "", size),
                real.readString(RealName(name), "S", "emoji", "", size))
          << size;
    }
  }
}

}  // namespace
}  // namespace platform::win32
