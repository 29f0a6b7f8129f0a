#include "platform/win32/Utf16.h"

#include <algorithm>
#include <utility>

namespace platform::win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool HighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool LowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character at the start of a UTF-8 text and its length in bytes; U+FFFD for one byte
// where no character begins.
std::pair<char32_t, std::size_t> Decode(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  if (text.size() < length) return {kReplacement, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kReplacement, 1};
    code = code << 6 | (byte(i) & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || HighSurrogate(code) || LowSurrogate(code)) {
    return {kReplacement, 1};
  }
  return {code, length};
}

void Encode(char32_t code, std::string& out) {
  const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0 | code >> 6), put(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    put(0xE0 | code >> 12), put(0x80 | (code >> 6 & 0x3F)), put(0x80 | (code & 0x3F));
  } else {
    put(0xF0 | code >> 18), put(0x80 | (code >> 12 & 0x3F)), put(0x80 | (code >> 6 & 0x3F));
    put(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::wstring Wide(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto [code, length] = Decode(utf8);
    utf8.remove_prefix(length);
    if (code < 0x10000) {
      wide.push_back(static_cast<wchar_t>(code));
    } else {
      wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
  return wide;
}

std::string Utf8(std::wstring_view utf16) {
  std::string text;
  text.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const auto unit = static_cast<char32_t>(utf16[i]) & 0xFFFF;
    if (HighSurrogate(unit) && i + 1 < utf16.size() &&
        LowSurrogate(static_cast<char32_t>(utf16[i + 1]) & 0xFFFF)) {
      const auto low = static_cast<char32_t>(utf16[++i]) & 0xFFFF;
      Encode(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), text);
    } else {
      Encode(HighSurrogate(unit) || LowSurrogate(unit) ? kReplacement : unit, text);
    }
  }
  return text;
}

std::size_t CutBetweenCharacters(std::wstring_view utf16, std::size_t units) {
  units = std::min(units, utf16.size());
  const auto unit = [&](std::size_t i) { return static_cast<char32_t>(utf16[i]) & 0xFFFF; };
  const bool endsInHalf = units > 0 && HighSurrogate(unit(units - 1)) &&
                          (units == utf16.size() || LowSurrogate(unit(units)));
  return endsInHalf ? units - 1 : units;
}

}  // namespace platform::win32
