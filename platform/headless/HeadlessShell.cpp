#include "platform/headless/HeadlessShell.h"

namespace platform::headless {

bool HeadlessShell::execute(Handle owner, const std::string& verb, const std::string& file,
                            int showCommand) {
  executions.push_back({owner, verb, file, showCommand});
  return true;
}

bool HeadlessShell::setClipboardText(Handle owner, const std::string& text) {
  clipboardOwners.push_back(owner);
  // The system keeps the text up to its terminating zero.
  clipboard_ = text.substr(0, text.find('\0'));
  return true;
}

std::optional<std::string> HeadlessShell::clipboardText(Handle /*owner*/) {
  return clipboard_;
}

}  // namespace platform::headless
