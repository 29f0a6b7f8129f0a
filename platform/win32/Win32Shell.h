#pragma once
// The shell's open call, the clipboard's text, and the start at log-in through the user's
// Run key.

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
 public:
  bool execute(Handle owner, const std::string& verb, const std::string& file,
               int showCommand) override;
  bool setClipboardText(Handle owner, const std::string& text) override;
  std::optional<std::string> clipboardText(Handle owner) override;
  bool startsAtLogIn(const std::string& name) override;
  bool setStartAtLogIn(const std::string& name, bool start) override;
};

}  // namespace platform::win32
