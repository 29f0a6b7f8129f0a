#include "platform/win32/Win32SimpleSound.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform::win32 {

bool Win32SimpleSound::playSound(const char* sound, std::uint32_t flags) {
  return sndPlaySoundA(sound, flags) != FALSE;
}

}  // namespace platform::win32
