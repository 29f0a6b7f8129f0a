#pragma once
// A settings file in the system's INI format. The object holds only the file's name; every
// operation is one self-contained profile call, so nothing stays open between them.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wumpex {

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  // At most 1023 characters of a value; the default when the key is absent.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // The key names of a section, in the file's order; none for an absent section.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // A whole number, also written "0x..."; the default for anything else. Never raises.
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) const;
  // These raise Exception "Unable to write to <file name>" when the system refuses.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) const;
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value) const;
  // Removes the section and all its keys; an absent section or file is no failure.
  void EraseSection(const std::string& section) const;

 private:
  void Write(const std::string& section, const std::optional<std::string>& key,
             const std::optional<std::string>& value) const;

  std::string fileName_;
};

}  // namespace wumpex
