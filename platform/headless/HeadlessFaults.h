#pragma once
// Failures of the in-memory system, one plan for all its services: the calls that can fail
// are counted from 1 in the order they are made, and those whose numbers the plan names are
// refused. A refused call does nothing and answers as the system's own call does when it
// fails.

#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "platform/ServiceScope.h"

namespace platform::headless {

// The calls that a plan can refuse, by what they do. A device command is any but open, play
// and close; a folder dialog call is a special folder's item, the dialog or an item's path.
enum class Call {
  ProfileRead,
  ProfileWrite,
  CreateFolder,
  CopyFile,
  ReplaceFile,
  DeleteFile,
  EnterDirectory,
  ReadDirectory,
  OpenDevice,
  PlayDevice,
  CloseDevice,
  DeviceCommand,
  StartTimer,
  CreateWindow,
  AddAtom,
  TaskAllocator,
  TaskMemory,
  FolderDialog,
  ShellOpen,
  Clipboard,
  SimpleSound,
  LogInEntry
};

// The in-memory services consult the plan while it lives; its scope keeps it from being copied.
class HeadlessFaults {
 public:
  static constexpr std::uint64_t kEvery = std::numeric_limits<std::uint64_t>::max();

  // From now on, counts the calls of these kinds (of every kind when none is named) and
  // refuses those numbered `first` to `last`.
  void refuse(std::set<Call> kinds, std::uint64_t first = 1, std::uint64_t last = kEvery);
  // Refuses nothing more; counts every call from now on.
  void refuseNothing() { refuse({}, kEvery, 0); }

  // Counts a call; true when the system refuses it.
  bool refuses(Call call);
  std::uint64_t counted() const { return counted_; }
  // The calls refused since the plan was made, in order.
  const std::vector<Call>& refused() const { return refused_; }

 private:
  std::set<Call> kinds_;
  std::uint64_t first_ = kEvery;
  std::uint64_t last_ = 0;
  std::uint64_t counted_ = 0;
  std::vector<Call> refused_;
  ServiceScope<HeadlessFaults> scope_{*this};
};

// Whether the newest living plan refuses this call; with none, nothing is refused.
bool Refused(Call call);

}  // namespace platform::headless
