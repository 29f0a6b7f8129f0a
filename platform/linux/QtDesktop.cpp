#include "platform/linux/QtDesktop.h"

#include <xcb/xproto.h>
#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <QWidget>

#include <unistd.h>
#include <csignal>
#include <ctime>

#include <algorithm>
#include <chrono>

#include "platform/linux/QtCanvas.h"
#include "platform/linux/QtPopupMenu.h"
#include "platform/linux/QtWidget.h"
#include "platform/linux/X11WindowRaising.h"
#include "platform/win32/Utf16.h"

namespace platform::linuxdesktop {

std::mutex& QtHandles::lock() {
  static std::mutex mutex;
  return mutex;
}

std::map<Handle, QPointer<QObject>>& QtHandles::objects() {
  static std::map<Handle, QPointer<QObject>> known;
  return known;
}

// Entries whose object went with its parent are dropped as new ones come.
Handle QtHandles::add(QObject* object) {
  const std::lock_guard guard(lock());
  std::erase_if(objects(), [](const auto& entry) { return entry.second.isNull(); });
  objects()[of(object)] = object;
  return of(object);
}

void QtHandles::remove(Handle handle) {
  const std::lock_guard guard(lock());
  objects().erase(handle);
}

QObject* QtHandles::object(Handle handle) {
  const std::lock_guard guard(lock());
  const auto it = objects().find(handle);
  return it == objects().end() ? nullptr : it->second.data();
}

QWidget* QtHandles::widget(Handle handle) {
  return qobject_cast<QWidget*>(object(handle));
}

namespace {

const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

struct MessageEvent final : QEvent {
  MessageEvent(unsigned what, std::uintptr_t w, std::intptr_t l)
      : QEvent(kMessageEvent), message(what), wParam(w), lParam(l) {}
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class QtMessageWindow final : public QObject, public MessageWindow {
 public:
  explicit QtMessageWindow(MessageEvents& events)
      : events_(events), handle_(QtHandles::add(this)) {}
  ~QtMessageWindow() override { QtHandles::remove(handle_); }
  Handle handle() const override { return handle_; }
  bool event(QEvent* event) override {
    if (event->type() != kMessageEvent) return QObject::event(event);
    const auto* message = static_cast<MessageEvent*>(event);
    events_.messageArrived(message->message, message->wParam, message->lParam);
    return true;
  }

 private:
  MessageEvents& events_;
  Handle handle_;
};

// The system's timers fire no more often than every 10 ms.
constexpr std::uint32_t kShortestTimer = 10;

class QtTimerWindow final : public QObject, public TimerWindow {
 public:
  explicit QtTimerWindow(TimerEvents& events) : events_(events) {}
  // Setting a timer again starts its interval over.
  bool setTimer(unsigned id, std::uint32_t milliseconds) override {
    killTimer(id);
    const int timer = startTimer(std::chrono::milliseconds(std::max(milliseconds, kShortestTimer)),
                                 Qt::CoarseTimer);
    if (timer == 0) return false;
    timers_[id] = timer;
    return true;
  }
  void killTimer(unsigned id) override {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    QObject::killTimer(it->second);
    timers_.erase(it);
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    for (const auto& [id, timer] : timers_) {
      if (timer == event->timerId()) {
        events_.timerFired(id);
        return;
      }
    }
  }

 private:
  TimerEvents& events_;
  std::map<unsigned, int> timers_;
};

int signalPipe[2] = {-1, -1};

void signalArrived(int /*signal*/) {
  const char byte = 0;
  static_cast<void>(write(signalPipe[1], &byte, 1));
}

}  // namespace

bool QtHandles::post(Handle handle, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  // The lock keeps the object from going while the event is posted to it.
  const std::lock_guard guard(lock());
  const auto it = objects().find(handle);
  if (it == objects().end() || it->second.isNull()) return false;
  QCoreApplication::postEvent(it->second.data(), new MessageEvent(message, wParam, lParam));
  return true;
}

// Brings the program's shown windows forward when a second start asks for it.
class QtDesktop::RaiseFilter final : public QAbstractNativeEventFilter {
 public:
  explicit RaiseFilter(std::uint32_t type) : type_(type) {}
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    if (static_cast<const xcb_client_message_event_t*>(message)->type != type_) return false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      window->showNormal();
      window->raise();
      window->activateWindow();
    }
    return true;
  }

 private:
  std::uint32_t type_;
};

QtDesktop::QtDesktop()
    : raiseFilter_(std::make_unique<RaiseFilter>(
          static_cast<std::uint32_t>(windows_.atom(X11WindowRaising::kRaiseMessage)))) {
  QApplication::setQuitOnLastWindowClosed(false);
  // The program's window font, and the metrics its layout was measured in, come from Wine's
  // stand-ins for the Windows fonts; without them the nearest font is taken.
  for (const char* font : {"ms_sans_serif.ttf", "tahoma.ttf"}) {
    QFontDatabase::addApplicationFont(QString("/usr/share/wine/fonts/") + font);
  }
  QCoreApplication::instance()->installNativeEventFilter(raiseFilter_.get());
  if (signalPipe[0] < 0 && pipe(signalPipe) == 0) {
    signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, [this] {
      char byte = 0;
      static_cast<void>(read(signalPipe[0], &byte, 1));
      quitOnSignal();
    });
    std::signal(SIGTERM, signalArrived);
    std::signal(SIGINT, signalArrived);
  }
}

void QtDesktop::quitOnSignal() {
  postQuit(0);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

QtDesktop::~QtDesktop() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(raiseFilter_.get());
  }
}

std::unique_ptr<Widget> QtDesktop::createWidget(WidgetKind kind, Widget* parent,
                                                const WidgetStyle& style, WidgetEvents& events) {
  // Every widget of this desktop is a QtWidget.
  return MakeQtWidget(kind, static_cast<QtWidget*>(parent), style, events);
}

std::unique_ptr<PopupMenuPeer> QtDesktop::createPopupMenu() {
  return std::make_unique<QtPopupMenu>();
}

std::unique_ptr<TimerWindow> QtDesktop::createTimerWindow(TimerEvents& events) {
  return std::make_unique<QtTimerWindow>(events);
}

std::unique_ptr<MessageWindow> QtDesktop::createMessageWindow(MessageEvents& events,
                                                              bool /*topLevel*/) {
  return std::make_unique<QtMessageWindow>(events);
}

bool QtDesktop::postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
  return QtHandles::post(window, message, wParam, lParam);
}

// Numbers from the range the system gives named messages; the tray's own restart notice
// never comes, as Qt adds the icon again itself.
unsigned QtDesktop::registerWindowMessage(const std::string& name) {
  const auto [it, added] =
      messageNumbers_.emplace(name, 0xC000u + static_cast<unsigned>(messageNumbers_.size()));
  return it->second;
}

std::vector<Handle> QtDesktop::threadWindows() {
  std::vector<Handle> windows;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (QtHandles::object(QtHandles::of(window)) == window)
      windows.push_back(QtHandles::of(window));
  }
  return windows;
}

bool QtDesktop::isWindowVisible(Handle window) {
  const QWidget* widget = QtHandles::widget(window);
  return widget != nullptr && widget->isVisible();
}

bool QtDesktop::isWindowEnabled(Handle window) {
  const QWidget* widget = QtHandles::widget(window);
  return widget != nullptr && widget->isEnabled();
}

void QtDesktop::enableWindow(Handle window, bool enable) {
  if (QWidget* widget = QtHandles::widget(window)) widget->setEnabled(enable);
}

Handle QtDesktop::activeWindow() {
  return QtHandles::of(QApplication::activeWindow());
}

void QtDesktop::setActiveWindow(Handle window) {
  if (QWidget* widget = QtHandles::widget(window); widget != nullptr && widget->isVisible()) {
    widget->activateWindow();
  }
}

Handle QtDesktop::captureWindow() {
  return QtHandles::of(QWidget::mouseGrabber());
}

void QtDesktop::cancelMode(Handle window) {
  if (QWidget* widget = QtHandles::widget(window)) widget->releaseMouse();
}

void QtDesktop::hideWindow(Handle window) {
  if (QWidget* widget = QtHandles::widget(window)) widget->hide();
}

// The texts are the program's and the user's, shown as they are, never as markup.
int QtDesktop::messageBox(Handle owner, const std::string& text, const std::string& caption,
                          unsigned flags) {
  QWidget* parent = QtHandles::widget(owner);
  const unsigned icon = flags & 0xF0;
  QMessageBox box(icon == mb::kIconError         ? QMessageBox::Critical
                  : icon == mb::kIconExclamation ? QMessageBox::Warning
                  : icon == 0x40                 ? QMessageBox::Information
                  : icon == 0x20                 ? QMessageBox::Question
                                                 : QMessageBox::NoIcon,
                  ToQt(caption), ToQt(text), QMessageBox::Ok,
                  parent != nullptr && parent->isVisible() ? parent : nullptr);
  box.setTextFormat(Qt::PlainText);
  if (!quitAsked_) box.exec();
  return mb::kIdOk;
}

int QtDesktop::runMessageLoop() {
  while (!quit_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return *std::exchange(quit_, std::nullopt);
}

void QtDesktop::processMessages() {
  QCoreApplication::processEvents();
}

void QtDesktop::runModalLoop(const std::function<bool()>& done) {
  while (!done() && !quit_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtDesktop::postQuit(int exitCode) {
  if (!quit_) quit_ = exitCode;
  quitAsked_ = true;
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    dispatcher->wakeUp();
  }
}

Handle QtDesktop::topWindow() {
  walk_ = windows_.topLevelWindows();
  return walk_.empty() ? 0 : walk_.front();
}

Handle QtDesktop::nextWindow(Handle window) {
  const auto it = std::ranges::find(walk_, window);
  return it == walk_.end() || it + 1 == walk_.end() ? 0 : *(it + 1);
}

std::string QtDesktop::windowText(Handle window, int count) {
  if (count <= 0) return {};
  const QWidget* own = QtHandles::widget(window);
  using win32::CutBetweenCharacters;
  using win32::Utf8;
  const std::wstring title =
      win32::Wide(own != nullptr ? FromQt(own->windowTitle()) : windows_.title(window));
  return Utf8(title.substr(0, CutBetweenCharacters(title, static_cast<std::size_t>(count - 1))));
}

void QtDesktop::setScreenCursor(int slot) {
  constexpr int kHourGlass = -11;
  const bool wait = slot == kHourGlass;
  if (wait == waitCursor_) return;
  waitCursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// The program's one cursor is the hand over its mail link: the desktop's own hand.
CursorHandle QtDesktop::loadCursor(const std::string& resourceName) {
  static const QCursor hand(Qt::PointingHandCursor);
  return resourceName == "HAND" ? reinterpret_cast<CursorHandle>(&hand) : 0;
}

Size QtDesktop::measureText(const std::string& text, const Font& font, unsigned flags, int width) {
  const QFontMetrics metrics(QtFont(font));
  constexpr int kUnbounded = 1 << 20;
  const int room = (flags & dt::kWordBreak) != 0 ? width : kUnbounded;
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, room, kUnbounded), QtTextFlags(flags), ToQt(text));
  return {needed.width(), needed.height()};
}

TimeOfDay QtDesktop::utcTimeOfDay() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  const auto millisecond =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return {utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millisecond)};
}

std::int64_t QtDesktop::wallClock() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

TimeOfDay QtDesktop::localTimeAt(std::int64_t wallSeconds) {
  const auto moment = static_cast<std::time_t>(wallSeconds);
  std::tm local{};
  if (localtime_r(&moment, &local) == nullptr) return {};
  return {local.tm_hour, local.tm_min, local.tm_sec, 0};
}

std::optional<FrontWindow> QtDesktop::frontWindow() {
  return windows_.frontWindow();
}

// The desktops of X11 keep no common busy or presentation state.
bool QtDesktop::shellReportsBusy() {
  return false;
}

std::string QtDesktop::moduleFileName() {
  return FromQt(QCoreApplication::applicationFilePath());
}

}  // namespace platform::linuxdesktop
