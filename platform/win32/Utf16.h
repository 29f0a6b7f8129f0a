#pragma once
// Text above the seam is UTF-8; the system's wide calls take UTF-16, one code unit a wchar_t.
// These two conversions are the only ones: every text that crosses to the system or back
// goes through them. Plain C++, so that they are tested on any host.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::win32 {

// What the system gets for a text of the program. A byte that does not begin or continue a
// UTF-8 character (and an overlong or surrogate form) becomes U+FFFD, so that nothing is cut
// or dropped unseen.
std::wstring Wide(std::string_view utf8);

// What the program gets for a text of the system. A lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view utf16);

// How many of the first `units` code units of a text to keep so that the cut falls between
// characters: one less where it would split a surrogate pair, or where the text ends in the
// first half of one, as a text that the system cut to its buffer may.
std::size_t CutBetweenCharacters(std::wstring_view utf16, std::size_t units);

}  // namespace platform::win32
