#include "platform/headless/HeadlessDesktop.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "platform/Utf8.h"
#include "platform/headless/HeadlessFaults.h"

namespace platform::headless {

class HeadlessTimerWindow : public TimerWindow {
 public:
  HeadlessTimerWindow(HeadlessDesktop& desktop, TimerEvents& events)
      : desktop_(desktop), events_(events) {}
  ~HeadlessTimerWindow() override {
    std::erase_if(desktop_.timers_, [this](const auto& t) { return t.first.window == this; });
  }

  bool setTimer(unsigned id, std::uint32_t milliseconds) override {
    if (Refused(Call::StartTimer)) return false;
    desktop_.timers_[{this, id}] = {&events_, milliseconds, desktop_.now_ + milliseconds};
    return true;
  }
  void killTimer(unsigned id) override { desktop_.timers_.erase({this, id}); }

 private:
  HeadlessDesktop& desktop_;
  TimerEvents& events_;
};

class HeadlessPopupMenu : public PopupMenuPeer {
 public:
  explicit HeadlessPopupMenu(HeadlessDesktop& desktop) : desktop_(desktop) {}
  void setItems(const std::vector<MenuItemState>& items) override { desktop_.menuShown = items; }
  int track(Point, Handle) override {
    if (desktop_.menuChoices_.empty()) return -1;
    int choice = desktop_.menuChoices_.front();
    desktop_.menuChoices_.pop_front();
    return choice;
  }

 private:
  HeadlessDesktop& desktop_;
};

class HeadlessMessageWindow : public MessageWindow {
 public:
  HeadlessMessageWindow(HeadlessDesktop& desktop, MessageEvents& events, bool topLevel)
      : desktop_(desktop), handle_(desktop.nextHandle_++) {
    desktop_.messageWindows_[handle_] = {&events, topLevel};
  }
  ~HeadlessMessageWindow() override {
    desktop_.messageWindows_.erase(handle_);
    std::erase_if(desktop_.posted_, [this](const auto& m) { return m.window == handle_; });
  }
  Handle handle() const override { return handle_; }

 private:
  HeadlessDesktop& desktop_;
  Handle handle_;
};

void RecordingPainter::fillRect(const Rect& rect, Color color) {
  ops.push_back({.kind = PaintOp::Kind::FillRect, .rect = rect, .color = color});
}

void RecordingPainter::drawText(const std::string& text, const Rect& rect, unsigned flags,
                                const Font& font, std::optional<Color> background) {
  ops.push_back({.kind = PaintOp::Kind::Text,
                 .rect = rect,
                 .color = font.color,
                 .text = text,
                 .flags = flags,
                 .font = font,
                 .background = background});
}

// The records without a font are built field by field: brace-initialised, the cross compiler
// at -O3 takes their font for uninitialised.
void RecordingPainter::polyline(const std::vector<Point>& points, Color color) {
  PaintOp& op = ops.emplace_back();
  op.kind = PaintOp::Kind::Polyline;
  op.color = color;
  op.points = points;
}

void RecordingPainter::rectangle(const Rect& rect, Color pen, std::optional<Color> fill) {
  PaintOp& op = ops.emplace_back();
  op.kind = PaintOp::Kind::Rectangle;
  op.rect = rect;
  op.color = pen;
  op.background = fill;
}

void RecordingPainter::drawBitmap(const std::string& resourceName, Point at, Color transparent) {
  PaintOp& op = ops.emplace_back();
  op.kind = PaintOp::Kind::Bitmap;
  op.rect = {at.x, at.y, at.x, at.y};
  op.color = transparent;
  op.text = resourceName;
}

void RecordingPainter::focusRect(const Rect& rect) {
  PaintOp& op = ops.emplace_back();
  op.kind = PaintOp::Kind::FocusRect;
  op.rect = rect;
}

std::vector<PaintOp> HeadlessWidget::paint() const {
  if (kind_ != WidgetKind::Custom) throw std::logic_error("the system paints its own controls");
  RecordingPainter painter;
  events_.paintRequested(painter);
  return std::move(painter.ops);
}

std::unique_ptr<Widget> HeadlessDesktop::createWidget(WidgetKind kind, Widget* parent,
                                                      const WidgetStyle& style,
                                                      WidgetEvents& events) {
  // As the real desktop does when the system has no room for another window.
  if (Refused(Call::CreateWindow)) {
    throw std::system_error(8, std::system_category(), "cannot create a window");
  }
  return std::make_unique<HeadlessWidget>(*this, kind, static_cast<HeadlessWidget*>(parent), style,
                                          events);
}

std::unique_ptr<PopupMenuPeer> HeadlessDesktop::createPopupMenu() {
  return std::make_unique<HeadlessPopupMenu>(*this);
}

std::unique_ptr<TimerWindow> HeadlessDesktop::createTimerWindow(TimerEvents& events) {
  return std::make_unique<HeadlessTimerWindow>(*this, events);
}

std::unique_ptr<MessageWindow> HeadlessDesktop::createMessageWindow(MessageEvents& events,
                                                                    bool topLevel) {
  return std::make_unique<HeadlessMessageWindow>(*this, events, topLevel);
}

bool HeadlessDesktop::postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
  if (!messageWindows_.contains(window)) return false;
  posted_.push_back({window, message, wParam, lParam});
  return true;
}

unsigned HeadlessDesktop::registerWindowMessage(const std::string& name) {
  auto [it, added] = registeredMessages_.try_emplace(
      name, 0xC000u + static_cast<unsigned>(registeredMessages_.size()));
  return it->second;
}

void HeadlessDesktop::processMessages() {
  while (!posted_.empty()) {
    PostedMessage m = posted_.front();
    posted_.pop_front();
    if (auto it = messageWindows_.find(m.window); it != messageWindows_.end()) {
      it->second.events->messageArrived(m.message, m.wParam, m.lParam);
    }
  }
}

std::vector<Handle> HeadlessDesktop::threadWindows() {
  std::vector<Handle> result;
  for (const auto& [handle, w] : widgets_) {
    if (w->parent_ == nullptr) result.push_back(handle);
  }
  for (const auto& [handle, w] : messageWindows_) {
    if (w.topLevel) result.push_back(handle);
  }
  return result;
}

bool HeadlessDesktop::isWindowVisible(Handle window) {
  const HeadlessWidget* w = widget(window);
  return w != nullptr && w->visible_;
}

bool HeadlessDesktop::isWindowEnabled(Handle window) {
  const HeadlessWidget* w = widget(window);
  return messageWindows_.contains(window) || (w != nullptr && w->enabled_);
}

void HeadlessDesktop::enableWindow(Handle window, bool enable) {
  if (auto it = widgets_.find(window); it != widgets_.end()) it->second->enabled_ = enable;
}

void HeadlessDesktop::hideWindow(Handle window) {
  if (auto it = widgets_.find(window); it != widgets_.end()) it->second->visible_ = false;
}

int HeadlessDesktop::messageBox(Handle owner, const std::string& text, const std::string& caption,
                                unsigned flags) {
  ShownMessageBox box{owner, text, caption, flags, {}};
  for (Handle h : threadWindows()) {
    if (isWindowEnabled(h)) box.enabledWhileShown.push_back(h);
  }
  messageBoxes.push_back(std::move(box));
  if (boxAnswers_.empty()) return mb::kIdOk;
  const BoxAnswer answer = boxAnswers_.front();
  boxAnswers_.pop_front();
  if (answer.readFor > 0) advance(answer.readFor);
  return answer.button;
}

int HeadlessDesktop::runMessageLoop() {
  for (;;) {
    processMessages();
    if (quitPosted()) break;
    auto next = nextEventIn();
    if (!next) throw std::logic_error("message loop would wait for ever: no timer and no quit");
    advance(*next);
  }
  int code = *quitCode_;
  quitCode_.reset();
  return code;
}

void HeadlessDesktop::runModalLoop(const std::function<bool()>& done) {
  if (modalAnswers_.empty()) throw std::logic_error("no answer scripted for a modal dialog");
  auto answer = std::move(modalAnswers_.front());
  modalAnswers_.pop_front();
  answer();
  processMessages();
  if (!done()) throw std::logic_error("the scripted answer left the modal dialog open");
}

Handle HeadlessDesktop::openForeignWindow(const std::string& title, Rect bounds) {
  Handle handle = nextHandle_++;
  foreignWindows_[handle] = {title, bounds};
  return handle;
}

// The newest foreign window is in front; the program's own windows never fill the screen.
std::optional<FrontWindow> HeadlessDesktop::frontWindow() {
  if (foreignWindows_.empty()) return std::nullopt;
  return FrontWindow{foreignWindows_.rbegin()->second.bounds, kMonitor};
}

std::vector<Handle> HeadlessDesktop::zOrder() {
  std::vector<Handle> order = threadWindows();
  // Each foreign window opened later lies above those before it.
  for (const auto& foreign : foreignWindows_) order.insert(order.begin(), foreign.first);
  return order;
}

Handle HeadlessDesktop::topWindow() {
  auto order = zOrder();
  return order.empty() ? 0 : order.front();
}

Handle HeadlessDesktop::nextWindow(Handle window) {
  auto order = zOrder();
  auto it = std::find(order.begin(), order.end(), window);
  return it == order.end() || it + 1 == order.end() ? 0 : *(it + 1);
}

std::string HeadlessDesktop::windowText(Handle window, int count) {
  std::string title;
  if (auto f = foreignWindows_.find(window); f != foreignWindows_.end()) {
    title = f->second.title;
  } else if (auto w = widgets_.find(window); w != widgets_.end()) {
    title = w->second->text_;
  }
  if (count <= 0) return {};
  // A title is a zero-terminated text to the system.
  title.resize(std::min(title.find('\0'), title.size()));
  return title.substr(0, Utf8PrefixWithin(title, static_cast<std::size_t>(count - 1)));
}

Size HeadlessDesktop::measureText(const std::string& text, const Font& font, unsigned flags,
                                  int width) {
  const int em = font.height < 0 ? -font.height : font.height;
  const int charWidth = (em + 1) / 2;
  const int lineHeight = em + 2;
  // The characters that show: "&" only marks the next one unless prefixes are off.
  std::vector<std::string> lines{""};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') {
      lines.emplace_back();
    } else if (c == '&' && (flags & dt::kNoPrefix) == 0 && i + 1 < text.size()) {
      lines.back() += text[++i];
    } else if (c == '\t' && (flags & dt::kExpandTabs) != 0) {
      lines.back().append(8 - lines.back().size() % 8, ' ');
    } else if (c != '\r') {
      lines.back() += c;
    }
  }
  const auto columns = [&](const std::string& line) {
    return static_cast<int>(line.size()) * charWidth;
  };
  Size size;
  const auto addRow = [&](const std::string& row) {
    size.width = std::max(size.width, columns(row));
    size.height += lineHeight;
  };
  for (const std::string& line : lines) {
    if ((flags & dt::kWordBreak) == 0) {
      addRow(line);
      continue;
    }
    // Words go onto the line while they fit; a word wider than the whole width stands alone.
    std::string row;
    std::size_t start = 0;
    do {
      const std::size_t end = std::min(line.find(' ', start), line.size());
      const std::string word = line.substr(start, end - start);
      const std::string longer = row.empty() ? word : row + " " + word;
      if (!row.empty() && columns(longer) > width) {
        addRow(row);
        row = word;
      } else {
        row = longer;
      }
      start = end + 1;
    } while (start <= line.size());
    addRow(row);
  }
  return size;
}

TimeOfDay HeadlessDesktop::utcTimeOfDay() {
  constexpr std::uint64_t kDay = 24ull * 60 * 60 * 1000;
  auto ms = static_cast<int>(wallMilliseconds() % kDay);
  return {ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
}

TimeOfDay HeadlessDesktop::localTimeAt(std::int64_t wallSeconds) {
  constexpr std::int64_t kDay = 24 * 60 * 60;
  const auto s = static_cast<int>((wallSeconds % kDay + kDay) % kDay);
  return {s / 3600, s / 60 % 60, s % 60, 0};
}

std::optional<std::uint64_t> HeadlessDesktop::nextEventIn() const {
  std::optional<std::uint64_t> earliest;
  if (!userActions_.empty()) earliest = userActions_.begin()->first;
  for (const auto& [key, t] : timers_) {
    if (t.interval == 0) continue;  // a zero interval never fires
    if (!earliest || t.due < *earliest) earliest = t.due;
  }
  if (!earliest) return std::nullopt;
  return *earliest > now_ ? *earliest - now_ : 0;
}

void HeadlessDesktop::advance(std::uint64_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  for (;;) {
    processMessages();
    auto next = nextEventIn();
    if (!next || now_ + *next > target) break;
    now_ += *next;
    if (!userActions_.empty() && userActions_.begin()->first <= now_) {
      auto action = std::move(userActions_.begin()->second);
      userActions_.erase(userActions_.begin());
      action();
      continue;
    }
    // The earliest due timer fires; among timers due together, the first in key order.
    auto due = std::find_if(timers_.begin(), timers_.end(), [this](const auto& t) {
      return t.second.interval != 0 && t.second.due <= now_;
    });
    due->second.due = now_ + due->second.interval;  // system timers repeat until killed
    due->second.events->timerFired(due->first.id);
  }
  // A blocked thread may have carried the clock past the target.
  now_ = std::max(now_, target);
}

const HeadlessWidget* HeadlessDesktop::child(Handle parent, const std::string& text) const {
  for (const auto& [handle, w] : widgets_) {
    if (w->parent_ != nullptr && w->parent_->handle_ == parent && w->text_ == text) return w;
  }
  return nullptr;
}

const HeadlessWidget* HeadlessDesktop::widget(Handle handle) const {
  auto it = widgets_.find(handle);
  return it == widgets_.end() ? nullptr : it->second;
}

CursorHandle HeadlessDesktop::loadCursor(const std::string& resourceName) {
  loadedCursors.push_back(resourceName);
  auto [it, added] = cursors_.try_emplace(resourceName, nextHandle_);
  if (added) ++nextHandle_;
  return it->second;
}

}  // namespace platform::headless
