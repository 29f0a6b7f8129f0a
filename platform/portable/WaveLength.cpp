#include "platform/portable/WaveLength.h"

#include <algorithm>
#include <cstring>

namespace platform::portable {

std::uint32_t LittleEndian32(const char* bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::optional<std::uint64_t> WaveLength(const char* image, std::uint64_t end) {
  if (end < 12 || std::memcmp(image + 8, "WAVE", 4) != 0) return std::nullopt;
  std::optional<std::uint32_t> byteRate;
  std::optional<std::uint64_t> dataSize;
  for (std::uint64_t at = 12; at + 8 <= end;) {
    const std::uint64_t size = LittleEndian32(image + at + 4);
    const std::uint64_t body = at + 8;
    if (std::memcmp(image + at, "fmt ", 4) == 0 && size >= 16 && body + 16 <= end) {
      byteRate = LittleEndian32(image + body + 8);
    } else if (std::memcmp(image + at, "data", 4) == 0) {
      dataSize = std::min(size, end - body);
    }
    at = body + size + size % 2;  // chunks are padded to even sizes
  }
  if (!byteRate || *byteRate == 0 || !dataSize) return std::nullopt;
  return *dataSize * 1000 / *byteRate;
}

}  // namespace platform::portable
