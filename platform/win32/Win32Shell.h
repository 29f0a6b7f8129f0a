#pragma once
// The shell's open call and the clipboard's text.

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
 public:
  bool execute(Handle owner, const std::string& verb, const std::string& file,
               int showCommand) override;
  bool setClipboardText(Handle owner, const std::string& text) override;
  std::optional<std::string> clipboardText(Handle owner) override;
};

}  // namespace platform::win32
