// Whole-number text: the strict and the lenient reading agree with a reference built on the
// standard library's conversion, the strict one raises nothing but the conversion error, and
// every number written as decimal text reads back as itself.

#include <charconv>
#include <cstring>
#include <optional>

#include "framework/Exceptions.h"
#include "framework/IntegerText.h"
#include "fuzz/Fuzz.h"

namespace {

std::optional<std::int32_t> Reference(const std::string& text) {
  std::string_view rest(text);
  rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
  const bool hex = rest.starts_with('$');
  const bool negative = rest.starts_with('-');
  if (hex || negative || rest.starts_with('+')) rest.remove_prefix(1);
  // The conversion below would take a second sign.
  if (rest.empty() || rest.front() == '-') return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, hex ? 16 : 10);
  if (error != std::errc() || end != rest.data() + rest.size()) return std::nullopt;
  // Hexadecimal text is any 32-bit pattern; decimal text a signed 32-bit number.
  if (hex) {
    if (magnitude > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  }
  if (magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

void wumpex::fuzz::Check(const std::string& text) {
  const std::optional<std::int32_t> expected = Reference(text);

  constexpr std::int32_t kUntouched = 0x5A5A5A5A;
  std::int32_t lenient = kUntouched;
  const bool read = TryStrToInt(text, lenient);
  Require(read == expected.has_value() && lenient == expected.value_or(kUntouched),
          "the lenient reading to agree with the reference and leave the value on failure");

  std::optional<std::int32_t> strict;
  const auto raised = Raised<EConvertError>([&] { strict = StrToInt(text); });
  // The message is a C string, ending at a zero byte as the system's calls end it.
  const std::string quoted = "'" + text + "' is not a valid integer value";
  Require(!raised || *raised == quoted.c_str(), "the conversion error to quote the text");
  Require(strict == expected, "the strict reading to agree with the reference");

  std::int32_t number = 0;
  std::memcpy(&number, text.data(), std::min(text.size(), sizeof number));
  for (const std::int32_t n : {number, expected.value_or(number)}) {
    Require(StrToInt(std::to_string(n)) == n, "decimal text to read back as its number");
  }
}
