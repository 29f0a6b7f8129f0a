#pragma once
// What the fuzz targets share: the input as text, split into pieces, and the check that turns
// a broken expectation into a finding.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace wumpex::fuzz {

// libFuzzer keeps the input that led here as the finding.
inline void Require(bool holds, std::string_view expectation) {
  if (holds) return;
  std::fprintf(stderr, "finding: expected %.*s\n", static_cast<int>(expectation.size()),
               expectation.data());
  std::abort();
}

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The pieces between any of the separators, empty ones included.
inline std::vector<std::string> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
    pieces.emplace_back(text.substr(start, end - start));
    if (end == text.size()) return pieces;
    start = end + 1;
  }
}

}  // namespace wumpex::fuzz
