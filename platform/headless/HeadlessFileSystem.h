#pragma once
// A file system for tests over real folders, presented as drives ("C:") and network shares
// ("\\server\share"), or, in the POSIX grammar, as the one root "/". It keeps a current
// directory of its own and answers as the system does: names match ignoring letter case (in
// the POSIX grammar only as spelt), "*" and "?" patterns ignore it in either, "." and ".." in
// searches, and the system's error codes. Read-only comes from the file's permission bits;
// hidden and system, which real folders do not keep, from a table the test sets, and in the
// POSIX grammar hidden also from a name that starts with a dot.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::headless {

class HeadlessFileSystem final : public FileSystem {
 public:
  explicit HeadlessFileSystem(PathGrammar grammar = kWindowsPaths) : grammar_(grammar) {}
  // Presents a real folder as a drive root or share, or as "/"; the first one becomes current.
  void mapRoot(const std::string& root, const std::filesystem::path& folder);
  // Sets the hidden and system bits of an entry, named as the program names it.
  void setAttributes(const std::string& path, std::uint32_t bits);

  // The real file behind a path as the program names it, if there is one.
  std::optional<std::filesystem::path> realPath(const std::string& path) const;

  PathGrammar grammar() const override { return grammar_; }
  std::string currentDirectory() override;
  unsigned setCurrentDirectory(const std::string& path) override;
  std::vector<FoundFile> findFiles(const std::string& pattern) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;

 private:
  // A full path in the presented form: its root and the names below it.
  struct Presented {
    std::string root;
    std::vector<std::string> names;
  };
  struct Located {
    std::filesystem::path real;
    unsigned error = 0;
  };

  // Resolves a path against the current directory; nothing when it has no known form.
  std::optional<Presented> absolute(const std::string& path) const;
  std::string text(const Presented& path) const;
  // The real entry behind a path, found name by name ignoring letter case.
  Located locate(const Presented& path) const;
  std::uint32_t attributesOf(const Presented& path, const std::filesystem::path& real) const;

  PathGrammar grammar_;
  std::map<std::string, std::filesystem::path> roots_;  // by upper-cased root
  std::map<std::string, std::uint32_t> marked_;         // by upper-cased full path
  std::optional<Presented> current_;
};

}  // namespace platform::headless
