#include "platform/linux/X11WindowList.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <stdexcept>

#include "platform/portable/Names.h"

namespace platform::linuxdesktop {
namespace {

template <typename Data>
struct XFreer {
  void operator()(Data* data) const { XFree(data); }
};
template <typename Data>
using XMemory = std::unique_ptr<Data, XFreer<Data>>;

}  // namespace

void X11WindowList::Closer::operator()(_XDisplay* display) const {
  XCloseDisplay(display);
}

X11WindowList::X11WindowList() : display_(XOpenDisplay(nullptr)) {
  if (!display_) throw std::runtime_error("no X display");
}

unsigned long X11WindowList::atom(const char* name) {
  return XInternAtom(display_.get(), name, False);
}

// A property of 32-bit items (windows, atoms, cardinals); empty when the window has none.
std::vector<unsigned long> X11WindowList::property(unsigned long window, unsigned long name,
                                                   unsigned long type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  if (XGetWindowProperty(display_.get(), window, name, 0, 1 << 16, False, type, &actualType,
                         &format, &count, &after, &raw) != Success) {
    return {};
  }
  const XMemory<unsigned char> data(raw);
  if (actualType != type || format != 32 || !data) return {};
  const auto* items = reinterpret_cast<const unsigned long*>(data.get());
  return {items, items + count};
}

// From the bottom up.
std::vector<unsigned long> X11WindowList::rootChildren() {
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_.get(), DefaultRootWindow(display_.get()), &rootReturn, &parent, &children,
                 &count) == 0) {
    return {};
  }
  const XMemory<Window> owned(children);
  return {children, children + count};
}

std::vector<Handle> X11WindowList::topLevelWindows() {
  const Window root = DefaultRootWindow(display_.get());
  std::vector<unsigned long> windows = property(root, atom("_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
  if (windows.empty()) windows = rootChildren();
  // Both lists run from the bottom up.
  return {windows.rbegin(), windows.rend()};
}

// A program's hidden windows stay children of the root under any window manager.
Handle X11WindowList::findByTitle(const std::string& title) {
  const std::vector<unsigned long> windows = rootChildren();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (SameName(this->title(*it), title)) return *it;
  }
  return 0;
}

void X11WindowList::sendMessage(Handle window, const char* type) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(window);
  event.xclient.message_type = atom(type);
  event.xclient.format = 32;
  XSendEvent(display_.get(), static_cast<Window>(window), False, NoEventMask, &event);
  XFlush(display_.get());
}

std::string X11WindowList::title(Handle window) {
  const Window w = static_cast<Window>(window);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  if (XGetWindowProperty(display_.get(), w, atom("_NET_WM_NAME"), 0, 1 << 16, False,
                         atom("UTF8_STRING"), &type, &format, &count, &after, &raw) == Success) {
    const XMemory<unsigned char> data(raw);
    if (type == atom("UTF8_STRING") && format == 8 && data) {
      return {reinterpret_cast<const char*>(data.get()), count};
    }
  }
  XTextProperty name{};
  if (XGetWMName(display_.get(), w, &name) == 0) return {};
  const XMemory<unsigned char> value(name.value);
  char** list = nullptr;
  int pieces = 0;
  if (Xutf8TextPropertyToTextList(display_.get(), &name, &list, &pieces) < Success || !list) {
    return {};
  }
  std::string text;
  for (int i = 0; i < pieces; ++i) text += list[i];
  XFreeStringList(list);
  return text;
}

std::optional<FrontWindow> X11WindowList::frontWindow() {
  Display* display = display_.get();
  const Window root = DefaultRootWindow(display);
  const std::vector<unsigned long> active = property(root, atom("_NET_ACTIVE_WINDOW"), XA_WINDOW);
  if (active.empty() || active[0] == None) return std::nullopt;
  const Window window = active[0];
  for (const unsigned long type : property(window, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM)) {
    if (type == atom("_NET_WM_WINDOW_TYPE_DESKTOP") || type == atom("_NET_WM_WINDOW_TYPE_DOCK")) {
      return std::nullopt;
    }
  }
  XWindowAttributes screen{};
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, root, &screen) == 0 ||
      XGetWindowAttributes(display, window, &attributes) == 0) {
    return std::nullopt;
  }
  const Rect monitor{0, 0, screen.width, screen.height};
  const std::vector<unsigned long> states = property(window, atom("_NET_WM_STATE"), XA_ATOM);
  if (std::ranges::find(states, atom("_NET_WM_STATE_FULLSCREEN")) != states.end()) {
    return FrontWindow{monitor, monitor};
  }
  int left = 0;
  int top = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
  return FrontWindow{{left, top, left + attributes.width, top + attributes.height}, monitor};
}

}  // namespace platform::linuxdesktop
