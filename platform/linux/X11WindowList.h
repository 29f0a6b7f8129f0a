#pragma once
// The desktop's top-level windows as X11 keeps them, for Be Quiet and for quiet while a
// program fills the screen. Where a window manager runs, its stacking list names the client
// windows; on a bare server the root window's children stand for them. A title is
// _NET_WM_NAME in UTF-8, else WM_NAME in whatever encoding it was set, read as UTF-8. The
// window in front is the manager's active window; the screen is one monitor.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

// X11's connection; its header stays out of here, as its macros (None, Bool, Status) would
// leak into every file that includes this one.
struct _XDisplay;

namespace platform::linuxdesktop {

class X11WindowList {
 public:
  // On the display of $DISPLAY; throws std::runtime_error when there is none.
  X11WindowList();

  // Topmost first.
  std::vector<Handle> topLevelWindows();
  std::string title(Handle window);
  // Nothing when no window is active, or when the desktop or a dock (a panel) is.
  std::optional<FrontWindow> frontWindow();
  // The first of the root window's children, shown or not, whose title equals this one
  // ignoring the letter case of a-z; 0 when none has it.
  Handle findByTitle(const std::string& title);
  // Sends the window a message of the named type, which its program reads.
  void sendMessage(Handle window, const char* type);
  unsigned long atom(const char* name);

 private:
  // Windows and atoms are X11's XIDs.
  std::vector<unsigned long> property(unsigned long window, unsigned long name, unsigned long type);
  std::vector<unsigned long> rootChildren();

  struct Closer {
    void operator()(_XDisplay* display) const;
  };
  std::unique_ptr<_XDisplay, Closer> display_;
};

}  // namespace platform::linuxdesktop
