#include "platform/win32/Win32SimpleSound.h"

#include <windows.h>

#include <mmsystem.h>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

bool Win32SimpleSound::playSound(const char* sound, std::uint32_t flags) {
  // An image in memory is no text; a name is.
  if ((flags & SND_MEMORY) != 0 || sound == nullptr) {
    return sndPlaySoundW(reinterpret_cast<const wchar_t*>(sound), flags) != FALSE;
  }
  return sndPlaySoundW(Wide(sound).c_str(), flags) != FALSE;
}

}  // namespace platform::win32
