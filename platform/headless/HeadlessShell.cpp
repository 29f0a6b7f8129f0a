#include "platform/headless/HeadlessShell.h"

#include "platform/headless/HeadlessFaults.h"

namespace platform::headless {

bool HeadlessShell::execute(Handle owner, const std::string& verb, const std::string& file,
                            int showCommand) {
  if (Refused(Call::ShellOpen)) return false;
  executions.push_back({owner, verb, file, showCommand});
  return true;
}

bool HeadlessShell::setClipboardText(Handle owner, const std::string& text) {
  if (Refused(Call::Clipboard)) return false;
  clipboardOwners.push_back(owner);
  // The system keeps the text up to its terminating zero.
  clipboard_ = text.substr(0, text.find('\0'));
  return true;
}

std::optional<std::string> HeadlessShell::clipboardText(Handle /*owner*/) {
  if (Refused(Call::Clipboard)) return std::nullopt;
  return clipboard_;
}

bool HeadlessShell::setStartAtLogIn(const std::string& /*name*/, bool start) {
  if (Refused(Call::LogInEntry)) return false;
  logInEntry = start;
  return true;
}

}  // namespace platform::headless
