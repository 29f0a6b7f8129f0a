#include "framework/Screen.h"

#include "platform/Desktop.h"

namespace wumpex {

void TScreen::SetCursor(int slot) {
  if (slot == cursor_) return;
  cursor_ = slot;
  platform::desktop().setScreenCursor(slot);
}

platform::CursorHandle TScreen::Cursors(int slot) const {
  auto it = cursors_.find(slot);
  return it == cursors_.end() ? 0 : it->second;
}

void TScreen::SetCursors(int slot, platform::CursorHandle cursor) {
  cursors_[slot] = cursor;
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace wumpex
