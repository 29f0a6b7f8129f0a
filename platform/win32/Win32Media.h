#pragma once
// The multimedia devices on Windows: each command goes to the system in its own record.

#include "platform/Media.h"

namespace platform::win32 {

class Win32Media final : public Media {
 public:
  std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                            MciParams& params) override;
  std::optional<std::string> errorString(std::uint32_t code) override;
};

}  // namespace platform::win32
