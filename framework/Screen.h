#pragma once
// The cursor shown over all of the program's windows, by the application's slot numbers.

#include <map>

#include "platform/Desktop.h"

namespace wumpex {

inline constexpr int crDefault = 0;
inline constexpr int crHourGlass = -11;

class TScreen {
 public:
  int Cursor() const { return cursor_; }
  void SetCursor(int slot);
  // The cursors that the application's slots hold for controls; 0 when a slot holds none.
  platform::CursorHandle Cursors(int slot) const;
  void SetCursors(int slot, platform::CursorHandle cursor);

 private:
  int cursor_ = crDefault;
  std::map<int, platform::CursorHandle> cursors_;
};

// The program's one screen object.
TScreen& Screen();

// Shows a cursor for a while: the one shown before comes back at the end of the scope,
// also when an exception passes.
class TCursorRestorer {
 public:
  TCursorRestorer() : saved_(Screen().Cursor()) {}
  ~TCursorRestorer() { Screen().SetCursor(saved_); }
  TCursorRestorer(const TCursorRestorer&) = delete;
  TCursorRestorer& operator=(const TCursorRestorer&) = delete;

 private:
  int saved_;
};

}  // namespace wumpex
