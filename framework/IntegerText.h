#pragma once
// Whole numbers written as text: optional leading spaces, then an optional sign and decimal
// digits, or "$" and hexadecimal digits, and nothing after.

#include <cstdint>
#include <string>

namespace wumpex {

// Raises EConvertError "'<text>' is not a valid integer value" for anything else.
std::int32_t StrToInt(const std::string& text);
// The same syntax without raising: false, and `value` untouched, for anything else.
bool TryStrToInt(const std::string& text, std::int32_t& value);

}  // namespace wumpex
