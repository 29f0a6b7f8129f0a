// The Windows desktop under the desktop contract: its services on the system's own files, and
// its windows.
#include <windows.h>

#include "platform/tests/DesktopContract.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32GlobalAtoms.h"
#include "platform/win32/Win32Profile.h"

namespace platform::contract {
namespace {

class Win32Subject final : public Subject {
 public:
  FileSystem& fileSystem() override { return files_; }
  Profile& profile() override { return profile_; }
  GlobalAtoms& atoms() override { return atoms_; }
  std::string folder() override { return folder_.path().string(); }
  std::filesystem::path hostFolder() override { return folder_.path(); }
  void setAttributes(const std::string& name, std::uint32_t bits) override {
    SetFileAttributesW((folder_.path() / name).c_str(), bits | FILE_ATTRIBUTE_ARCHIVE);
  }

 private:
  HostFolder folder_;
  win32::Win32FileSystem files_;
  win32::Win32Profile profile_;
  win32::Win32GlobalAtoms atoms_;
};

std::unique_ptr<Subject> makeWin32() {
  return std::make_unique<Win32Subject>();
}

INSTANTIATE_TEST_SUITE_P(Win32, DesktopContract, ::testing::Values(&makeWin32));

std::unique_ptr<Desktop> makeDesktop() {
  return std::make_unique<win32::Win32Desktop>();
}

INSTANTIATE_TEST_SUITE_P(Win32, WindowContract, ::testing::Values(&makeDesktop));

}  // namespace
}  // namespace platform::contract
