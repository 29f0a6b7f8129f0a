// The program's entry on Windows: the real desktop and its services, then the program's
// life on them. Linked for the GUI subsystem, so no console window appears.

#include "app/Program.h"
#include "platform/win32/Win32Services.h"

int main() {
  platform::win32::Win32Services services;
  return wumpex::RunWumpex();
}
