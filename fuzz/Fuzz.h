#pragma once
// The harness of the fuzz targets, included by each target's one source: libFuzzer's entry
// hands the input as bytes to the target's Check, whose broken expectations are findings.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wumpex::fuzz {

// What the target expects of one input.
void Check(const std::string& input);

// libFuzzer keeps the input that led here as the finding.
inline void Require(bool holds, std::string_view expectation) {
  if (holds) return;
  std::fprintf(stderr, "finding: expected %.*s\n", static_cast<int>(expectation.size()),
               expectation.data());
  std::abort();
}

// The message of the error of class E that `run` raises, if it raises one; any other error
// goes on and is a finding.
template <class E, class Run>
std::optional<std::string> Raised(Run&& run) {
  try {
    run();
  } catch (const E& error) {
    return error.Message();
  }
  return std::nullopt;
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wumpex::fuzz::Check({reinterpret_cast<const char*>(data), size});
  return 0;
}
