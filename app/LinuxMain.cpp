// The program's entry on a Linux desktop: the Qt desktop and its services, then the program's
// life on them, the same as on Windows.

#include "app/Program.h"
#include "platform/linux/LinuxServices.h"

int main() {
  platform::linuxdesktop::LinuxServices services;
  return wumpex::RunWumpex();
}
