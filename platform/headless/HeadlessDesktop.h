#pragma once
// An in-memory desktop for tests: a virtual clock with its timers, top-level windows with
// their states, widgets that keep what they are told of what tests look at, and a scriptable
// user who answers message boxes and menus. What the program does is recorded for tests.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::headless {

class HeadlessWidget;

// One drawing call of a paint, with everything that it drew with.
struct PaintOp {
  // A bitmap's rect holds its top-left corner only, its text the resource name and its
  // colour the transparent one; a rectangle's colour is its pen and its background the fill.
  enum class Kind { FillRect, Text, Polyline, Rectangle, Bitmap, FocusRect };
  Kind kind = Kind::FillRect;
  Rect rect{};
  // The fill colour, or the text's: its font's colour.
  Color color = 0;
  std::string text{};
  unsigned flags = 0;
  Font font{};
  std::optional<Color> background{};
  std::vector<Point> points{};
  bool operator==(const PaintOp&) const = default;
};

// Draws nothing: it lists every drawing call in order.
class RecordingPainter final : public Painter {
 public:
  void fillRect(const Rect& rect, Color color) override;
  void drawText(const std::string& text, const Rect& rect, unsigned flags, const Font& font,
                std::optional<Color> background) override;
  void polyline(const std::vector<Point>& points, Color color) override;
  void rectangle(const Rect& rect, Color pen, std::optional<Color> fill) override;
  void drawBitmap(const std::string& resourceName, Point at, Color transparent) override;
  void focusRect(const Rect& rect) override;

  std::vector<PaintOp> ops;
};

struct ShownMessageBox {
  Handle owner = 0;
  std::string text;
  std::string caption;
  unsigned flags = 0;
  // Which of the thread's windows were enabled while the box was up.
  std::vector<Handle> enabledWhileShown;
};

class HeadlessDesktop : public Desktop {
 public:
  std::unique_ptr<Widget> createWidget(WidgetKind kind, Widget* parent, const WidgetStyle& style,
                                       WidgetEvents& events) override;
  std::unique_ptr<PopupMenuPeer> createPopupMenu() override;
  std::unique_ptr<TimerWindow> createTimerWindow(TimerEvents& events) override;
  std::unique_ptr<MessageWindow> createMessageWindow(MessageEvents& events, bool topLevel) override;
  bool postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  unsigned registerWindowMessage(const std::string& name) override;

  std::vector<Handle> threadWindows() override;
  bool isWindowVisible(Handle window) override;
  bool isWindowEnabled(Handle window) override;
  void enableWindow(Handle window, bool enable) override;
  Handle activeWindow() override { return active_; }
  void setActiveWindow(Handle window) override { active_ = window; }
  Handle captureWindow() override { return capture_; }
  void cancelMode(Handle window) override { cancelModeSentTo.push_back(window); }
  void hideWindow(Handle window) override;

  int messageBox(Handle owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;

  int runMessageLoop() override;
  // Delivers every posted message, including those posted on the way.
  void processMessages() override;
  void postQuit(int exitCode) override {
    if (!quitCode_) quitCode_ = exitCode;
  }
  // The scripted user's answer to the next modal dialog runs in its loop; the dialog must
  // be closed by it.
  void runModalLoop(const std::function<bool()>& done) override;
  void answerNextModal(std::function<void()> answer) { modalAnswers_.push_back(std::move(answer)); }
  Handle focusedWindow() const { return focused_; }

  Handle topWindow() override;
  Handle nextWindow(Handle window) override;
  std::string windowText(Handle window, int count) override;

  void setScreenCursor(int slot) override { screenCursors.push_back(slot); }
  // The same name always gives the same cursor, as the system's shared resources do.
  CursorHandle loadCursor(const std::string& resourceName) override;

  // Text in a model font: every character is half the font's height wide (rounded up), a
  // tab reaches the next multiple of eight characters, and a line is the height plus 2.
  Size measureText(const std::string& text, const Font& font, unsigned flags, int width) override;

  TimeOfDay utcTimeOfDay() override;
  std::int64_t wallClock() override { return static_cast<std::int64_t>(wallMilliseconds() / 1000); }
  // Local time is UTC here.
  TimeOfDay localTimeAt(std::int64_t wallSeconds) override;
  std::optional<FrontWindow> frontWindow() override;
  bool shellReportsBusy() override { return shellBusy; }
  std::string moduleFileName() override { return moduleFileName_; }

  // The virtual clock, in milliseconds since the desktop was made.
  std::uint64_t now() const { return now_; }
  // Moves the clock on, firing every timer that falls due on the way, in order.
  void advance(std::uint64_t milliseconds);
  // Time passing while the thread is blocked (a waited play): nothing runs meanwhile, and
  // timers that fell due fire once when time next advances.
  void blockFor(std::uint64_t milliseconds) { now_ += milliseconds; }
  // The computer sleeping: the wall clock goes on, timers and the user stand still.
  void sleep(std::uint64_t milliseconds) { slept_ += milliseconds; }
  // Another program's top-level window, put on top of the Z-order, at its place on the one
  // monitor; returns its handle.
  static constexpr Rect kMonitor{0, 0, 1024, 768};
  Handle openForeignWindow(const std::string& title, Rect bounds = {100, 100, 740, 580});
  void closeForeignWindow(Handle window) { foreignWindows_.erase(window); }
  // Time until the next timer or user action is due, or nothing when none is coming.
  std::optional<std::uint64_t> nextEventIn() const;
  std::size_t runningTimers() const { return timers_.size(); }

  // What the clock shows at virtual time 0, as milliseconds since midnight UTC.
  void setUtcMillisecondsAtStart(std::uint32_t ms) { utcAtStart_ = ms; }
  void setModuleFileName(std::string name) { moduleFileName_ = std::move(name); }
  void setCapture(Handle window) { capture_ = window; }

  // The scripted user: answers for coming message boxes and menus, in order.
  // Unscripted boxes are answered with OK, unscripted menus with no choice.
  // The user may read a box for a while before answering; the box's own message loop runs
  // the program's timers meanwhile.
  void answerNextMessageBox(int button, std::uint64_t readFor = 0) {
    boxAnswers_.push_back({button, readFor});
  }
  // Something the user does after a delay on the virtual clock.
  void actAfter(std::uint64_t milliseconds, std::function<void()> action) {
    userActions_.emplace(now_ + milliseconds, std::move(action));
  }
  void chooseNextMenuItem(int index) { menuChoices_.push_back(index); }
  // The items of the menu shown last, as the peer numbers them.
  std::vector<MenuItemState> menuShown;

  std::vector<ShownMessageBox> messageBoxes;
  std::vector<Handle> cancelModeSentTo;
  bool shellBusy = false;
  // Every cursor the program showed, in order.
  std::vector<int> screenCursors;
  // Every cursor the program loaded from its resources, by name, in order.
  std::vector<std::string> loadedCursors;
  bool quitPosted() const { return quitCode_.has_value(); }
  int quitCode() const { return quitCode_.value_or(-1); }
  // Widget behind a handle, for looking at what the program mirrored into it.
  const HeadlessWidget* widget(Handle handle) const;
  // The child of a window that shows a text, as a user finds a button by its caption.
  const HeadlessWidget* child(Handle parent, const std::string& text) const;

 private:
  friend class HeadlessWidget;
  friend class HeadlessTimerWindow;
  friend class HeadlessPopupMenu;
  friend class HeadlessMessageWindow;

  struct PostedMessage {
    Handle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  struct HiddenWindow {
    MessageEvents* events;
    bool topLevel;
  };

  struct TimerKey {
    const void* window;
    unsigned id;
    auto operator<=>(const TimerKey&) const = default;
  };
  struct RunningTimer {
    TimerEvents* events;
    std::uint32_t interval;
    std::uint64_t due;
  };

  Handle nextHandle_ = 0x100;
  std::map<Handle, HeadlessWidget*> widgets_;
  std::map<TimerKey, RunningTimer> timers_;
  std::uint64_t now_ = 0;
  std::uint32_t utcAtStart_ = 0;
  std::uint64_t slept_ = 0;
  std::uint64_t wallMilliseconds() const { return utcAtStart_ + now_ + slept_; }
  std::string moduleFileName_ = "C:\\Program Files\\Wumpex\\wumpex.exe";
  Handle active_ = 0;
  Handle capture_ = 0;
  struct BoxAnswer {
    int button;
    std::uint64_t readFor;
  };
  std::deque<BoxAnswer> boxAnswers_;
  std::deque<int> menuChoices_;
  std::deque<std::function<void()>> modalAnswers_;
  Handle focused_ = 0;
  std::optional<int> quitCode_;
  std::multimap<std::uint64_t, std::function<void()>> userActions_;
  std::map<Handle, HiddenWindow> messageWindows_;
  std::deque<PostedMessage> posted_;
  std::map<std::string, unsigned> registeredMessages_;
  struct ForeignWindow {
    std::string title;
    Rect bounds;
  };
  std::map<Handle, ForeignWindow> foreignWindows_;
  std::map<std::string, CursorHandle> cursors_;
  // Top-level windows, topmost first: foreign windows as opened, then the program's own.
  std::vector<Handle> zOrder();
};

// A widget that keeps the last state the program gave it, of what tests look at; its up-down
// range goes unrecorded.
class HeadlessWidget : public Widget {
 public:
  HeadlessWidget(HeadlessDesktop& desktop, WidgetKind kind, HeadlessWidget* parent,
                 WidgetStyle style, WidgetEvents& events)
      : desktop_(desktop),
        kind_(kind),
        parent_(parent),
        style_(style),
        events_(events),
        handle_(desktop.nextHandle_++) {
    desktop_.widgets_[handle_] = this;
  }
  ~HeadlessWidget() override { desktop_.widgets_.erase(handle_); }

  Handle handle() const override { return handle_; }
  void setText(const std::string& text) override { text_ = text; }
  void setBounds(Bounds bounds) override { bounds_ = bounds; }
  void setVisible(bool visible) override { visible_ = visible; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  void setFont(const Font& font) override { font_ = font; }
  void setChecked(bool checked) override { checked_ = checked; }
  void setItems(const std::vector<std::string>& items) override {
    items_ = items;
    ++itemUpdates_;
  }
  void setItemIndex(int index) override { itemIndex_ = index; }
  void setUpDown(int, int, int, Widget*) override {}
  void setIcon(const std::string& resourceName) override { icon_ = resourceName; }
  void setTabs(const std::vector<std::string>& captions, int active) override {
    items_ = captions;
    itemIndex_ = active;
  }
  void setHint(const std::string& hint) override { hint_ = hint; }
  void show(bool centred) override {
    visible_ = true;
    if (centred) ++timesCentred_;
  }
  void focus() override { desktop_.focused_ = handle_; }
  void invalidate() override {}
  void setMouseCapture(bool capture) override { desktop_.capture_ = capture ? handle_ : 0; }

  WidgetKind kind() const { return kind_; }
  const HeadlessWidget* parent() const { return parent_; }
  const std::string& text() const { return text_; }
  Bounds bounds() const { return bounds_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  bool checked() const { return checked_; }
  const Font& font() const { return font_; }
  int itemIndex() const { return itemIndex_; }
  const std::vector<std::string>& items() const { return items_; }
  const std::string& icon() const { return icon_; }
  const std::string& hint() const { return hint_; }
  const WidgetStyle& style() const { return style_; }
  // The user acting on the widget.
  WidgetEvents& events() const { return events_; }
  // How often the whole list of items was sent.
  int itemUpdates() const { return itemUpdates_; }
  // How often a form was placed at the centre of the screen.
  int timesCentred() const { return timesCentred_; }
  // Paints the widget as the system does when it comes into view; returns what was drawn.
  std::vector<PaintOp> paint() const;

 private:
  friend class HeadlessDesktop;
  HeadlessDesktop& desktop_;
  WidgetKind kind_;
  HeadlessWidget* parent_;
  WidgetStyle style_;
  WidgetEvents& events_;
  Handle handle_;
  std::string text_;
  Bounds bounds_;
  bool visible_ = false;
  bool enabled_ = true;
  bool checked_ = false;
  Font font_;
  int itemIndex_ = -1;
  std::vector<std::string> items_;
  std::string icon_;
  std::string hint_;
  int timesCentred_ = 0;
  int itemUpdates_ = 0;
};

}  // namespace platform::headless
