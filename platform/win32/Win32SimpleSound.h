#pragma once
// The system's simple sound call.

#include "platform/SimpleSound.h"

namespace platform::win32 {

class Win32SimpleSound final : public SimpleSound {
 public:
  bool playSound(const char* sound, std::uint32_t flags) override;
};

}  // namespace platform::win32
