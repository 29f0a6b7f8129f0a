#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/headless/HeadlessProfile.h"
#include "platform/win32/Win32Profile.h"

namespace platform::win32 {
namespace {

using Text = std::optional<std::string>;

// The same calls through the system and through the in-memory profile, whose drive C: is a
// second folder: every result and the file's bytes after every step must agree.
class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string stamp = std::to_string(GetCurrentProcessId());
    realFolder = std::string(temp) + "wumpex-profile-" + stamp;
    fakeDrive = std::string(temp) + "wumpex-drive-" + stamp;
    std::filesystem::create_directories(realFolder);
    std::filesystem::create_directories(fakeDrive);
    headless.emplace(fakeDrive);
  }
  ~ProfileTest() override {
    headless.reset();
    std::error_code error;
    std::filesystem::remove_all(realFolder, error);
    std::filesystem::remove_all(fakeDrive, error);
  }
  std::string RealName(const std::string& name) { return realFolder + "\\" + name; }
  static std::string FakeName(const std::string& name) { return "C:\\" + name; }
  static std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<none>";
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Put(const std::string& name, const std::string& content) {
    std::ofstream(RealName(name), std::ios::binary) << content;
    std::ofstream(*headless->realPath(FakeName(name)), std::ios::binary) << content;
  }
  struct Write {
    const char* section;
    Text key;
    Text value;
  };
  // After every write both must answer alike and leave the same bytes.
  void ExpectSameWrites(const std::string& name, const std::vector<Write>& writes) {
    for (std::size_t step = 0; step < writes.size(); ++step) {
      const Write& w = writes[step];
      EXPECT_EQ(headless->writeString(FakeName(name), w.section, w.key, w.value),
                real.writeString(RealName(name), w.section, w.key, w.value))
          << "step " << step;
      EXPECT_EQ(Bytes(*headless->realPath(FakeName(name))), Bytes(RealName(name)))
          << "step " << step;
    }
  }

  Win32Profile real;
  std::optional<headless::HeadlessProfile> headless;
  std::string realFolder;
  std::string fakeDrive;
};

// The settings file's reads give a buffer of 1024 bytes: a longer value is cut.
const std::string kMessy =
    " [ Main ] \r\n\r\n  Key = \" q \" \r\nKEY=dup\r\nhalf='x\r\nlone=\"\r\npair=\"ab\"\r\n"
    "noequals\r\n;note=1\r\nlong=abcdefghij\r\nhuge=" +
    std::string(1100, 'p') + "\r\n[Other]\r\ny=1\r\n[main]\r\nz=2\r\n";

TEST_F(ProfileTest, ReadsAsTheSystemReads) {
  Put("R.INI", kMessy);
  const struct {
    const char* section;
    Text key;
    Text fallback;
    std::uint32_t size;
  } reads[] = {{"main", "key", "d", 64},        {"MAIN", " KEY ", "d", 64},
               {"Main", "half", "d", 64},       {"Main", "lone", "d", 64},
               {"Main", "pair", "d", 64},       {"Main", "pair", "d", 3},
               {"Main", "pair", "d", 4},        {"Main", "noequals", "d", 64},
               {"Main", ";note", "d", 64},      {"Main", "long", "d", 5},
               {"Main", "z", "d", 64},          {"Main", "x", " d e ", 64},
               {"Main", "x", "\"q\"", 64},      {"Main", "x", std::nullopt, 64},
               {"Main", "x", "abcdef", 4},      {"Main", "key", "d", 1},
               {"Main", "key", "d", 0},         {"Main", "", "d", 64},
               {"Main", "huge", "d", 1024},     {"Main", std::nullopt, "d", 1024},
               {"Main", std::nullopt, "d", 64}, {"Main", std::nullopt, "d", 6},
               {"Main", std::nullopt, "d", 4},  {"Absent", std::nullopt, "d", 64},
               {"Other", "y", "d", 64}};
  for (const auto& r : reads) {
    EXPECT_EQ(headless->readString(FakeName("R.INI"), r.section, r.key, r.fallback, r.size),
              real.readString(RealName("R.INI"), r.section, r.key, r.fallback, r.size))
        << r.section << "/" << r.key.value_or("(none)") << " size " << r.size;
  }
  EXPECT_EQ(headless->readString(FakeName("NONE.INI"), "S", "k", "\"d\"  ", 64),
            real.readString(RealName("NONE.INI"), "S", "k", "\"d\"  ", 64));
}

TEST_F(ProfileTest, WritesAsTheSystemWrites) {
  const Text none = std::nullopt;
  // The first write leaves a missing file missing.
  const std::vector<Write> fresh = {
      {"Main", none, none},   {"Main", "k", none}, {"One", "a", "1"},     {"One", "b", "  two  "},
      {"Two", "c", "3"},      {"one", "A", "x"},   {"one", "a", "x"},     {"Three", "d", ""},
      {" New ", " k ", "v"},  {"One", none, none}, {"Two", "c", none},    {"Two", "e", "5"},
      {"Absent", none, none}, {"Two", none, none}, {"Three", none, none}, {"new", none, none}};
  ExpectSameWrites("W.INI", fresh);
  const std::vector<Write> messy = {{"Absent", none, none},     {"Main", "absent", none},
                                    {"Main", "key", "\" q \""}, {" Main ", none, none},
                                    {"MAIN", "z", none},        {"main", "noequals", "v"},
                                    {"main", none, none},       {"Other", "y", "2"}};
  Put("M.INI", kMessy);
  ExpectSameWrites("M.INI", messy);
}

TEST_F(ProfileTest, BareNamesLiveInTheWindowsDirectory) {
  const std::string name = "WUMPEX-PROFILE-TEST.INI";
  ASSERT_TRUE(real.writeString(name, "S", "k", "v"));
  ASSERT_TRUE(headless->writeString(name, "S", "k", "v"));
  const std::string inWindows = real.windowsDirectory() + "\\" + name;
  EXPECT_EQ(Bytes(*headless->realPath(headless->windowsDirectory() + "\\" + name)),
            Bytes(inWindows));
  EXPECT_TRUE(real.deleteFile(inWindows));
  EXPECT_FALSE(real.writeString(RealName("no-folder\\X.INI"), "S", std::nullopt, std::nullopt));
  EXPECT_FALSE(
      headless->writeString(FakeName("no-folder\\X.INI"), "S", std::nullopt, std::nullopt));
}

TEST_F(ProfileTest, FileHelpersAgree) {
  for (Profile* profile : {static_cast<Profile*>(&real), static_cast<Profile*>(&*headless)}) {
    const bool isReal = profile == &real;
    const auto at = [&](const std::string& name) {
      return isReal ? RealName(name) : FakeName(name);
    };
    const auto setAttributes = [&](const std::string& name, DWORD attributes) {
      const std::string host =
          isReal ? RealName(name) : headless->realPath(FakeName(name))->string();
      SetFileAttributesA(host.c_str(), attributes);
    };
    SCOPED_TRACE(isReal ? "system" : "in-memory");
    EXPECT_TRUE(profile->createFolder(at("Sub")));
    EXPECT_TRUE(profile->createFolder(at("Sub")));
    EXPECT_TRUE(profile->folderWritable(at("Sub")));
    EXPECT_FALSE(profile->folderWritable(at("None")));
    EXPECT_TRUE(profile->writeString(at("Sub\\A.INI"), "S", "k", "a"));
    EXPECT_TRUE(profile->copyFile(at("Sub\\A.INI"), at("Sub\\B.INI")));
    EXPECT_TRUE(profile->writeString(at("Sub\\B.INI"), "S", "k", "b"));
    EXPECT_TRUE(profile->replaceFile(at("Sub\\B.INI"), at("Sub\\A.INI")));
    EXPECT_FALSE(profile->fileExists(at("Sub\\B.INI")));
    EXPECT_FALSE(profile->fileExists(at("Sub")));
    EXPECT_EQ(profile->readString(at("Sub\\A.INI"), "S", "k", "", 64), "b");
    EXPECT_FALSE(profile->fileReadOnly(at("Sub\\A.INI")));
    setAttributes("Sub\\A.INI", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(profile->fileReadOnly(at("Sub\\A.INI")));
    EXPECT_FALSE(profile->fileReadOnly(at("Sub")));
    setAttributes("Sub\\A.INI", FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(profile->copyFile(at("Sub\\B.INI"), at("Sub\\C.INI")));
    EXPECT_TRUE(profile->deleteFile(at("Sub\\A.INI")));
    EXPECT_FALSE(profile->deleteFile(at("Sub\\A.INI")));
    EXPECT_FALSE(profile->fileExists(at("Sub\\A.INI")));
  }
  const auto appData = real.appDataFolder();
  ASSERT_TRUE(appData);
  EXPECT_TRUE(real.folderWritable(*appData));
}

}  // namespace
}  // namespace platform::win32
