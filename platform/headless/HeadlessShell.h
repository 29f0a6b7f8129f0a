#pragma once
// The shell for tests: it starts nothing, records every open call, and keeps the clipboard's
// text and the entry that starts the program at log-in in memory.

#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform::headless {

class HeadlessShell final : public Shell {
 public:
  struct Execution {
    Handle owner = 0;
    std::string verb;
    std::string file;
    int showCommand = 0;
    bool operator==(const Execution&) const = default;
  };

  bool execute(Handle owner, const std::string& verb, const std::string& file,
               int showCommand) override;
  bool setClipboardText(Handle owner, const std::string& text) override;
  std::optional<std::string> clipboardText(Handle owner) override;
  bool startsAtLogIn(const std::string& /*name*/) override { return logInEntry; }
  bool setStartAtLogIn(const std::string& name, bool start) override;

  std::vector<Execution> executions;
  // The owners with which the clipboard was filled, in order.
  std::vector<Handle> clipboardOwners;
  // Whether the entry is there; a test may remove it as another program would.
  bool logInEntry = false;

 private:
  std::optional<std::string> clipboard_;
};

}  // namespace platform::headless
