#pragma once
// What every desktop must answer the same way, written once: the rows live in
// DesktopContractTest.cpp, and each desktop's test program instantiates them with a subject
// of its own:
//   INSTANTIATE_TEST_SUITE_P(Name, DesktopContract, ::testing::Values(&makeSubject));
// and, where it has windows of its own,
//   INSTANTIATE_TEST_SUITE_P(Name, WindowContract, ::testing::Values(&makeDesktop));

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/Atoms.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "tests/HeadlessServices.h"

namespace platform::contract {

// A new folder under the host's temporary one, removed with its contents.
using HostFolder = wumpex::TempFolder;

// One desktop's services, made afresh for each test, with a folder of the test's own that
// they name `folder()` and the host names `hostFolder()`.
class Subject {
 public:
  virtual ~Subject() = default;
  virtual FileSystem& fileSystem() = 0;
  virtual Profile& profile() = 0;
  virtual GlobalAtoms& atoms() = 0;
  virtual std::string folder() = 0;
  virtual std::filesystem::path hostFolder() = 0;
  // Sets the hidden and system bits of a file in the folder, where the desktop keeps them.
  virtual void setAttributes(const std::string& name, std::uint32_t bits) = 0;
};

using MakeSubject = std::unique_ptr<Subject> (*)();

class DesktopContract : public ::testing::TestWithParam<MakeSubject> {
 protected:
  ~DesktopContract() override;
  // The folder then holds sounds, one read-only and one hidden, a text and a sub-folder, and
  // is the current directory.
  void FillSounds();
  void Enter() { ASSERT_EQ(files.setCurrentDirectory(subject->folder()), 0u); }
  // A name in the folder as the services name it; a path written with "/" in the desktop's
  // separator.
  std::string At(const std::string& name) const { return subject->folder() + Native("/" + name); }
  std::string Native(std::string path) const;
  std::string Bytes(const std::string& name) const;
  void Put(const std::string& name, const std::string& content) const;

  std::unique_ptr<Subject> subject = GetParam()();
  FileSystem& files = subject->fileSystem();
  Profile& profile = subject->profile();
  const bool caseSensitive = files.grammar().caseSensitive;
};

// The desktop's loops, timers and windows; each test gets a new desktop.
using MakeDesktop = std::unique_ptr<Desktop> (*)();

class WindowContract : public ::testing::TestWithParam<MakeDesktop> {
 protected:
  std::unique_ptr<Desktop> desktop = GetParam()();
};

}  // namespace platform::contract
