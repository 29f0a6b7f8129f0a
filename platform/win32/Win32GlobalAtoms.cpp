#include "platform/win32/Win32GlobalAtoms.h"

#include <windows.h>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

Atom Win32GlobalAtoms::add(const std::string& name) {
  return GlobalAddAtomW(Wide(name).c_str());
}

Atom Win32GlobalAtoms::find(const std::string& name) {
  return GlobalFindAtomW(Wide(name).c_str());
}

bool Win32GlobalAtoms::remove(Atom atom) {
  // The system answers 0 when it took the reference away.
  return GlobalDeleteAtom(atom) == 0;
}

}  // namespace platform::win32
