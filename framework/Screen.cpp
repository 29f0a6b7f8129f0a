#include "framework/Screen.h"

#include "platform/Desktop.h"

namespace wumpex {

void TScreen::SetCursor(int slot) {
  if (slot == cursor_) return;
  cursor_ = slot;
  platform::desktop().setScreenCursor(slot);
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace wumpex
