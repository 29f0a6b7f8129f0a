// The wave image readers and the player over arbitrary bytes: the stored form (the byte-block
// tag, a 32-bit count and the image) and the stream form read what the bytes hold or raise
// the component's error, allocating no more than the bytes present and a little; the player
// hands the sound call only an image whose headers claim no more than it holds, which the
// sanitizer checks as the in-memory sound call reads the image the way the system does.

#include <sanitizer/allocator_interface.h>

#include <cstring>
#include <optional>
#include <sstream>

#include "components/Waveplay.h"
#include "framework/Exceptions.h"
#include "fuzz/Fuzz.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessSimpleSound.h"

namespace {

using wumpex::TWave;
using wumpex::fuzz::Require;

// Room for the error raised and its message.
constexpr std::size_t kSlack = 512;

std::size_t allocated = 0;
bool counting = false;

void CountAllocation(const volatile void*, std::size_t size) {
  if (counting) allocated += size;
}
void IgnoreRelease(const volatile void*) {}

// What reading allocated, and the message of the component's error if it raised one.
template <class Read>
std::pair<std::size_t, std::optional<std::string>> Run(Read&& read) {
  allocated = 0;
  counting = true;
  const auto raised = wumpex::fuzz::Raised<wumpex::EInOutError>(read);
  counting = false;
  return {allocated, raised};
}

std::string Image(const TWave& wave) {
  return wave.Size() == 0 ? std::string() : std::string(wave.Memory(), wave.Size());
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

void ReadStoredForm(const std::string& bytes) {
  TWave wave;
  std::istringstream stored(bytes);
  const auto [taken, raised] = Run([&] { wave.ReadDataProperty(stored); });
  Require(taken <= bytes.size() + kSlack, "the stored form to allocate no more than it holds");
  std::optional<std::string> expected;
  if (bytes.size() < 5) {
    expected = "Stream read error";
  } else if (static_cast<std::uint8_t>(bytes[0]) != TWave::kByteBlock) {
    expected = "Invalid property value";
  } else if (LittleEndian(bytes, 1) > bytes.size() - 5) {
    expected = "Stream read error";
  }
  Require(raised == expected, "the stored form to raise exactly for a short or foreign value");
  Require(raised || Image(wave) == bytes.substr(5, LittleEndian(bytes, 1)),
          "the stored form to load the counted bytes");
}

void ReadStreamForm(const std::string& bytes) {
  for (const std::size_t start : {std::size_t{0}, std::size_t{1}}) {
    if (start > bytes.size()) break;
    TWave wave;
    std::istringstream stream(bytes);
    stream.seekg(static_cast<std::streamoff>(start));
    const auto [taken, raised] = Run([&] { wave.LoadFromStream(stream); });
    Require(taken <= bytes.size() + kSlack, "the stream form to allocate no more than it holds");
    // The whole stream's size is read from where it stands: from 1 that is too many.
    Require(start == 0 ? !raised && Image(wave) == bytes : raised == "Stream read error",
            "the stream form to load the whole stream or raise for a short one");
  }
}

void Play(const std::string& bytes) {
  platform::headless::HeadlessDesktop desktop;
  const platform::DesktopScope desktopScope(desktop);
  platform::headless::HeadlessSimpleSound sound(desktop);
  const platform::SimpleSoundScope soundScope(sound);
  wumpex::TWavePlayer player(nullptr, "WavePlayer1");
  // The image gets a block of its own, exactly its size, so that a read past it is seen.
  std::istringstream stream(bytes);
  player.Wave().LoadFromStream(stream);
  player.Play();
  const bool played = !sound.calls.empty() && sound.calls.back().sound != nullptr;
  const bool fits = bytes.size() >= 12 && bytes.starts_with("RIFF") &&
                    std::uint64_t{LittleEndian(bytes, 4)} + 8 <= bytes.size();
  Require(!played || fits, "no image whose RIFF header claims more than it holds to be played");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  __sanitizer_install_malloc_and_free_hooks(CountAllocation, IgnoreRelease);
  return 0;
}

void wumpex::fuzz::Check(const std::string& bytes) {
  ReadStoredForm(bytes);
  ReadStreamForm(bytes);
  Play(bytes);
}
