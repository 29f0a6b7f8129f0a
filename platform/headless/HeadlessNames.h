#pragma once
// Names as the system compares them: ASCII letters match in either case, nothing else folds.

#include <algorithm>
#include <string_view>

namespace platform::headless {

inline char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Upper(x) == Upper(y); });
}

}  // namespace platform::headless
