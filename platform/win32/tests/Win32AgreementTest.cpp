// The system's services against the in-memory desktop's: the same calls through both must
// give the same answers and leave the same bytes. Also the file list's glyphs as the
// resources hold them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32GlobalAtoms.h"
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

// A folder in the temp directory, which the in-memory file system presents as C:\.
class FileSystemTest : public ::testing::Test {
 protected:
  FileSystemTest() {
    std::filesystem::create_directories(folder + "\\Sub");
    for (const char* file : {"a.wav", "h.wav", "s.wav", "r.wav", "README", "Sub\\d.wav"}) {
      std::ofstream(folder + "\\" + file) << "RIFF";
    }
    for (const auto& [file, bit] : {std::pair{"h.wav", FILE_ATTRIBUTE_HIDDEN},
                                    {"s.wav", FILE_ATTRIBUTE_SYSTEM},
                                    {"r.wav", FILE_ATTRIBUTE_READONLY}}) {
      SetFileAttributesA((folder + "\\" + file).c_str(), bit | FILE_ATTRIBUTE_ARCHIVE);
    }
    headless.mapRoot("C:", std::filesystem::path(folder).parent_path());
    headless.setAttributes(inMemory + "\\h.wav", fileattr::kHidden);
    headless.setAttributes(inMemory + "\\s.wav", fileattr::kSystem);
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
    ASSERT_EQ(headless.setCurrentDirectory(inMemory), 0u);
  }

  Win32FileSystem real;
  headless::HeadlessFileSystem headless;
  const std::string folder = tempName("wumpex-fs-");
  const std::string inMemory = "C:\\" + std::filesystem::path(folder).filename().string();
  const std::string saved = real.currentDirectory();
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

// The system's codes, and the current directory spelt as given.
TEST_F(FileSystemTest, EnteringGivesTheSystemsCodesAndKeepsTheGivenSpelling) {
  const std::pair<const char*, unsigned> cases[] = {
      {"Sub", 0},     {"sub", 0}, {"Sub\\..\\SUB\\.", 0}, {"missing", 2}, {"missing\\deeper", 3},
      {"a.wav", 267}, {"", 123}};
  for (const auto& [path, code] : cases) {
    SCOPED_TRACE(path);
    Enter();
    EXPECT_EQ(real.setCurrentDirectory(path), code);
    EXPECT_EQ(headless.setCurrentDirectory(path), code);
    EXPECT_EQ(real.currentDirectory().substr(folder.size()),
              headless.currentDirectory().substr(inMemory.size()));
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
    EXPECT_EQ(headless.readString(FakeName("R.INI"), r.section, r.key, r.fallback, r.size),
              real.readString(RealName("R.INI"), r.section, r.key, r.fallback, r.size))
        << r.section << "/" << r.key.value_or("(none)") << " size " << r.size;
  }
  EXPECT_EQ(headless.readString(FakeName("NONE.INI"), "S", "k", "\"d\"  ", 64),
            real.readString(RealName("NONE.INI"), "S", "k", "\"d\"  ", 64));
}

// The first write leaves a missing file missing.
TEST_F(ProfileTest, WritesAsTheSystemWrites) {
  const Text none = std::nullopt;
  ExpectSameWrites("W.INI", {{"Main", none, none},
                             {"Main", "k", none},
                             {"One", "a", "1"},
                             {"One", "b", "  two  "},
                             {"Two", "c", "3"},
                             {"one", "A", "x"},
                             {"one", "a", "x"},
                             {"Three", "d", ""},
                             {" New ", " k ", "v"},
                             {"One", none, none},
                             {"Two", "c", none},
                             {"Two", "e", "5"},
                             {"Absent", none, none},
                             {"Two", none, none},
                             {"Three", none, none},
                             {"new", none, none}});
  Put("M.INI", kMessy);
  ExpectSameWrites("M.INI", {{"Absent", none, none},
                             {"Main", "absent", none},
                             {"Main", "key", "\" q \""},
                             {" Main ", none, none},
                             {"MAIN", "z", none},
                             {"main", "noequals", "v"},
                             {"main", none, none},
                             {"Other", "y", "2"}});
}

// On a Western code page: the file keeps its encoding while every text fits the code page;
// a text that does not turns it into UTF-16 with a byte-order mark, and nothing is lost. A
// value cut to its buffer ends between characters.
TEST_F(ProfileTest, AFileStaysAnsiUntilATextNeedsMore) {
  ASSERT_EQ(GetACP(), 1252u) << "the test needs a Western code page";
  const std::string cafe = "caf\xC3\xA9";
  const std::string cyrillic = "C:\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA";
  const std::string emoji = "a\xF0\x9F\x94\x94";
  Put("E.INI", "[S]\r\nfolder=C:\\caf\xE9\r\n");
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

TEST_F(ProfileTest, BareNamesLiveInTheWindowsDirectory) {
  const std::string name = "WUMPEX-PROFILE-TEST.INI";
  ASSERT_TRUE(real.writeString(name, "S", "k", "v"));
  ASSERT_TRUE(headless.writeString(name, "S", "k", "v"));
  const std::string inWindows = real.bareNameFolder() + "\\" + name;
  EXPECT_EQ(Bytes(*headless.realPath(headless.bareNameFolder() + "\\" + name)), Bytes(inWindows));
  EXPECT_TRUE(real.deleteFile(inWindows));
  EXPECT_FALSE(real.writeString(RealName("no-folder\\X.INI"), "S", std::nullopt, std::nullopt));
  EXPECT_FALSE(headless.writeString(FakeName("no-folder\\X.INI"), "S", std::nullopt, std::nullopt));
}

TEST_F(ProfileTest, FileHelpersAgree) {
  for (Profile* profile : {static_cast<Profile*>(&real), static_cast<Profile*>(&headless)}) {
    const bool isReal = profile == &real;
    SCOPED_TRACE(isReal ? "system" : "in-memory");
    const auto at = [&](const std::string& name) {
      return isReal ? RealName(name) : FakeName(name);
    };
    const auto setAttributes = [&](const std::string& name, DWORD attributes) {
      const std::string host =
          isReal ? RealName(name) : headless.realPath(FakeName(name))->string();
      SetFileAttributesA(host.c_str(), attributes);
    };
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

// The same adds, finds and deletes through both atom tables. An atom is told by whether it is
// none, or the one that the last add of the name it stands for gave; a delete takes away a
// reference to that one.
TEST(GlobalAtomsTest, TheInMemoryTableAnswersAsTheSystemsDoes) {
  const std::string name = "WumpexAtomTest" + std::to_string(GetCurrentProcessId());
  std::string lower = name;
  CharLowerA(lower.data());
  const std::string longest =
      "WumpexLongest" + std::to_string(GetCurrentProcessId()) + std::string(230, 'n');
  const std::string longer = name + std::string(256 - name.size(), 'n');
  // Call (add, find or remove), name, and the name it stands for.
  const std::tuple<char, std::string, std::string> steps[] = {
      {'f', name, name},       {'a', name, name},       {'a', name, name},
      {'r', name, name},       {'f', name, name},       {'f', lower, name},
      {'r', name, name},       {'f', name, name},       {'r', name, name},
      {'a', "", ""},           {'a', longer, longer},   {'f', longer, longer},
      {'a', longest, longest}, {'f', longest, longest}, {'r', longest, longest},
      {'f', longest, longest}};
  const auto run = [&](GlobalAtoms& atoms) {
    std::map<std::string, Atom> lastAdds;
    std::vector<std::string> answers;
    for (const auto& [call, given, standsFor] : steps) {
      Atom& known = lastAdds[standsFor];
      if (call == 'r') {
        answers.push_back(atoms.remove(known) ? "removed" : "not removed");
        continue;
      }
      const Atom atom = call == 'a' ? atoms.add(given) : atoms.find(given);
      answers.push_back(call + std::string(atom == 0 ? " none" : atom == known ? " same" : " new"));
      if (call == 'a' && atom != 0) known = atom;
    }
    return answers;
  };
  Win32GlobalAtoms real;
  headless::HeadlessGlobalAtoms inMemory;
  const std::vector<std::string> system = run(real);
  EXPECT_EQ(run(inMemory), system);
  EXPECT_EQ(system[1], "a new") << "the system's table takes the name";
}

}  // namespace
}  // namespace platform::win32
