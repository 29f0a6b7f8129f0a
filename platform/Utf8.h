#pragma once
// Text above the seam is UTF-8, while the system counts its limits (a tip's length, a title's
// buffer) in UTF-16 units. A text cut to such a limit is cut between characters.

#include <cstddef>
#include <string_view>

namespace platform {

// The length in bytes of the longest start of a UTF-8 text that takes at most `units` UTF-16
// units and ends between characters: a four-byte character takes two units, any other one.
// A byte that begins no character counts as one, as the system is given U+FFFD for it.
inline std::size_t Utf8PrefixWithin(std::string_view text, std::size_t units) {
  std::size_t bytes = 0;
  while (bytes < text.size()) {
    const auto lead = static_cast<unsigned char>(text[bytes]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (std::size_t i = 1; i < length; ++i) {
      if (bytes + i >= text.size() ||
          (static_cast<unsigned char>(text[bytes + i]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    const std::size_t taken = length == 4 ? 2 : 1;
    if (taken > units) break;
    units -= taken;
    bytes += length;
  }
  return bytes;
}

}  // namespace platform
