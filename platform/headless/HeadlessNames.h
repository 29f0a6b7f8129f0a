#pragma once
// Names as the system compares them: ASCII letters match in either case, nothing else folds.

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform::headless {

inline char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Upper(x) == Upper(y); });
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

}  // namespace platform::headless
