#pragma once
// Letter case as the system folds it in names, and as the program folds it in patterns and
// keys: a to z only, with no locale consulted, so accented letters keep their case.

#include <algorithm>
#include <string>
#include <string_view>

namespace platform {

inline char UpperAZ(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperCase(std::string text) {
  for (char& c : text) c = UpperAZ(c);
  return text;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return UpperAZ(x) == UpperAZ(y); });
}

}  // namespace platform
