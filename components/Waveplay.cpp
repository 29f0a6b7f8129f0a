#include "components/Waveplay.h"

#include <algorithm>
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

}  // namespace

TWave::TWave() : image_(std::make_shared<std::vector<char>>()) {}

void TWave::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TWave::LoadFromStream(std::istream& stream) {
  const std::istream::pos_type position = stream.tellg();
  stream.seekg(0, std::ios::end);
  const std::istream::pos_type end = stream.tellg();
  stream.seekg(position);
  if (position == std::istream::pos_type(-1) || end == std::istream::pos_type(-1)) {
    throw EInOutError("Stream read error");
  }
  const auto size = static_cast<std::streamsize>(end);
  image_->clear();
  image_->resize(static_cast<std::size_t>(size));
  stream.read(image_->data(), size);
  if (stream.gcount() != size) throw EInOutError("Stream read error");
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
  // Read piecewise, so that a damaged count runs into the stream's end, not out of memory.
  std::string bytes;
  char piece[4096];
  for (std::uint32_t left = count; left > 0;) {
    const std::uint32_t size = std::min<std::uint32_t>(left, sizeof piece);
    if (!stored.read(piece, size)) throw EInOutError("Stream read error");
    bytes.append(piece, size);
    left -= size;
  }
  // The image is loaded from a stream that holds exactly the counted bytes.
  std::istringstream image(std::move(bytes));
  LoadFromStream(image);
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
  if (enabled_) {
    Screen().SetCursor(crHourGlass);
    const ArrowAfterwards arrow;
    // The call's answer changes nothing: a sound that cannot play is simply not heard.
    platform::simpleSound().playSound(wave_.Memory(), playFlags_);
  }
  Fire(AfterPlay, this);
}

}  // namespace wumpex
