// The Linux desktop's services where Linux differs from Windows: the removed current
// directory, the configuration folder, markers that die with their process and
// the session's autostart entry. Each test sets the environment variables that it reads.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

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

// Linux lets a program's current directory be removed, which Windows does not.
TEST(FileSystemTest, ARemovedCurrentDirectoryGivesWayToOneThatExists) {
  const std::string start = fs::current_path().string();
  const wumpex::TempFolder root;
  fs::create_directory(root.path() / "Sub");
  LinuxFileSystem host;
  ASSERT_EQ(host.setCurrentDirectory((root.path() / "Sub").string()), 0u);
  fs::remove(root.path() / "Sub");
  const std::string current = host.currentDirectory();
  EXPECT_EQ(host.setCurrentDirectory(current), 0u) << "\"" << current << "\"";
  EXPECT_EQ(host.setCurrentDirectory(start), 0u);
}

// A bare name's file is in the configuration folder.
TEST(ProfileTest, ABareNamesFileIsInTheConfigurationFolder) {
  const wumpex::TempFolder config;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  fs::create_directories(config.path() / "wumpex");
  ASSERT_TRUE(LinuxProfile().writeString("W.INI", "S", "k", "v"));
  EXPECT_EQ(Bytes(config.path() / "wumpex" / "W.INI"), "[S]\r\nk=v\r\n");
}

TEST(ConfigFolderTest, FollowsTheBaseDirectoryRules) {
  setenv("HOME", "/home/ann", 1);
  const std::pair<Text, std::string> cases[] = {
      {std::nullopt, "/home/ann/.config/wumpex"},
      {"", "/home/ann/.config/wumpex"},
      {"relative/config", "/home/ann/.config/wumpex"},
      {"/srv/config", "/srv/config/wumpex"},
  };
  for (const auto& [xdg, folder] : cases) {
    xdg ? setenv("XDG_CONFIG_HOME", xdg->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(LinuxProfile().bareNameFolder(), folder) << xdg.value_or("(unset)");
  }
}

// Another process's marker is seen while it runs, and gone once it is killed: no marker
// outlives a crash.
TEST(GlobalAtomsTest, TheKernelGivesUpACrashedProcesssReferences) {
  const wumpex::TempFolder folder;
  const char* name = "OnlyOneWumpex! 1.11";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    LinuxGlobalAtoms held{folder.path().string()};
    held.add(name);
    for (;;) pause();
  }
  // Killed and reaped however the test ends.
  std::unique_ptr<const pid_t, void (*)(const pid_t*)> reaped(&child, [](const pid_t* pid) {
    kill(*pid, SIGKILL);
    waitpid(*pid, nullptr, 0);
  });
  LinuxGlobalAtoms atoms{folder.path().string()};
  for (int waited = 0; atoms.find(name) == 0 && waited < 500; ++waited) usleep(10'000);
  ASSERT_NE(atoms.find(name), 0) << "the child's marker";
  EXPECT_FALSE(atoms.remove(atoms.find(name))) << "another process's reference";
  reaped.reset();
  EXPECT_EQ(atoms.find(name), 0);
}

// The entry a session starts: written whole, read back, and counted only when it names this
// program and is not hidden.
TEST(AutostartTest, TheEntryNamesThisProgram) {
  const wumpex::TempFolder config;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
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
