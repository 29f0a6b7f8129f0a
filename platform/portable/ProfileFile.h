#pragma once
// The private-profile file format as the system reads and writes it, on a real file. Sections
// and keys match ignoring letter case and surrounding blanks, the first of duplicates wins,
// one pair of quotes around a value is dropped, and a change rewrites the whole file in the
// system's layout ("[section]", then "key=value" lines, CR LF endings, no blank lines). A file
// holds its text in the system's code page or as UTF-16 after a byte-order mark; a write
// keeps the encoding while the code page holds every text, and otherwise writes UTF-16. Texts
// are UTF-8, and what is no UTF-8 becomes U+FFFD, as the system takes it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::portable {

// The system's code page: ISO 8859-1, a Western one, where byte n is the character U+00n; or
// UTF-8, which holds every text.
enum class CodePage { Latin1, Utf8 };

// What Profile::readString answers from the file; nothing for a file that cannot be read, and
// no file at the path reads as an empty one.
std::string ReadProfileString(const std::optional<std::filesystem::path>& file,
                              const std::string& section, const std::optional<std::string>& key,
                              const std::optional<std::string>& defaultValue, std::uint32_t size,
                              CodePage codePage);

// What Profile::writeString does to the file, whose folder exists; false when the file cannot
// be read or written.
bool WriteProfileString(const std::filesystem::path& file, const std::string& section,
                        const std::optional<std::string>& key,
                        const std::optional<std::string>& value, CodePage codePage);

}  // namespace platform::portable
