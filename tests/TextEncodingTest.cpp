#include <gtest/gtest.h>

#include <string>

#include "platform/Utf8.h"
#include "platform/win32/Utf16.h"

namespace platform::win32 {
namespace {

// Text in several scripts goes to the system's UTF-16 and comes back unchanged; a character
// beyond the first 65,536 takes a surrogate pair.
TEST(TextEncodingTest, EveryScriptRoundTrips) {
  const std::pair<std::string, std::size_t> texts[] = {
      {"plain.wav", 9},
      {"caf\xC3\xA9", 4},                       // Latin with an accent
      {"\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA", 4},  // Cyrillic
      {"\xCE\xAE\xCF\x87\xCE\xBF\xCF\x82", 4},  // Greek
      {"\xE9\x9F\xB3", 1},                      // Japanese
      {"a\xF0\x9F\x94\x94"
       "b",
       4},  // an emoji between letters
  };
  for (const auto& [text, units] : texts) {
    const std::wstring wide = Wide(text);
    EXPECT_EQ(wide.size(), units) << text;
    EXPECT_EQ(Utf8(wide), text);
  }
}

// What is not UTF-8 (or not UTF-16) shows as U+FFFD, one for each stray byte or unit, and
// the rest of the text stays.
TEST(TextEncodingTest, BrokenTextIsReplacedVisiblyNeverCut) {
  const std::pair<std::string, std::wstring> fromProgram[] = {
      {"\xFFok", L"\xFFFDok"},                            // a byte that begins nothing
      {"a\xC3", L"a\xFFFD"},                              // a character cut short at the end
      {"\xC3(x", L"\xFFFD(x"},                            // ... and before a plain one
      {"\xC0\xAF", L"\xFFFD\xFFFD"},                      // an overlong form
      {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},            // a surrogate written as UTF-8
      {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},  // beyond U+10FFFF
  };
  for (const auto& [text, expected] : fromProgram) EXPECT_EQ(Wide(text), expected) << text;
  const std::pair<std::wstring, std::string> fromSystem[] = {
      {L"a\xD83D", "a\xEF\xBF\xBD"},
      {L"\xDD14z", "\xEF\xBF\xBDz"},
      {L"\xDD14\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& [text, expected] : fromSystem) EXPECT_EQ(Utf8(text), expected);
}

// Limits that the system counts in UTF-16 units cut between characters, on either side of
// the seam: never half of a surrogate pair, never part of a UTF-8 character.
TEST(TextEncodingTest, CutsFallBetweenCharacters) {
  const std::wstring bell = L"ab\xD83D\xDD14";
  for (const auto& [units, kept] :
       {std::pair<std::size_t, std::size_t>{2, 2}, {3, 2}, {4, 4}, {10, 4}}) {
    EXPECT_EQ(CutBetweenCharacters(bell, units), kept) << units;
  }
  // A text that the system cut to its buffer, in the middle of the pair.
  EXPECT_EQ(CutBetweenCharacters(L"ab\xD83D", 3), 2u);
  const std::string text = "ab\xF0\x9F\x94\x94\xC3\xA9\xFF";
  for (const auto& [units, bytes] :
       {std::pair<std::size_t, std::size_t>{0, 0}, {2, 2}, {3, 2}, {4, 6}, {5, 8}, {6, 9}}) {
    EXPECT_EQ(Utf8PrefixWithin(text, units), bytes) << units;
  }
}

}  // namespace
}  // namespace platform::win32
