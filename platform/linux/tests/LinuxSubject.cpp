// The Linux desktop's services under the desktop contract, on the host's own files and the
// sound server.
#include <mutex>
#include <thread>

#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxGlobalAtoms.h"
#include "platform/linux/LinuxMedia.h"
#include "platform/linux/LinuxProfile.h"
#include "platform/tests/DesktopContract.h"

namespace platform::contract {
namespace {

// A file is hidden by a name that starts with a dot, which the contract's hidden file has.
class LinuxSubject final : public Subject {
 public:
  FileSystem& fileSystem() override { return files_; }
  Profile& profile() override { return profile_; }
  GlobalAtoms& atoms() override { return atoms_; }
  std::string folder() override { return folder_.path().string(); }
  std::filesystem::path hostFolder() override { return folder_.path(); }
  void setAttributes(const std::string&, std::uint32_t) override {}
  bool utf8Settings() override { return true; }

 private:
  HostFolder folder_;
  HostFolder atomFolder_;
  linuxdesktop::LinuxFileSystem files_;
  linuxdesktop::LinuxProfile profile_;
  linuxdesktop::LinuxGlobalAtoms atoms_{atomFolder_.path().string()};
};

std::unique_ptr<Subject> makeLinux() {
  return std::make_unique<LinuxSubject>();
}

INSTANTIATE_TEST_SUITE_P(Linux, DesktopContract, ::testing::Values(&makeLinux));

// The devices post their notices from the thread that plays, too.
class LinuxSounds final : public Sounds {
 public:
  Media& media() override { return media_; }
  Handle window() override { return 1; }
  void pass(std::chrono::milliseconds time) override { std::this_thread::sleep_for(time); }
  Notices notices() override {
    const std::scoped_lock hold(lock_);
    return notices_;
  }

 private:
  std::mutex lock_;
  Notices notices_;
  linuxdesktop::LinuxMedia media_{
      [this](Handle, unsigned message, std::uintptr_t how, std::intptr_t device) {
        const std::scoped_lock hold(lock_);
        if (message == mci::kNotifyMessage) notices_.emplace_back(how, device);
        return true;
      }};
};

std::unique_ptr<Sounds> makeSounds() {
  return std::make_unique<LinuxSounds>();
}

INSTANTIATE_TEST_SUITE_P(Linux, MediaContract, ::testing::Values(&makeSounds));

}  // namespace
}  // namespace platform::contract
