#include "platform/portable/ProfileFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/Utf8.h"
#include "platform/portable/Names.h"
#include "platform/win32/Utf16.h"

namespace platform::portable {
namespace fs = std::filesystem;
namespace {

struct Entry {
  std::string name;
  std::optional<std::string> value;  // none for a line without "="
};
struct Section {
  std::string name;
  std::vector<Entry> entries;
};
using Sections = std::vector<Section>;

// How a file's bytes hold its text: in the system's code page, or as UTF-16 after a
// byte-order mark.
enum class Encoding { Ansi, Utf16 };
struct Loaded {
  Sections sections;
  Encoding encoding = Encoding::Ansi;
};
constexpr std::string_view kByteOrderMark = "\xFF\xFE";

// A text as the system takes it from the program: what is no UTF-8 becomes U+FFFD.
std::string AsTaken(std::string_view text) {
  return win32::Utf8(win32::Wide(text));
}

std::string FromAnsi(std::string_view bytes, CodePage codePage) {
  if (codePage == CodePage::Utf8) return AsTaken(bytes);
  std::wstring units;
  for (const char c : bytes) units += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return win32::Utf8(units);
}

// Nothing when a character lies outside the code page.
std::optional<std::string> ToAnsi(std::string_view text, CodePage codePage) {
  if (codePage == CodePage::Utf8) return std::string(text);
  std::string bytes;
  for (const wchar_t unit : win32::Wide(text)) {
    if (static_cast<unsigned>(unit) > 0xFF) return std::nullopt;
    bytes += static_cast<char>(unit);
  }
  return bytes;
}

std::string FromUtf16(std::string_view bytes) {
  std::wstring units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return win32::Utf8(units);
}

std::string ToUtf16(std::string_view text) {
  std::string bytes(kByteOrderMark);
  for (const wchar_t unit : win32::Wide(text)) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>((unit >> 8) & 0xFF);
  }
  return bytes;
}

std::optional<std::string> MaybeTaken(const std::optional<std::string>& text) {
  return text ? std::optional(AsTaken(*text)) : std::nullopt;
}

// The text's length in UTF-16 units, as the system counts its buffers.
std::uint32_t Units(std::string_view text) {
  return static_cast<std::uint32_t>(win32::Wide(text).size());
}

// The start of a text that fits `units` UTF-16 units, ending between characters.
std::string Within(std::string_view text, std::uint32_t units) {
  return std::string(text.substr(0, Utf8PrefixWithin(text, units)));
}

// The system also takes the end-of-file mark 0x1A for a blank.
bool Blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

Sections Parse(const std::string& content) {
  Sections sections;
  std::size_t next = 0;
  while (next < content.size()) {
    const std::size_t end = std::min(content.find_first_of("\r\n", next), content.size());
    const std::string_view line = Trim(std::string_view(content).substr(next, end - next));
    next = std::min(content.find_first_not_of("\r\n", end), content.size());
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    if (sections.empty()) sections.push_back({});
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      sections.back().entries.push_back({std::string(line), std::nullopt});
    } else {
      sections.back().entries.push_back({std::string(Trim(line.substr(0, equals))),
                                         std::string(TrimLeft(line.substr(equals + 1)))});
    }
  }
  return sections;
}

std::string Layout(const Sections& sections) {
  std::string content;
  for (const Section& section : sections) {
    if (!section.name.empty()) content += "[" + section.name + "]\r\n";
    for (const Entry& entry : section.entries) {
      content += entry.name;
      if (entry.value) content += "=" + *entry.value;
      content += "\r\n";
    }
  }
  return content;
}

std::optional<Loaded> Load(const fs::path& path, CodePage codePage) {
  std::error_code error;
  if (!fs::exists(path, error)) return Loaded{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (bytes.starts_with(kByteOrderMark)) {
    return Loaded{Parse(FromUtf16(std::string_view(bytes).substr(2))), Encoding::Utf16};
  }
  return Loaded{Parse(FromAnsi(bytes, codePage)), Encoding::Ansi};
}

// The text a buffer of `size` characters holds after the system copies a value into it: one
// pair of matching quotes dropped, but only when the closing one would have fitted.
std::string CopyEntry(std::string_view value, std::uint32_t size, bool stripQuote) {
  bool quoted = false;
  if (stripQuote && value.size() > 1 && (value.front() == '\'' || value.front() == '"') &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::string copy = Within(value, size - 1);
  if (quoted && size >= Units(value) && !copy.empty()) copy.pop_back();
  return copy;
}

// The key names of a section, each followed by a zero, cut as the system cuts them.
std::string KeyNames(const Section& section, std::uint32_t size) {
  std::string names;
  std::uint32_t left = size;
  for (const Entry& entry : section.entries) {
    if (left <= 2) break;
    if (!entry.value || entry.name.starts_with(';')) continue;
    const std::string name = Within(entry.name, left - 2);
    names += name + '\0';
    left -= Units(name) + 1;
    if (left < 2) break;
  }
  return Within(names, left <= 1 ? size - 2 : size - left);
}

// The first section or entry of that name.
template <class List>
auto FindNamed(List& list, std::string_view name) {
  return std::ranges::find_if(list, [&](const auto& item) { return SameName(item.name, name); });
}

// Applies one write; false when it changes nothing.
bool Apply(Sections& sections, const std::string& section, const std::optional<std::string>& key,
           const std::optional<std::string>& value) {
  if (!key) {
    // The name as given, blanks and all, and only its first section.
    const auto found = FindNamed(sections, section);
    if (found == sections.end()) return false;
    sections.erase(found);
    return true;
  }
  if (!value) {
    // The first such key of any section of that name.
    for (Section& candidate : sections) {
      if (!SameName(candidate.name, section)) continue;
      const auto found = FindNamed(candidate.entries, *key);
      if (found != candidate.entries.end()) {
        candidate.entries.erase(found);
        return true;
      }
    }
    return false;
  }
  // Found by the trimmed names; a new section or key keeps trailing blanks of the name.
  auto target = FindNamed(sections, Trim(section));
  if (target == sections.end()) {
    target = sections.insert(target, {std::string(TrimLeft(section)), {}});
  }
  const std::string text(TrimLeft(*value));
  const auto entry = FindNamed(target->entries, Trim(*key));
  if (entry == target->entries.end()) {
    target->entries.push_back({std::string(TrimLeft(*key)), text});
    return true;
  }
  if (entry->value == text) return false;
  entry->value = text;
  return true;
}

}  // namespace

std::string ReadProfileString(const std::optional<fs::path>& file, const std::string& section,
                              const std::optional<std::string>& key,
                              const std::optional<std::string>& defaultValue, std::uint32_t size,
                              CodePage codePage) {
  if (size == 0) return {};
  // The system drops trailing spaces of the default, though never its first character.
  std::string fallback = AsTaken(defaultValue.value_or(""));
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.pop_back();

  const std::optional<Loaded> loaded = file ? Load(*file, codePage) : std::nullopt;
  if (!loaded) return Within(fallback, size - 1);
  const Sections& sections = loaded->sections;
  const std::string name = AsTaken(section);

  if (key) {
    if (key->empty()) return CopyEntry(fallback, size, true);
    std::optional<std::string> value;
    if (const auto found = FindNamed(sections, Trim(name)); found != sections.end()) {
      const auto entry = FindNamed(found->entries, Trim(AsTaken(*key)));
      if (entry != found->entries.end()) value = entry->value;
    }
    return CopyEntry(value.value_or(fallback), size, true);
  }
  if (name.empty()) return {};
  const auto found = FindNamed(sections, name);
  const std::string names = found != sections.end() ? KeyNames(*found, size) : std::string();
  if (names.empty() || names.front() == '\0') return CopyEntry(fallback, size, true);
  return names;
}

// A file keeps its encoding while it can hold every text; a text outside the code page makes
// an ANSI file UTF-16, even when the write then changes nothing, as the real desktop's does.
bool WriteProfileString(const fs::path& file, const std::string& section,
                        const std::optional<std::string>& key,
                        const std::optional<std::string>& value, CodePage codePage) {
  std::optional<Loaded> loaded = Load(file, codePage);
  if (!loaded) return false;
  const std::string name = AsTaken(section);
  const std::optional<std::string> keyTaken = MaybeTaken(key);
  const std::optional<std::string> valueTaken = MaybeTaken(value);
  const bool ansi = loaded->encoding == Encoding::Ansi;
  const bool fits =
      ToAnsi(name + keyTaken.value_or("") + valueTaken.value_or(""), codePage).has_value();
  if (!Apply(loaded->sections, name, keyTaken, valueTaken) && (fits || !ansi)) return true;
  const std::string content = Layout(loaded->sections);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << (ansi && fits ? *ToAnsi(content, codePage) : ToUtf16(content));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace platform::portable
