// The program's entry on Windows: the real desktop, then the program's life on it.
// Linked for the GUI subsystem, so no console window appears.

#include "app/Program.h"
#include "platform/win32/Win32Desktop.h"

int main() {
  platform::win32::Win32Desktop desktop;
  platform::DesktopScope scope(desktop);
  return wumpex::RunWumpex();
}
