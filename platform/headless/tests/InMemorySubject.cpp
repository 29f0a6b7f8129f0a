// The in-memory desktop under the desktop contract: drive C: over a folder of the host's, and
// windows on the virtual clock.
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/tests/DesktopContract.h"

namespace platform::contract {
namespace {

class InMemorySubject final : public Subject {
 public:
  InMemorySubject() {
    std::filesystem::create_directories(hostFolder());
    files_.mapRoot("C:", drive_.path());
  }
  FileSystem& fileSystem() override { return files_; }
  Profile& profile() override { return profile_; }
  GlobalAtoms& atoms() override { return atoms_; }
  std::string folder() override { return "C:\\" + name_; }
  std::filesystem::path hostFolder() override { return drive_.path() / name_; }
  void setAttributes(const std::string& name, std::uint32_t bits) override {
    files_.setAttributes(folder() + "\\" + name, bits);
  }

 private:
  HostFolder drive_;
  const std::string name_ = drive_.path().filename().string();
  headless::HeadlessFileSystem files_;
  headless::HeadlessProfile profile_{drive_.path()};
  headless::HeadlessGlobalAtoms atoms_;
};

std::unique_ptr<Subject> makeInMemory() {
  return std::make_unique<InMemorySubject>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, DesktopContract, ::testing::Values(&makeInMemory));

std::unique_ptr<Desktop> makeDesktop() {
  return std::make_unique<headless::HeadlessDesktop>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, WindowContract, ::testing::Values(&makeDesktop));

}  // namespace
}  // namespace platform::contract
