#pragma once
// The shell on a Linux desktop: a link opens through the desktop's handler for its kind,
// the clipboard is Qt's, and the start at log-in is an XDG autostart entry.

#include "platform/Shell.h"
#include "platform/linux/LinuxAutostart.h"

namespace platform::linuxdesktop {

class QtShell final : public Shell {
 public:
  // Any verb opens: the desktop's handlers know no other.
  bool execute(Handle owner, const std::string& verb, const std::string& file,
               int showCommand) override;
  bool setClipboardText(Handle owner, const std::string& text) override;
  std::optional<std::string> clipboardText(Handle owner) override;
  bool startsAtLogIn(const std::string& name) override { return autostart_.startsAtLogIn(name); }
  bool setStartAtLogIn(const std::string& name, bool start) override {
    return autostart_.setStartAtLogIn(name, start);
  }

 private:
  LinuxAutostart autostart_;
};

}  // namespace platform::linuxdesktop
