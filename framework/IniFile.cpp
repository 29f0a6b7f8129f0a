#include "framework/IniFile.h"

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
