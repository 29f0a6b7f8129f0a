#pragma once
// The seam to the shell's open call, the clipboard's text and the start at log-in.

#include <optional>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// Show commands, with the values the system gives them.
namespace sw {
inline constexpr int kShowNormal = 1;
}  // namespace sw

class Shell {
 public:
  virtual ~Shell() = default;

  // ShellExecute with the verb, the file, no parameters and no working directory. The
  // shell starts whatever program it has for the file and does not wait for it; true when
  // it did (the call returned more than 32).
  virtual bool execute(Handle owner, const std::string& verb, const std::string& file,
                       int showCommand) = 0;

  // The clipboard opened with the owner window and emptied once, then the text handed over
  // as Unicode text, up to its first zero, and closed; what was there is gone.
  // False when another window holds the clipboard open.
  virtual bool setClipboardText(Handle owner, const std::string& text) = 0;
  // The clipboard's text, up to its first zero; nothing when it holds none.
  virtual std::optional<std::string> clipboardText(Handle owner) = 0;

  // Whether the system starts the running program when the user logs in: the entry of that
  // name is there and names this program.
  virtual bool startsAtLogIn(const std::string& name) = 0;
  // Makes or removes the entry; false when the system refuses.
  virtual bool setStartAtLogIn(const std::string& name, bool start) = 0;
};

using ShellScope = ServiceScope<Shell>;
// The shell of the system the program runs on, installed like the desktop.
inline Shell& shell() {
  return ServiceScope<Shell>::get();
}

}  // namespace platform
