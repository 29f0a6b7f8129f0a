#pragma once
// The in-memory desktop's services, and a test fixture with the application object on them,
// as the program's entry makes them; with helpers the suites share.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Random.h"
#include "tests/HeadlessServices.h"

namespace wumpex {

// The whole content of a file, or "<none>" if it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

// A silent 8 kHz 8-bit mono wave file of the given length.
inline void WriteSilentWave(const std::filesystem::path& path, std::uint32_t milliseconds) {
  const std::uint32_t samples = milliseconds * 8;
  std::ofstream out(path, std::ios::binary);
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  out << "RIFF";
  put(36 + samples, 4);
  out << "WAVEfmt ";
  for (auto [value, bytes] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {8000u, 4}, {8000u, 4}, {1u, 2}, {8u, 2}}) {
    put(value, bytes);
  }
  out << "data";
  put(samples, 4);
  out << std::string(samples, '\x80');
}

// The message of the E that `action` raises; a note instead when it raises none.
template <class E = Exception, class Action>
std::string RaisedMessage(Action&& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "<nothing raised>";
}

// The commands of one kind that the media device was sent, in order.
inline std::vector<platform::headless::HeadlessMedia::Command> CommandsSent(
    const platform::headless::HeadlessMedia& media, std::uint32_t message) {
  std::vector<platform::headless::HeadlessMedia::Command> found;
  for (const auto& c : media.commands) {
    if (c.message == message) found.push_back(c);
  }
  return found;
}

class DesktopTest : public ::testing::Test, protected Program {};

}  // namespace wumpex
