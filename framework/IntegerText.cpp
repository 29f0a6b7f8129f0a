#include "framework/IntegerText.h"

#include <optional>

#include "framework/Exceptions.h"

namespace wumpex {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::int32_t> Parse(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return std::nullopt;

  if (text[i] == '$') {
    ++i;
    if (i == text.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
      int digit = HexDigit(text[i]);
      if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    // Any 32-bit pattern is taken, read as a signed number.
    return static_cast<std::int32_t>(value);
  }

  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9' || value > 214748364u) return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace

std::int32_t StrToInt(const std::string& text) {
  if (auto value = Parse(text)) return *value;
  throw EConvertError("'" + text + "' is not a valid integer value");
}

bool TryStrToInt(const std::string& text, std::int32_t& value) {
  const auto parsed = Parse(text);
  if (parsed) value = *parsed;
  return parsed.has_value();
}

}  // namespace wumpex
