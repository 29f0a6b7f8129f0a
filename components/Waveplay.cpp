#include "components/Waveplay.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <utility>

#include "framework/Exceptions.h"
#include "framework/Screen.h"
#include "platform/SimpleSound.h"

namespace wumpex {
namespace {

constexpr std::pair<TWavePlayOpt, std::uint16_t> kOptionFlags[] = {
    {TWavePlayOpt::wpoSync, platform::snd::kSync},
    {TWavePlayOpt::wpoAsync, platform::snd::kAsync},
    {TWavePlayOpt::wpoNoDefault, platform::snd::kNoDefault},
    {TWavePlayOpt::wpoLoop, platform::snd::kLoop},
    {TWavePlayOpt::wpoNoStop, platform::snd::kNoStop},
};

// The player runs from a click, under the arrow; whatever else was shown before, the arrow
// is what comes back, also when the sound call throws.
class ArrowAfterwards {
 public:
  ArrowAfterwards() = default;
  ~ArrowAfterwards() { Screen().SetCursor(crDefault); }
  ArrowAfterwards(const ArrowAfterwards&) = delete;
  ArrowAfterwards& operator=(const ArrowAfterwards&) = delete;
};

// The stream's position and total size; the read error for a stream that cannot tell them.
std::pair<std::streamoff, std::streamoff> Extent(std::istream& stream) {
  const std::istream::pos_type position = stream.tellg();
  stream.seekg(0, std::ios::end);
  const std::istream::pos_type end = stream.tellg();
  stream.seekg(position);
  if (position == std::istream::pos_type(-1) || end == std::istream::pos_type(-1)) {
    throw EInOutError("Stream read error");
  }
  return {position, end};
}

std::uint64_t LittleEndian(const char* bytes) {
  std::uint64_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[i]);
  return value;
}

// The sound call gets only the image's first byte and trusts its headers for the rest, so an
// image whose RIFF header or chunk headers claim more than it holds would be read past its end.
bool HeadersFit(const TWave& wave) {
  const char* image = wave.Memory();
  if (wave.Size() < 12 || std::memcmp(image, "RIFF", 4) != 0) return false;
  const std::uint64_t end = 8 + LittleEndian(image + 4);
  if (end < 12 || end > wave.Size()) return false;
  for (std::uint64_t at = 12; at < end;) {
    if (at + 8 > end) return false;
    const std::uint64_t size = LittleEndian(image + at + 4);
    if (at + 8 + size > end) return false;
    at += 8 + size + size % 2;  // chunks are padded to even sizes
  }
  return true;
}

}  // namespace

TWave::TWave() : image_(std::make_shared<std::vector<char>>()) {}

void TWave::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TWave::LoadFromStream(std::istream& stream) {
  ReadImage(stream, static_cast<std::size_t>(Extent(stream).second));
}

void TWave::ReadImage(std::istream& stream, std::size_t size) {
  image_->clear();
  image_->resize(size);
  stream.read(image_->data(), static_cast<std::streamsize>(size));
  if (stream.gcount() != static_cast<std::streamsize>(size)) throw EInOutError("Stream read error");
  Changed();
}

void TWave::SaveToStream(std::ostream& stream) const {
  stream.write(image_->data(), static_cast<std::streamsize>(image_->size()));
  if (!stream) throw EInOutError("Stream write error");
}

void TWave::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EInOutError("Cannot open file " + fileName);
  LoadFromStream(file);
}

void TWave::SaveToFile(const std::string& fileName) const {
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  if (!file) throw EInOutError("Cannot create file " + fileName);
  SaveToStream(file);
  // What the file's buffer still holds can fail to reach the disk only now.
  file.close();
  if (!file) throw EInOutError("Stream write error");
}

void TWave::ReadDataProperty(std::istream& stored) {
  char header[5];
  if (!stored.read(header, sizeof header)) throw EInOutError("Stream read error");
  if (static_cast<std::uint8_t>(header[0]) != kByteBlock) {
    throw EInOutError("Invalid property value");
  }
  std::uint32_t count = 0;
  for (int i = 4; i > 0; --i) count = count << 8 | static_cast<std::uint8_t>(header[i]);
  // A damaged count is refused before anything is taken for it.
  const auto [position, end] = Extent(stored);
  if (count > end - position) throw EInOutError("Stream read error");
  ReadImage(stored, count);
}

void TWave::WriteDataProperty(std::ostream& stored) const {
  const auto count = static_cast<std::uint32_t>(image_->size());
  const char header[5] = {static_cast<char>(kByteBlock), static_cast<char>(count & 0xFF),
                          static_cast<char>(count >> 8 & 0xFF),
                          static_cast<char>(count >> 16 & 0xFF),
                          static_cast<char>(count >> 24 & 0xFF)};
  if (!stored.write(header, sizeof header)) throw EInOutError("Stream write error");
  SaveToStream(stored);
}

void TWave::Assign(TWave* source) {
  if (source != nullptr) image_ = source->image_;
  Changed();
}

TWavePlayer::TWavePlayer(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)), playFlags_(platform::snd::kMemory) {}

TWavePlayer::~TWavePlayer() {
  platform::simpleSound().playSound(nullptr, 0);
}

void TWavePlayer::SetOptions(TOptionsSet options) {
  if (options == options_) return;
  options_ = options;
  playFlags_ = platform::snd::kMemory;
  for (const auto& [option, flag] : kOptionFlags) {
    if (options.Contains(option)) playFlags_ |= flag;
  }
}

void TWavePlayer::Play() {
  Fire(BeforePlay, this);
  // An empty wave only stops the sound playing.
  if (enabled_ && (wave_.Size() == 0 || HeadersFit(wave_))) {
    Screen().SetCursor(crHourGlass);
    const ArrowAfterwards arrow;
    // The call's answer changes nothing: a sound that cannot play is simply not heard.
    platform::simpleSound().playSound(wave_.Memory(), playFlags_);
  }
  Fire(AfterPlay, this);
}

}  // namespace wumpex
