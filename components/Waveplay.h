#pragma once
// A WAV sound held whole in memory, and a component that plays it through the system's simple
// sound call, so that the program needs no sound file on disk.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"

namespace wumpex {

class TWave;
using TWaveEvent = std::function<void(TWave* sender)>;

// A WAV image, byte for byte as a .wav file holds it. Waves assigned from one another share
// one image, which lives as long as any of them: loading into one changes the sound of all.
// Stream and file errors raise EInOutError.
class TWave {
 public:
  // The image is stored among its owner's properties as Data, a byte block: the tag
  // kByteBlock, the image's size as a 32-bit little-endian count, then the image.
  static constexpr std::uint8_t kByteBlock = 10;

  TWave();
  TWave(const TWave&) = delete;
  TWave& operator=(const TWave&) = delete;

  // Replaces the image with as many bytes as the whole stream holds, read from its current
  // position: "Stream read error" when fewer are left, and then no change is signalled.
  void LoadFromStream(std::istream& stream);
  // Writes the image at the stream's position: "Stream write error" when it takes fewer.
  void SaveToStream(std::ostream& stream) const;
  // "Cannot open file <name>"; the image stays as it was.
  void LoadFromFile(const std::string& fileName);
  // Truncates an existing file; "Cannot create file <name>".
  void SaveToFile(const std::string& fileName) const;

  // The stored value of the Data property, read and written at the stream's position. Even
  // an empty image is stored, with a count of 0. Reading a value of another kind raises
  // "Invalid property value", one whose count exceeds the bytes left "Stream read error",
  // before any image byte is read.
  void ReadDataProperty(std::istream& stored);
  void WriteDataProperty(std::ostream& stored) const;

  // Shares the source's image; no source keeps the image. Either way a change is signalled.
  void Assign(TWave* source);

  // Set by every load and assignment; nothing clears it.
  bool Modified() const { return modified_; }
  // The image's first byte; nothing while the image is empty.
  const char* Memory() const { return image_->empty() ? nullptr : image_->data(); }
  std::size_t Size() const { return image_->size(); }

  // After every load and assignment.
  TWaveEvent OnChange;

 private:
  void Changed();
  // Replaces the image with `size` bytes from the stream's position: see LoadFromStream.
  void ReadImage(std::istream& stream, std::size_t size);

  bool modified_ = false;
  std::shared_ptr<std::vector<char>> image_;
};

// The program's built-in sound, resources/about.wav, as the stored value of a player's
// Wave.Data; the build compiles it in.
std::string_view BuiltInWaveData();

// How a player plays, each with its flag of the sound call.
enum class TWavePlayOpt : std::uint8_t { wpoSync, wpoAsync, wpoNoDefault, wpoLoop, wpoNoStop };

class TOptionsSet {
 public:
  TOptionsSet() = default;
  TOptionsSet(std::initializer_list<TWavePlayOpt> options) {
    for (TWavePlayOpt o : options) bits_ |= Bit(o);
  }
  bool Contains(TWavePlayOpt o) const { return (bits_ & Bit(o)) != 0; }
  bool operator==(const TOptionsSet&) const = default;

 private:
  static std::uint8_t Bit(TWavePlayOpt o) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(o));
  }
  std::uint8_t bits_ = 0;
};

// Plays its own wave from memory. With wpoAsync the sound goes on after Play returns, reading
// the image; the wave must then stay unchanged until the sound ends or is stopped.
class TWavePlayer : public TComponent {
 public:
  TWavePlayer(TComponent* owner, std::string name);
  // Stops any sound still playing, so that none reads the image once it is gone.
  ~TWavePlayer() override;
  const char* ClassName() const override { return "TWavePlayer"; }

  // When off, Play plays nothing.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  TOptionsSet Options() const { return options_; }
  void SetOptions(TOptionsSet options);
  // The sound call's flags: the image in memory, and one flag for each option.
  std::uint16_t PlayFlags() const { return playFlags_; }
  TWave& Wave() { return wave_; }
  // Shares the given wave's image; the player keeps its own wave.
  void SetWave(TWave* wave) { wave_.Assign(wave); }

  // Calls BeforePlay, plays the wave when enabled, then calls AfterPlay. The sound call's
  // failure is silent. The hourglass shows while the call runs and the arrow after it. An
  // image whose RIFF header or chunk headers claim more bytes than it holds is not handed to
  // the call, which would read past its end: it is silently not played.
  void Play();

  TNotifyEvent BeforePlay;
  TNotifyEvent AfterPlay;

 private:
  bool enabled_ = true;
  TOptionsSet options_{TWavePlayOpt::wpoSync};
  std::uint16_t playFlags_;
  TWave wave_;
};

}  // namespace wumpex
