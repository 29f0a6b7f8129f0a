#pragma once
// Names as the system matches them against patterns, and as the program and the host name
// them.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/LetterCase.h"

namespace platform::portable {

// '*' matches any run of characters and '?' any one. On a mismatch only the last '*' takes
// one character more, which keeps a pattern of many '*' from trying every split of the name.
inline bool Glob(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern != '\0' && (*pattern == '?' || UpperAZ(*pattern) == UpperAZ(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// As the system matches: a trailing ".*" also matches a name without extension. Letter case
// never counts, in either grammar, so that "*.wav" finds "BELL.WAV" where names are
// case-sensitive too.
inline bool MatchesPattern(const std::string& pattern, const std::string& name) {
  if (Glob(pattern.c_str(), name.c_str())) return true;
  return pattern.ends_with(".*") &&
         Glob(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
}

// A name as the program holds it, in UTF-8, for the host's file system, and back. On a
// Windows host a path made of plain chars is in the code page, so names go through char8_t.
inline std::filesystem::path HostName(std::string_view utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

inline std::string ProgramName(const std::filesystem::path& name) {
  const std::u8string utf8 = name.u8string();
  return {utf8.begin(), utf8.end()};
}

}  // namespace platform::portable
