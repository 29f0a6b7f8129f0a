// The Linux desktop's services under the desktop contract, on the host's own files.
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxGlobalAtoms.h"
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

}  // namespace
}  // namespace platform::contract
