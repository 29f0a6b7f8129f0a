#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxProfile.h"
#include "tests/HeadlessServices.h"

namespace platform::linuxdesktop {
namespace {

namespace fs = std::filesystem;
using Text = std::optional<std::string>;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

// Sets an environment variable, or unsets it, for the scope.
class Environment {
 public:
  Environment(const char* name, const Text& value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }
  ~Environment() { previous_ ? setenv(name_, previous_->c_str(), 1) : unsetenv(name_); }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

 private:
  const char* name_;
  Text previous_;
};

// One folder seen by both: the host's files from within it, and the in-memory desktop's POSIX
// file system with the folder as its root. The host's current directory comes back at the end.
class FileSystemTest : public ::testing::Test {
 protected:
  FileSystemTest() {
    for (const char* name : {"Sounds/a.wav", "Sounds/B.WAV", "Sounds/.quiet.wav", "Sounds/ro.wav",
                             "Sounds/notes.txt", "Sounds/Sub/d.wav"}) {
      fs::create_directories((root.path() / name).parent_path());
      std::ofstream(root.path() / name) << "RIFF";
    }
    fs::permissions(root.path() / "Sounds/ro.wav", fs::perms::owner_write,
                    fs::perm_options::remove);
    headless.mapRoot("/", root.path());
  }
  ~FileSystemTest() override { static_cast<void>(chdir(start.c_str())); }

  // Both in the folder Sounds.
  void EnterSounds() {
    ASSERT_EQ(host.setCurrentDirectory((fs::canonical(root.path()) / "Sounds").string()), 0u);
    ASSERT_EQ(headless.setCurrentDirectory("/Sounds"), 0u);
  }

  const std::string start = fs::current_path().string();
  wumpex::TempFolder root;
  LinuxFileSystem host;
  headless::HeadlessFileSystem headless{kPosixPaths};
};

TEST_F(FileSystemTest, SearchesAndAttributesAgree) {
  ASSERT_NO_FATAL_FAILURE(EnterSounds());
  for (const char* pattern :
       {"*.wav", "*.WAV", "*", "?.wav", "Sub/*", "*.*", "notes", "none*", "Sub/", "Gone/*"}) {
    auto mine = host.findFiles(pattern);
    auto model = headless.findFiles(pattern);
    std::ranges::sort(mine);
    std::ranges::sort(model);
    EXPECT_EQ(mine, model) << pattern;
  }
  for (const char* path :
       {"a.wav", ".quiet.wav", "ro.wav", "Sub", "Sub/d.wav", "gone", "sub", ""}) {
    EXPECT_EQ(host.fileAttributes(path), headless.fileAttributes(path)) << path;
  }
}

TEST_F(FileSystemTest, EnteringAgrees) {
  const std::string above = fs::canonical(root.path()).string();
  for (const char* path : {"Sub", "Sub/", "..", "a.wav", "gone", "gone/deeper", "sub", ""}) {
    ASSERT_NO_FATAL_FAILURE(EnterSounds());
    EXPECT_EQ(host.setCurrentDirectory(path), headless.setCurrentDirectory(path)) << path;
    // The model's root is the folder above Sounds.
    const std::string model = headless.currentDirectory();
    EXPECT_EQ(host.currentDirectory(), model == "/" ? above : above + model) << path;
  }
}

// The messy file of the Windows agreement test, in ASCII, where both code pages agree.
const std::string kMessy =
    " [ Main ] \r\n\r\n  Key = \" q \" \r\nKEY=dup\r\nhalf='x\r\npair=\"ab\"\r\nnoequals\r\n"
    ";note=1\r\n[Other]\r\ny=1\r\n[main]\r\nz=2\r\n";

class ProfileTest : public ::testing::Test {
 protected:
  fs::path HostFile(const std::string& name) const { return config.path() / "wumpex" / name; }
  fs::path ModelFile(const std::string& name) const { return drive.path() / "windows" / name; }
  void Put(const std::string& name, const std::string& content) const {
    fs::create_directories(HostFile(name).parent_path());
    std::ofstream(HostFile(name), std::ios::binary) << content;
    std::ofstream(ModelFile(name), std::ios::binary) << content;
  }

  wumpex::TempFolder config;
  wumpex::TempFolder drive;
  Environment xdg{"XDG_CONFIG_HOME", config.path().string()};
  LinuxProfile host;
  headless::HeadlessProfile headless{drive.path()};
};

// Bare names live in the configuration folder on the host, as in the Windows directory in
// the model.
TEST_F(ProfileTest, ReadsAndWritesAgree) {
  Put("R.INI", kMessy);
  const struct {
    const char* section;
    Text key;
    std::uint32_t size;
  } reads[] = {{"main", "key", 64},       {"Main", "half", 64}, {"Main", "pair", 3},
               {"Main", "noequals", 64},  {"Main", "x", 64},    {"Main", std::nullopt, 64},
               {"Main", std::nullopt, 6}, {"Other", "y", 64},   {"Absent", std::nullopt, 64}};
  for (const auto& r : reads) {
    EXPECT_EQ(host.readString("R.INI", r.section, r.key, "d", r.size),
              headless.readString("R.INI", r.section, r.key, "d", r.size))
        << r.section << "/" << r.key.value_or("(none)") << " size " << r.size;
  }
  const struct {
    const char* section;
    Text key;
    Text value;
  } writes[] = {{"Main", "key", "\" q \""},
                {"One", "a", "  two  "},
                {"main", "noequals", "v"},
                {"Other", "y", std::nullopt},
                {"main", std::nullopt, std::nullopt}};
  for (const auto& w : writes) {
    EXPECT_EQ(host.writeString("R.INI", w.section, w.key, w.value),
              headless.writeString("R.INI", w.section, w.key, w.value));
    EXPECT_EQ(Bytes(HostFile("R.INI")), Bytes(ModelFile("R.INI"))) << w.section;
  }
}

// The host's code page is UTF-8: a folder named in any script is written as it stands.
TEST_F(ProfileTest, TextInAnyScriptStaysUtf8) {
  const std::string folder = "/home/\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA";
  Put("W.INI", "[S]\r\nnote=caf\xC3\xA9\r\n");
  ASSERT_TRUE(host.writeString("W.INI", "S", "WAVPath", folder));
  EXPECT_EQ(Bytes(HostFile("W.INI")), "[S]\r\nnote=caf\xC3\xA9\r\nWAVPath=" + folder + "\r\n");
  EXPECT_EQ(host.readString("W.INI", "S", "WAVPath", "", 1024), folder);
}

TEST(ConfigFolderTest, FollowsTheBaseDirectoryRules) {
  const Environment home{"HOME", "/home/ann"};
  const std::pair<Text, std::string> cases[] = {
      {std::nullopt, "/home/ann/.config/wumpex"},
      {"", "/home/ann/.config/wumpex"},
      {"relative/config", "/home/ann/.config/wumpex"},
      {"/srv/config", "/srv/config/wumpex"},
  };
  for (const auto& [xdg, folder] : cases) {
    const Environment config{"XDG_CONFIG_HOME", xdg};
    EXPECT_EQ(LinuxProfile().bareNameFolder(), folder) << xdg.value_or("(unset)");
  }
}

}  // namespace
}  // namespace platform::linuxdesktop
