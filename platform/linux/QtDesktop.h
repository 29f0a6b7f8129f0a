#pragma once
// The Linux desktop on Qt Widgets and X11. The program's native objects (widgets, hidden
// message and timer windows) are known by the address of their Qt object, which no X11
// window id can equal; the walk over top-level windows and the window in front come from
// X11, so that Be Quiet sees every program of the session, not only this one's.
//
// The loops follow the system the program was written for: the message loop runs until a
// quit is asked for, a modal loop until its condition holds or a quit comes (which it leaves
// for the message loop), and messages posted to a hidden window arrive in order on the
// window thread, from any thread. SIGTERM and SIGINT ask for the same quit as the program's
// own Shutdown, so that a log-out ends it in order, also while a box or dialog is open.

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/linux/X11WindowList.h"

class QSocketNotifier;
class QWidget;

namespace platform::linuxdesktop {

// The program's native objects by handle. Lookups and posts may come from any thread.
class QtHandles {
 public:
  static Handle add(QObject* object);
  static void remove(Handle handle);
  // On the window thread only: null for a handle that names nothing of the program.
  static QObject* object(Handle handle);
  static QWidget* widget(Handle handle);
  static Handle of(const QObject* object) { return reinterpret_cast<Handle>(object); }
  // Delivers a message to a hidden window when the loop next runs; false when none has the
  // handle.
  static bool post(Handle handle, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  static std::mutex& lock();
  static std::map<Handle, QPointer<QObject>>& objects();
};

class QtDesktop final : public Desktop {
 public:
  QtDesktop();
  ~QtDesktop() override;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

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
  Handle activeWindow() override;
  void setActiveWindow(Handle window) override;
  Handle captureWindow() override;
  void cancelMode(Handle window) override;
  void hideWindow(Handle window) override;

  int messageBox(Handle owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;

  int runMessageLoop() override;
  void processMessages() override;
  void runModalLoop(const std::function<bool()>& done) override;
  void postQuit(int exitCode) override;

  Handle topWindow() override;
  Handle nextWindow(Handle window) override;
  std::string windowText(Handle window, int count) override;

  void setScreenCursor(int slot) override;
  CursorHandle loadCursor(const std::string& resourceName) override;
  Size measureText(const std::string& text, const Font& font, unsigned flags, int width) override;

  TimeOfDay utcTimeOfDay() override;
  std::int64_t wallClock() override;
  TimeOfDay localTimeAt(std::int64_t wallSeconds) override;
  std::optional<FrontWindow> frontWindow() override;
  bool shellReportsBusy() override;
  std::string moduleFileName() override;

  // A quit has been asked for: dialogs that would wait for the user are not shown.
  static bool QuitAsked() { return quitAsked_; }

 private:
  // A signal ends the dialogs that wait for the user, then the loops.
  void quitOnSignal();
  static inline bool quitAsked_ = false;
  class RaiseFilter;

  std::optional<int> quit_;
  bool waitCursor_ = false;
  std::map<std::string, unsigned> messageNumbers_;
  X11WindowList windows_;
  // The walk's snapshot, taken when it starts at the top.
  std::vector<Handle> walk_;
  std::unique_ptr<RaiseFilter> raiseFilter_;
  std::unique_ptr<QSocketNotifier> signalNotifier_;
};

}  // namespace platform::linuxdesktop
