#include "platform/linux/LinuxAutostart.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/linux/XdgBase.h"

namespace platform::linuxdesktop {
namespace fs = std::filesystem;
namespace {

// An argument of an Exec line: quoted, with '"', '`', '$' and '\' escaped by a backslash.
std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// The first argument of an Exec line, quoted or not.
std::string FirstArgument(const std::string& line) {
  if (!line.starts_with('"')) return line.substr(0, line.find(' '));
  std::string argument;
  for (std::size_t i = 1; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    argument += line[i];
  }
  return argument;
}

}  // namespace

LinuxAutostart::LinuxAutostart(std::string program) : program_(std::move(program)) {}

std::string LinuxAutostart::RunningProgram() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error).string();
}

std::string LinuxAutostart::entryFile(const std::string& name) const {
  return ConfigHome() + "/autostart/" + name + ".desktop";
}

bool LinuxAutostart::startsAtLogIn(const std::string& name) const {
  std::ifstream in(entryFile(name));
  bool names = false;
  bool hidden = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("Exec=")) names = FirstArgument(line.substr(5)) == program_;
    if (line == "Hidden=true") hidden = true;
  }
  return names && !hidden;
}

// A new entry is written beside the old one and moved over it, so that a refusal halfway
// leaves the old one whole.
bool LinuxAutostart::setStartAtLogIn(const std::string& name, bool start) const {
  const fs::path file = entryFile(name);
  std::error_code error;
  if (!start) return !fs::exists(file, error) ? !error : fs::remove(file, error);
  fs::create_directories(file.parent_path(), error);
  fs::path scratch = file;
  scratch += ".new";
  {
    std::ofstream out(scratch, std::ios::trunc);
    out << "[Desktop Entry]\nType=Application\nName=" << name << "\nExec=" << Quoted(program_)
        << "\nTerminal=false\n";
    if (!out.flush()) return false;
  }
  fs::rename(scratch, file, error);
  if (error) fs::remove(scratch, error);
  return startsAtLogIn(name);
}

}  // namespace platform::linuxdesktop
