#include "framework/IniFile.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/IntegerText.h"
#include "platform/Profile.h"

namespace wumpex {
namespace {

constexpr std::uint32_t kValueBuffer = 1024;

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  return platform::profile().readString(fileName_, section, key, defaultValue, kValueBuffer);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  // The system cuts the list to fit the buffer and then returns its size less two, so the
  // buffer grows until the list fits.
  std::string names;
  for (std::uint32_t size = 1 << 16;; size *= 2) {
    names = platform::profile().readString(fileName_, section, std::nullopt, "", size);
    if (names.size() + 2 < size || size >= (1u << 30)) break;
  }
  std::vector<std::string> keys;
  for (std::size_t start = 0; start < names.size();) {
    const std::size_t end = std::min(names.find('\0', start), names.size());
    if (end > start) keys.push_back(names.substr(start, end - start));
    start = end + 1;
  }
  return keys;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  std::int32_t value = defaultValue;
  TryStrToInt(text, value);
  return value;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) const {
  Write(section, key, value);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) const {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::EraseSection(const std::string& section) const {
  Write(section, std::nullopt, std::nullopt);
}

void TIniFile::Write(const std::string& section, const std::optional<std::string>& key,
                     const std::optional<std::string>& value) const {
  if (!platform::profile().writeString(fileName_, section, key, value)) {
    throw Exception("Unable to write to " + fileName_);
  }
}

}  // namespace wumpex
