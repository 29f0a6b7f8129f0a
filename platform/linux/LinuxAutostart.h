#pragma once
// The start at log-in as desktop sessions keep it: an entry named after the program in the
// user's autostart folder, $XDG_CONFIG_HOME/autostart or ~/.config/autostart, whose Exec line
// starts the running program. An entry counts when it is not hidden and names this program,
// quoted or not.

#include <string>

namespace platform::linuxdesktop {

class LinuxAutostart {
 public:
  // For the program at `program`, by default the running one.
  explicit LinuxAutostart(std::string program = RunningProgram());

  bool startsAtLogIn(const std::string& name) const;
  // Writes the entry whole, or removes it; false when the folder or the file refuses.
  bool setStartAtLogIn(const std::string& name, bool start) const;

  static std::string RunningProgram();

 private:
  std::string entryFile(const std::string& name) const;

  std::string program_;
};

}  // namespace platform::linuxdesktop
