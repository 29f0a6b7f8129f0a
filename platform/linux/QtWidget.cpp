#include "platform/linux/QtWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/linux/QtCanvas.h"
#include "platform/linux/QtDesktop.h"

namespace platform::linuxdesktop {

QtWidget::QtWidget(QWidget* native, WidgetEvents& events)
    : native_(native), handle_(QtHandles::add(native)), events_(events) {
  native->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(native, &QWidget::customContextMenuRequested, native, [this](const QPoint& at) {
    const QPoint screen = native_->mapToGlobal(at);
    events_.userRightClicked({screen.x(), screen.y()});
  });
}

// A native widget that its parent took along has left its handle to whatever comes next at
// that address.
QtWidget::~QtWidget() {
  if (!native_) return;
  QtHandles::remove(handle_);
  delete native_.data();
}

Handle QtWidget::handle() const {
  return handle_;
}

void QtWidget::applyText(const QString& text) {
  native_->setWindowTitle(text);
}

void QtWidget::setText(const std::string& text) {
  if (native_) applyText(ToQt(text));
}

void QtWidget::setBounds(Bounds bounds) {
  if (native_) native_->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

void QtWidget::setVisible(bool visible) {
  if (native_) native_->setVisible(visible);
}

void QtWidget::setEnabled(bool enabled) {
  if (native_) native_->setEnabled(enabled);
}

void QtWidget::setFont(const Font& font) {
  if (native_) native_->setFont(QtFont(font));
}

void QtWidget::focus() {
  if (native_) native_->setFocus(Qt::OtherFocusReason);
}

void QtWidget::setHint(const std::string& hint) {
  if (native_) native_->setToolTip(ToQt(hint));
}

void QtWidget::invalidate() {
  if (native_) native_->update();
}

void QtWidget::setMouseCapture(bool capture) {
  if (!native_) return;
  if (capture) {
    native_->grabMouse();
  } else if (QWidget::mouseGrabber() == native_) {
    native_->releaseMouse();
  }
}

namespace {

// The system's labels and buttons show "&x" as an underlined x and "&&" as "&".
QString WithoutPrefix(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

unsigned VirtualKey(int key) {
  switch (key) {
    case Qt::Key_Escape:
      return vk::kEscape;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    default:
      // Letters and digits have their ASCII capitals as codes.
      return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)
                 ? static_cast<unsigned>(key)
                 : 0;
  }
}

// A widget that the program never shows: it owns message boxes and carries the program's
// title, by which a second start finds the first.
class ApplicationWindow final : public QtWidget {
 public:
  explicit ApplicationWindow(WidgetEvents& events) : QtWidget(new QWidget, events) {
    native()->setAttribute(Qt::WA_DontShowOnScreen);
    // The X11 window must exist for another process to find it by its title.
    native()->winId();
  }
  void setIcon(const std::string& resourceName) override {
    QApplication::setWindowIcon(ResourceIcon(resourceName));
  }
};

class FormWindow final : public QWidget {
 public:
  FormWindow(QWidget* parent, Qt::WindowFlags flags, WidgetEvents& events)
      : QWidget(parent, flags), events_(events) {}

 protected:
  // The program decides what closing means; the window stays.
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    events_.closeRequested();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      events_.cancelRequested();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  WidgetEvents& events_;
};

class Form final : public QtWidget {
 public:
  Form(QtWidget* parent, const WidgetStyle& style, WidgetEvents& events)
      : QtWidget(
            new FormWindow(
                parent != nullptr && parent->native()->isVisible() ? parent->native() : nullptr,
                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    (style.closeBox ? Qt::WindowCloseButtonHint : Qt::WindowType(0)),
                events),
            events) {}
  // The bounds give the client area; the window manager adds its frame. The user does not
  // resize a dialog.
  void setBounds(Bounds bounds) override {
    native()->setFixedSize(bounds.width, bounds.height);
    native()->move(bounds.left, bounds.top);
  }
  void setIcon(const std::string& resourceName) override {
    native()->setWindowIcon(ResourceIcon(resourceName));
  }
  void show(bool centred) override {
    if (centred) {
      const QRect work = QApplication::primaryScreen()->availableGeometry();
      native()->move(work.center() - native()->rect().center());
    }
    native()->show();
    native()->raise();
    native()->activateWindow();
  }
};

// The tab row on top and the sheets in the framed area below it.
class PageWindow final : public QWidget {
 public:
  explicit PageWindow(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)) {
    tabs_->setDrawBase(false);
  }
  QTabBar* tabs() const { return tabs_; }
  QRect area() const {
    const int top = tabs_->sizeHint().height();
    return {4, top + 2, width() - 8, height() - top - 6};
  }

 protected:
  void resizeEvent(QResizeEvent* /*event*/) override {
    tabs_->setGeometry(2, 0, width() - 4, tabs_->sizeHint().height());
  }
  // A raised frame in the window's own colour, as the system draws a tab control's panel.
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const int top = tabs_->sizeHint().height() - 1;
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(palette().color(QPalette::Light));
    painter.drawPolyline(QPolygon({QPoint(0, bottom - 1), QPoint(0, top), QPoint(right - 1, top)}));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawPolyline(QPolygon({QPoint(0, bottom), QPoint(right, bottom), QPoint(right, top)}));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawPolyline(QPolygon(
        {QPoint(1, bottom - 1), QPoint(right - 1, bottom - 1), QPoint(right - 1, top + 1)}));
  }

 private:
  QTabBar* tabs_;
};

class PageControl final : public QtWidget {
 public:
  PageControl(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new PageWindow(parent->native()), events),
        page_(static_cast<PageWindow*>(native())) {
    QObject::connect(page_->tabs(), &QTabBar::currentChanged, page_,
                     [this](int index) { this->events().userSelected(index); });
  }
  void setBounds(Bounds bounds) override {
    QtWidget::setBounds(bounds);
    placeSheets();
  }
  void setFont(const Font& font) override {
    QtWidget::setFont(font);
    placeSheets();
  }
  // The program repeats its tabs after every change of page: only a real change rebuilds.
  void setTabs(const std::vector<std::string>& captions, int active) override {
    const QSignalBlocker quiet(page_->tabs());
    if (captions != captions_) {
      while (page_->tabs()->count() > 0) page_->tabs()->removeTab(0);
      for (const std::string& caption : captions) page_->tabs()->addTab(ToQt(caption));
      captions_ = captions;
      placeSheets();
    }
    page_->tabs()->setCurrentIndex(active);
  }
  void childMade(QtWidget& child) override {
    sheets_.emplace_back(child.native());
    placeSheets();
  }

 private:
  void placeSheets() {
    for (const QPointer<QWidget>& sheet : sheets_) {
      if (sheet) sheet->setGeometry(page_->area());
    }
  }
  PageWindow* page_;
  std::vector<std::string> captions_;
  std::vector<QPointer<QWidget>> sheets_;
};

// The page control gives it its place.
class TabSheet final : public QtWidget {
 public:
  TabSheet(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new QWidget(parent->native()), events) {}
  void setBounds(Bounds /*bounds*/) override {}
};

// An etched frame with the caption on its top line, as the system draws a group box, so that
// the controls inside keep the places the layout gives them.
class GroupFrame final : public QWidget {
 public:
  using QWidget::QWidget;
  void setCaption(const QString& caption) {
    caption_ = caption;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int line = metrics.height() / 2;
    const QRect frame(0, line, width() - 1, height() - line - 1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    const QString shown = WithoutPrefix(caption_);
    if (shown.isEmpty()) return;
    const QString padded = " " + shown + " ";
    const QRect label(8, 0, metrics.horizontalAdvance(padded), metrics.height());
    painter.fillRect(label, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(label, Qt::AlignLeft | Qt::AlignTop, padded);
  }

 private:
  QString caption_;
};

class GroupBox final : public QtWidget {
 public:
  GroupBox(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new GroupFrame(parent->native()), events) {}

 protected:
  void applyText(const QString& text) override {
    static_cast<GroupFrame*>(native())->setCaption(text);
  }
};

// Reports a click when the button goes down and comes up over it.
template <class Base>
class Clicking : public Base {
 public:
  Clicking(QWidget* parent, WidgetEvents& events) : Base(parent), events_(events) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    Base::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    const bool clicked =
        pressed_ && event->button() == Qt::LeftButton && this->rect().contains(event->pos());
    pressed_ = false;
    Base::mouseReleaseEvent(event);
    if (clicked) events_.userClicked();
  }
  WidgetEvents& events_;
  bool pressed_ = false;
};

class Label final : public QtWidget {
 public:
  Label(QtWidget* parent, const WidgetStyle& style, WidgetEvents& events)
      : QtWidget(new Clicking<QLabel>(parent->native(), events), events) {
    auto* label = static_cast<QLabel*>(native());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(style.wordWrap);
  }

 protected:
  void applyText(const QString& text) override {
    static_cast<QLabel*>(native())->setText(WithoutPrefix(text));
  }
};

class Edit final : public QtWidget {
 public:
  Edit(QtWidget* parent, WidgetEvents& events) : QtWidget(new QLineEdit(parent->native()), events) {
    QObject::connect(edit(), &QLineEdit::textEdited, edit(),
                     [this](const QString& text) { this->events().userEditedText(FromQt(text)); });
  }

 protected:
  // Rewriting the same text would move the caret back to the start.
  void applyText(const QString& text) override {
    if (edit()->text() != text) edit()->setText(text);
  }

 private:
  QLineEdit* edit() const { return static_cast<QLineEdit*>(native()); }
};

class ComboBox final : public QtWidget {
 public:
  ComboBox(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new QComboBox(parent->native()), events) {
    combo()->setEditable(true);
    combo()->setInsertPolicy(QComboBox::NoInsert);
    combo()->setMaxVisibleItems(8);
    QObject::connect(combo(), &QComboBox::activated, combo(),
                     [this](int index) { this->events().userSelected(index); });
    QObject::connect(combo()->lineEdit(), &QLineEdit::textEdited, combo(),
                     [this](const QString& text) { this->events().userEditedText(FromQt(text)); });
  }
  // The text in the edit field stays what it was.
  void setItems(const std::vector<std::string>& items) override {
    if (items == items_) return;
    const QSignalBlocker quiet(combo());
    const QString kept = combo()->currentText();
    combo()->clear();
    for (const std::string& item : items) combo()->addItem(ToQt(item));
    combo()->setCurrentIndex(-1);
    combo()->setEditText(kept);
    items_ = items;
  }
  void setItemIndex(int index) override {
    if (combo()->currentIndex() == index) return;
    const QSignalBlocker quiet(combo());
    combo()->setCurrentIndex(index);
  }

 protected:
  void applyText(const QString& text) override {
    if (combo()->currentText() == text) return;
    const QSignalBlocker quiet(combo());
    combo()->setEditText(text);
  }

 private:
  QComboBox* combo() const { return static_cast<QComboBox*>(native()); }
  std::vector<std::string> items_;
};

// Up and Down pressed in an edit box step its up-down instead, as they do on the system's.
class ArrowKeys final : public QObject {
 public:
  ArrowKeys(QObject* parent, std::function<void(int)> step)
      : QObject(parent), step_(std::move(step)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        step_(key == Qt::Key_Up ? 1 : -1);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(int)> step_;
};

// Two arrow buttons, and Up and Down in the edit box, that report steps: the control steps
// the number in the box itself.
class UpDown final : public QtWidget {
 public:
  UpDown(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new QWidget(parent->native()), events),
        keys_(new ArrowKeys(native(), [this](int by) { this->events().userStepped(by); })) {
    for (const Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
      auto* button = new QToolButton(native());
      button->setArrowType(arrow);
      button->setAutoRepeat(true);
      button->setFocusPolicy(Qt::NoFocus);
      QObject::connect(button, &QToolButton::clicked, button, [this, arrow] {
        this->events().userStepped(arrow == Qt::UpArrow ? 1 : -1);
      });
      buttons_.push_back(button);
    }
  }
  void setBounds(Bounds bounds) override {
    QtWidget::setBounds(bounds);
    const int half = bounds.height / 2;
    buttons_[0]->setGeometry(0, 0, bounds.width, half);
    buttons_[1]->setGeometry(0, half, bounds.width, bounds.height - half);
  }
  void setUpDown(int, int, int, Widget* buddy) override {
    if (buddyNative_) buddyNative_->removeEventFilter(keys_);
    // Every widget of this desktop is a QtWidget.
    buddyNative_ = buddy != nullptr ? static_cast<QtWidget*>(buddy)->native() : nullptr;
    if (buddyNative_) buddyNative_->installEventFilter(keys_);
  }

 private:
  ArrowKeys* keys_;
  std::vector<QToolButton*> buttons_;
  QPointer<QWidget> buddyNative_;
};

class CheckBox final : public QtWidget {
 public:
  CheckBox(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new QCheckBox(parent->native()), events) {
    QObject::connect(box(), &QCheckBox::clicked, box(),
                     [this](bool checked) { this->events().userToggled(checked); });
  }
  void setChecked(bool checked) override { box()->setChecked(checked); }

 protected:
  void applyText(const QString& text) override { box()->setText(text); }

 private:
  QCheckBox* box() const { return static_cast<QCheckBox*>(native()); }
};

class Button final : public QtWidget {
 public:
  Button(QtWidget* parent, WidgetEvents& events)
      : QtWidget(new QPushButton(parent->native()), events) {
    auto* button = static_cast<QPushButton*>(native());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { this->events().userClicked(); });
  }

 protected:
  void applyText(const QString& text) override {
    static_cast<QPushButton*>(native())->setText(text);
  }
};

// Items stay at the program's indices, also in a list that the program keeps sorted.
class ListBox final : public QtWidget {
 public:
  ListBox(QtWidget* parent, const WidgetStyle& style, WidgetEvents& events)
      : QtWidget(new QListWidget(parent->native()), events), itemHeight_(style.itemHeight) {
    list()->setUniformItemSizes(true);
    QObject::connect(list(), &QListWidget::currentRowChanged, list(),
                     [this](int row) { this->events().userSelected(row); });
  }
  void setItems(const std::vector<std::string>& items) override {
    if (items == items_) return;
    const QSignalBlocker quiet(list());
    list()->clear();
    for (const std::string& text : items) {
      auto* item = new QListWidgetItem(ToQt(text), list());
      if (itemHeight_ > 0) item->setSizeHint(QSize(1, itemHeight_));
    }
    items_ = items;
  }
  void setItemIndex(int index) override {
    if (list()->currentRow() == index) return;
    const QSignalBlocker quiet(list());
    list()->setCurrentRow(index);
  }

 private:
  QListWidget* list() const { return static_cast<QListWidget*>(native()); }
  int itemHeight_;
  std::vector<std::string> items_;
};

// Drawn to the control's size, so that setting an icon does not resize the control.
class Image final : public QtWidget {
 public:
  Image(QtWidget* parent, WidgetEvents& events) : QtWidget(new QLabel(parent->native()), events) {
    static_cast<QLabel*>(native())->setScaledContents(true);
  }
  void setIcon(const std::string& resourceName) override {
    static_cast<QLabel*>(native())->setPixmap(ResourceIcon(resourceName).pixmap(32, 32));
  }
};

// A face that the program paints itself; it reports the mouse, keys and the focus.
class PaintedWindow final : public Clicking<QWidget> {
 public:
  PaintedWindow(QWidget* parent, const WidgetStyle& style, WidgetEvents& events)
      : Clicking<QWidget>(parent, events) {
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(style.tabStop ? Qt::StrongFocus : Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QtPainter painter(this);
    events_.paintRequested(painter);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) events_.mousePressed(at(event));
    Clicking<QWidget>::mousePressEvent(event);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
  void mouseMoveEvent(QMouseEvent* event) override {
    showCursor();
    events_.mouseMoved(at(event));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) events_.mouseReleased(at(event));
    Clicking<QWidget>::mouseReleaseEvent(event);
  }
  void enterEvent(QEnterEvent* /*event*/) override { showCursor(); }
  void keyPressEvent(QKeyEvent* event) override {
    if (const unsigned key = VirtualKey(event->key()); key != 0) {
      events_.keyPressed(key);
    } else {
      QWidget::keyPressEvent(event);
    }
  }
  void focusInEvent(QFocusEvent* /*event*/) override { events_.focusChanged(true); }
  void focusOutEvent(QFocusEvent* /*event*/) override { events_.focusChanged(false); }

 private:
  static Point at(const QMouseEvent* event) {
    return {event->position().toPoint().x(), event->position().toPoint().y()};
  }
  void showCursor() {
    const CursorHandle cursor = events_.cursorRequested();
    setCursor(cursor != 0 ? *reinterpret_cast<const QCursor*>(cursor) : QCursor(Qt::ArrowCursor));
  }
};

class Custom final : public QtWidget {
 public:
  Custom(QtWidget* parent, const WidgetStyle& style, WidgetEvents& events)
      : QtWidget(new PaintedWindow(parent->native(), style, events), events) {}
};

QtWidget& Parent(QtWidget* parent) {
  if (parent == nullptr || parent->native() == nullptr) {
    throw std::invalid_argument("a control needs a parent");
  }
  return *parent;
}

}  // namespace

std::unique_ptr<QtWidget> MakeQtWidget(WidgetKind kind, QtWidget* parent, const WidgetStyle& style,
                                       WidgetEvents& events) {
  switch (kind) {
    case WidgetKind::ApplicationWindow:
      return std::make_unique<ApplicationWindow>(events);
    case WidgetKind::Form:
      return std::make_unique<Form>(parent, style, events);
    case WidgetKind::PageControl:
      return std::make_unique<PageControl>(&Parent(parent), events);
    case WidgetKind::TabSheet: {
      auto sheet = std::make_unique<TabSheet>(&Parent(parent), events);
      parent->childMade(*sheet);
      return sheet;
    }
    case WidgetKind::GroupBox:
      return std::make_unique<GroupBox>(&Parent(parent), events);
    case WidgetKind::Label:
      return std::make_unique<Label>(&Parent(parent), style, events);
    case WidgetKind::Edit:
      return std::make_unique<Edit>(&Parent(parent), events);
    case WidgetKind::ComboBox:
      return std::make_unique<ComboBox>(&Parent(parent), events);
    case WidgetKind::UpDown:
      return std::make_unique<UpDown>(&Parent(parent), events);
    case WidgetKind::CheckBox:
      return std::make_unique<CheckBox>(&Parent(parent), events);
    case WidgetKind::Button:
      return std::make_unique<Button>(&Parent(parent), events);
    case WidgetKind::ListBox:
      return std::make_unique<ListBox>(&Parent(parent), style, events);
    case WidgetKind::Image:
      return std::make_unique<Image>(&Parent(parent), events);
    case WidgetKind::Custom:
      return std::make_unique<Custom>(&Parent(parent), style, events);
  }
  throw std::invalid_argument("unknown widget kind");
}

}  // namespace platform::linuxdesktop
