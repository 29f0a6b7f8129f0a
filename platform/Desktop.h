#pragma once
// The seam to the operating system: every service the program needs, as small interfaces.
// Two implementations exist: the real Windows desktop (platform/win32) and an in-memory
// desktop for tests (platform/headless). Nothing above this folder sees an OS header.

#include <compare>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ServiceScope.h"

namespace platform {

// An opaque window identity; 0 is no window.
using Handle = std::uintptr_t;
// A cursor that the system keeps for the life of the process; 0 is none.
using CursorHandle = std::uintptr_t;

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  auto operator<=>(const Bounds&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  auto operator<=>(const Size&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Message box flags and answers, with the values the system gives them.
namespace mb {
inline constexpr unsigned kOk = 0x0000;
inline constexpr unsigned kIconError = 0x0010;
inline constexpr unsigned kIconExclamation = 0x0030;
inline constexpr unsigned kTaskModal = 0x2000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
}  // namespace mb

// Window messages, with the values the system gives them: the mouse reports that come with
// the notification area's callback message, and the first number for a program's own.
namespace wm {
inline constexpr unsigned kLeftButtonUp = 0x0202;
inline constexpr unsigned kLeftButtonDoubleClick = 0x0203;
inline constexpr unsigned kRightButtonUp = 0x0205;
inline constexpr unsigned kUser = 0x0400;
}  // namespace wm

// Virtual-key codes, with the values the system gives them.
namespace vk {
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kSpace = 0x20;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kRight = 0x27;
}  // namespace vk

// A colour in the framework's encoding: 0x00BBGGRR, or 0x80000000 plus the index of one of
// the system's colours, which the platform looks up each time it draws.
using Color = std::uint32_t;
constexpr Color systemColor(unsigned index) {
  return 0x80000000u | index;
}

// The indices of the system's colours, with the values the system gives them.
namespace syscolor {
inline constexpr unsigned kWindowFrame = 6;
inline constexpr unsigned kWindowText = 8;
inline constexpr unsigned kButtonFace = 15;
inline constexpr unsigned kButtonShadow = 16;
inline constexpr unsigned kGrayText = 17;
inline constexpr unsigned kButtonHighlight = 20;
}  // namespace syscolor

struct Font {
  std::string name;
  int height = 0;
  bool italic = false;
  // Text that the program paints comes out in it; the system's controls keep their own.
  Color color = systemColor(syscolor::kWindowText);
  auto operator<=>(const Font&) const = default;
};

// A rectangle in a window's client coordinates; right and bottom lie just outside it.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  auto operator<=>(const Rect&) const = default;
};

// Text-drawing flags, with the values the system gives them.
namespace dt {
inline constexpr unsigned kLeft = 0x0000;
inline constexpr unsigned kCenter = 0x0001;
inline constexpr unsigned kRight = 0x0002;
inline constexpr unsigned kWordBreak = 0x0010;
inline constexpr unsigned kExpandTabs = 0x0040;
inline constexpr unsigned kNoPrefix = 0x0800;
}  // namespace dt

// Drawing on the client area of one widget while it paints. Each call carries everything it
// draws with, so that nothing of one paint leaks into the next.
class Painter {
 public:
  virtual void fillRect(const Rect& rect, Color color) = 0;
  // The system's text drawing of the whole text into the rectangle, with the flags, in the
  // font and its colour: over a box in the background colour, or over what is there when
  // there is none.
  virtual void drawText(const std::string& text, const Rect& rect, unsigned flags, const Font& font,
                        std::optional<Color> background) = 0;
  // One-pixel lines in the colour from each point to the next.
  virtual void polyline(const std::vector<Point>& points, Color color) = 0;
  // A one-pixel outline in the pen colour, filled inside with the fill colour unless none.
  virtual void rectangle(const Rect& rect, Color pen, std::optional<Color> fill) = 0;
  // A bitmap from the program's resources, by name, with its top-left corner at the point;
  // its pixels of the transparent colour leave what is there.
  virtual void drawBitmap(const std::string& resourceName, Point at, Color transparent) = 0;
  // The system's dotted focus rectangle.
  virtual void focusRect(const Rect& rect) = 0;

 protected:
  ~Painter() = default;
};

// What a native widget reports when the user acts on it. Called on the window thread.
class WidgetEvents {
 public:
  virtual void userClicked() {}
  virtual void userEditedText(const std::string& /*text*/) {}
  virtual void userSelected(int /*index*/) {}
  virtual void userToggled(bool /*checked*/) {}
  // An up-down that leaves the stepping to the program: one step up (1) or down (-1), from
  // its arrows or from Up and Down in its box.
  virtual void userStepped(int /*by*/) {}
  virtual void closeRequested() {}
  // Escape in a dialog.
  virtual void cancelRequested() {}
  // The right mouse button came up over the widget, at a screen point.
  virtual void userRightClicked(Point /*at*/) {}
  // The cursor to show over the widget; 0 leaves the system's.
  virtual CursorHandle cursorRequested() { return 0; }
  // A custom widget's face needs drawing, all of it; the background is already erased.
  virtual void paintRequested(Painter& /*painter*/) {}
  // Custom widgets: the left mouse button went down (a double-click too), the pointer moved,
  // the button came up; at client coordinates.
  virtual void mousePressed(Point /*at*/) {}
  virtual void mouseMoved(Point /*at*/) {}
  virtual void mouseReleased(Point /*at*/) {}
  // Custom widgets with the keyboard focus: a key went down (its virtual-key code); they ask
  // for the arrow keys too. The focus came or went.
  virtual void keyPressed(unsigned /*key*/) {}
  virtual void focusChanged(bool /*focused*/) {}

 protected:
  ~WidgetEvents() = default;
};

enum class WidgetKind {
  ApplicationWindow,  // hidden top-level owner of message boxes, never on the task bar
  Form,               // top-level dialog-bordered window without system menu
  PageControl,
  TabSheet,
  GroupBox,
  Label,
  Edit,
  ComboBox,  // drop-down with an edit field
  UpDown,
  CheckBox,
  Button,
  ListBox,
  Image,
  Custom,  // a plain child window that the program paints itself, and that reports clicks
};

// Appearance fixed at creation.
struct WidgetStyle {
  bool wordWrap = false;  // labels
  bool sorted = false;    // list boxes
  int itemHeight = 0;     // list boxes; 0 leaves the system's
  bool closeBox = false;  // forms: a system menu with a close box
  bool tabStop = false;   // custom widgets: Tab reaches them
};

// The native counterpart of one control. It mirrors what the control object tells it and
// reports the user's input through WidgetEvents; it holds no state the program reads.
class Widget {
 public:
  virtual ~Widget() = default;
  virtual Handle handle() const = 0;
  virtual void setText(const std::string& text) = 0;
  virtual void setBounds(Bounds bounds) = 0;
  virtual void setVisible(bool visible) = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual void setFont(const Font& font) = 0;
  virtual void setChecked(bool checked) = 0;
  virtual void setItems(const std::vector<std::string>& items) = 0;
  virtual void setItemIndex(int index) = 0;
  // Up-down buttons: range, position and the edit box whose text they step.
  virtual void setUpDown(int min, int max, int position, Widget* buddy) = 0;
  // Images and windows: an icon from the program's resources, by name.
  virtual void setIcon(const std::string& resourceName) = 0;
  // Page controls: the tab captions and the active tab.
  virtual void setTabs(const std::vector<std::string>& captions, int active) = 0;
  // Forms: show and bring to the front, centred on the screen when asked.
  virtual void show(bool centred) = 0;
  virtual void focus() = 0;
  // The tip shown while the mouse rests on the widget; empty shows none.
  virtual void setHint(const std::string& hint) = 0;
  // Custom widgets: the face is out of date and is to be painted again soon.
  virtual void invalidate() = 0;
  // Custom widgets: all mouse input comes here, wherever the pointer is, until released.
  virtual void setMouseCapture(bool capture) = 0;
};

// A menu's items in order; the items of a submenu follow the item that opens it, one level
// deeper.
struct MenuItemState {
  std::string caption;  // "-" is a separator
  bool isDefault = false;
  bool radio = false;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  int level = 0;
};

class PopupMenuPeer {
 public:
  virtual ~PopupMenuPeer() = default;
  virtual void setItems(const std::vector<MenuItemState>& items) = 0;
  // Shows the menu at a screen point for a window; returns the chosen item's index or -1.
  // An item that opens a submenu is never chosen itself.
  virtual int track(Point at, Handle owner) = 0;
};

// A hidden window that only carries timers; it never shows up among top-level windows.
class TimerWindow {
 public:
  virtual ~TimerWindow() = default;
  // False when the system has no timer left.
  virtual bool setTimer(unsigned id, std::uint32_t milliseconds) = 0;
  virtual void killTimer(unsigned id) = 0;
};

class TimerEvents {
 public:
  virtual void timerFired(unsigned id) = 0;

 protected:
  ~TimerEvents() = default;
};

// What a hidden message window receives. A message it leaves unanswered (nothing returned)
// gets the system's default handling.
class MessageEvents {
 public:
  virtual std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t wParam,
                                                      std::intptr_t lParam) = 0;

 protected:
  ~MessageEvents() = default;
};

// A hidden window that only receives messages. A top-level one also receives what is
// broadcast to top-level windows (such as the shell's restart notice) and appears in the
// walk over top-level windows, with an empty title; it is never shown.
class MessageWindow {
 public:
  virtual ~MessageWindow() = default;
  virtual Handle handle() const = 0;
};

// The window in front, and the monitor that it is on, in screen coordinates.
struct FrontWindow {
  Rect window;
  Rect monitor;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Widgets and windows.
  virtual std::unique_ptr<Widget> createWidget(WidgetKind kind, Widget* parent,
                                               const WidgetStyle& style, WidgetEvents& events) = 0;
  virtual std::unique_ptr<PopupMenuPeer> createPopupMenu() = 0;
  virtual std::unique_ptr<TimerWindow> createTimerWindow(TimerEvents& events) = 0;
  virtual std::unique_ptr<MessageWindow> createMessageWindow(MessageEvents& events,
                                                             bool topLevel) = 0;
  // Queues a message for a window; it arrives when the message loop next runs.
  virtual bool postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  // The system-wide number of a named message, the same in every process.
  virtual unsigned registerWindowMessage(const std::string& name) = 0;

  // The thread's top-level windows and their states, for modal boxes.
  virtual std::vector<Handle> threadWindows() = 0;
  virtual bool isWindowVisible(Handle window) = 0;
  virtual bool isWindowEnabled(Handle window) = 0;
  virtual void enableWindow(Handle window, bool enable) = 0;
  virtual Handle activeWindow() = 0;
  virtual void setActiveWindow(Handle window) = 0;
  virtual Handle captureWindow() = 0;
  virtual void cancelMode(Handle window) = 0;
  virtual void hideWindow(Handle window) = 0;

  // Returns the pressed button (mb::kIdOk, ...).
  virtual int messageBox(Handle owner, const std::string& text, const std::string& caption,
                         unsigned flags) = 0;

  // The message loop: runs until the quit message arrives and returns its exit code.
  virtual int runMessageLoop() = 0;
  // Handles every message already waiting, then returns.
  virtual void processMessages() = 0;
  // Handles messages until done() holds: the loop of a modal dialog. A quit message ends it
  // early and is kept for the message loop.
  virtual void runModalLoop(const std::function<bool()>& done) = 0;
  virtual void postQuit(int exitCode) = 0;

  // The walk over all top-level windows of the desktop in Z-order, topmost first (0 ends it),
  // and a window's title read as the system reads it into a buffer of `count` UTF-16 units:
  // at most count - 1 of them, cut between characters.
  virtual Handle topWindow() = 0;
  virtual Handle nextWindow(Handle window) = 0;
  virtual std::string windowText(Handle window, int count) = 0;

  // The cursor shown over the program's windows, by the application's slot number: 0 the
  // arrow, -11 the hourglass.
  virtual void setScreenCursor(int slot) = 0;
  // A cursor from the program's own resources, by name; 0 when it has none of that name.
  virtual CursorHandle loadCursor(const std::string& resourceName) = 0;

  // The room that the system's text drawing of the whole text takes in the font, with the
  // drawing flags (dt::...); with word breaking, lines break within `width`.
  virtual Size measureText(const std::string& text, const Font& font, unsigned flags,
                           int width) = 0;

  virtual TimeOfDay utcTimeOfDay() = 0;
  // The wall clock, in seconds since 1970-01-01 UTC. It goes on while the computer sleeps,
  // when timers stand still.
  virtual std::int64_t wallClock() = 0;
  // The local time of day at a moment of the wall clock.
  virtual TimeOfDay localTimeAt(std::int64_t wallSeconds) = 0;

  // The window in front of the user; nothing when none is, or when the desktop itself, the
  // task bar or the Start menu is.
  virtual std::optional<FrontWindow> frontWindow() = 0;
  // The shell says that the user is busy, presenting, or running a full-screen Direct3D
  // program; false where the system does not tell.
  virtual bool shellReportsBusy() = 0;
  virtual std::string moduleFileName() = 0;
};

// The desktop the program runs on.
using DesktopScope = ServiceScope<Desktop>;
inline Desktop& desktop() {
  return ServiceScope<Desktop>::get();
}

}  // namespace platform
