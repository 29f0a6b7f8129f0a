#pragma once
// The user's folders by the XDG base-directory rules: a variable counts only when it holds an
// absolute path.

#include <cstdlib>
#include <string>

namespace platform::linuxdesktop {

// $XDG_CONFIG_HOME, else ~/.config.
inline std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config";
}

// $XDG_RUNTIME_DIR, private to the user's session, else /tmp.
inline std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
}

}  // namespace platform::linuxdesktop
