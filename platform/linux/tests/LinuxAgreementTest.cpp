#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/linux/LinuxAutostart.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxGlobalAtoms.h"
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

TEST_F(FileSystemTest, ARemovedCurrentDirectoryGivesWayToOneThatExists) {
  ASSERT_NO_FATAL_FAILURE(EnterSounds());
  ASSERT_EQ(host.setCurrentDirectory("Sub"), 0u);
  fs::remove(root.path() / "Sounds/Sub/d.wav");
  fs::remove(root.path() / "Sounds/Sub");
  const std::string current = host.currentDirectory();
  EXPECT_EQ(host.setCurrentDirectory(current), 0u) << "\"" << current << "\"";
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

// Names, references and refusals count as in the model.
TEST(GlobalAtomsTest, ReferencesAgree) {
  const wumpex::TempFolder folder;
  LinuxGlobalAtoms host{folder.path().string()};
  headless::HeadlessGlobalAtoms model;
  const std::string marker = "OnlyOneWumpex! 1.11";
  const std::string other = "onlyonewumpex! 1.11";
  std::vector<bool> hostSteps;
  std::vector<bool> modelSteps;
  for (GlobalAtoms* atoms : {static_cast<GlobalAtoms*>(&host), static_cast<GlobalAtoms*>(&model)}) {
    std::vector<bool>& steps = atoms == &host ? hostSteps : modelSteps;
    const Atom first = atoms->add(marker);
    steps = {first != 0,
             atoms->find(other) == first,
             atoms->add(other) == first,
             atoms->remove(first),
             atoms->find(marker) != 0,
             atoms->remove(first),
             atoms->find(marker) != 0,
             atoms->remove(first),
             atoms->add("") != 0,
             atoms->add(std::string(256, 'a')) != 0,
             atoms->add("a/b") != 0};
  }
  EXPECT_EQ(hostSteps, modelSteps);
  EXPECT_EQ(hostSteps, (std::vector<bool>{true, true, true, true, true, true, false, false, false,
                                          false, true}));
}

// Another process's marker is seen while it runs, and gone once it is killed: no marker
// outlives a crash.
TEST(GlobalAtomsTest, TheKernelGivesUpACrashedProcesssReferences) {
  const wumpex::TempFolder folder;
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    LinuxGlobalAtoms atoms{folder.path().string()};
    const char held = atoms.add("OnlyOneWumpex! 1.11") != 0 ? 'y' : 'n';
    static_cast<void>(write(ready[1], &held, 1));
    for (;;) pause();
  }
  // Killed and reaped however the test ends.
  std::unique_ptr<const pid_t, void (*)(const pid_t*)> reaped(&child, [](const pid_t* pid) {
    kill(*pid, SIGKILL);
    waitpid(*pid, nullptr, 0);
  });
  char held = 0;
  ASSERT_EQ(read(ready[0], &held, 1), 1);
  close(ready[0]);
  close(ready[1]);
  LinuxGlobalAtoms atoms{folder.path().string()};
  EXPECT_EQ(held, 'y');
  EXPECT_NE(atoms.find("OnlyOneWumpex! 1.11"), 0);
  EXPECT_FALSE(atoms.remove(atoms.find("OnlyOneWumpex! 1.11"))) << "another process's reference";
  reaped.reset();
  EXPECT_EQ(atoms.find("OnlyOneWumpex! 1.11"), 0);
}

// The entry a session starts: written whole, read back, and counted only when it names this
// program and is not hidden.
TEST(AutostartTest, TheEntryNamesThisProgram) {
  const wumpex::TempFolder config;
  const Environment xdg{"XDG_CONFIG_HOME", config.path().string()};
  const fs::path entry = config.path() / "autostart" / "Wumpex!.desktop";
  const std::string program = "/opt/my \"sounds\"/wumpex";
  const LinuxAutostart autostart{program};
  EXPECT_FALSE(autostart.startsAtLogIn("Wumpex!"));
  ASSERT_TRUE(autostart.setStartAtLogIn("Wumpex!", true));
  EXPECT_EQ(Bytes(entry),
            "[Desktop Entry]\nType=Application\nName=Wumpex!\n"
            "Exec=\"/opt/my \\\"sounds\\\"/wumpex\"\nTerminal=false\n");
  const std::pair<std::string, bool> found[] = {
      {"Exec=/opt/other/wumpex\n", false},
      {"Exec=/usr/bin/wumpex --quiet\n", true},
      {"Exec=\"/usr/bin/wumpex\"\nHidden=true\n", false},
  };
  for (const auto& [lines, counts] : found) {
    std::ofstream(entry) << "[Desktop Entry]\nType=Application\n" << lines;
    EXPECT_EQ(LinuxAutostart("/usr/bin/wumpex").startsAtLogIn("Wumpex!"), counts) << lines;
  }
  EXPECT_TRUE(autostart.setStartAtLogIn("Wumpex!", false));
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(autostart.setStartAtLogIn("Wumpex!", false)) << "nothing to remove";
  // A file where the folder should be refuses the entry.
  fs::remove_all(config.path() / "autostart");
  std::ofstream(config.path() / "autostart") << "";
  EXPECT_FALSE(autostart.setStartAtLogIn("Wumpex!", true));
}

}  // namespace
}  // namespace platform::linuxdesktop
