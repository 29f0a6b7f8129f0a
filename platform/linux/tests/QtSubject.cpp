// The Linux desktop's windows under the desktop contract, on the X display the test runs on.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>

#include "platform/linux/QtDesktop.h"
#include "platform/tests/DesktopContract.h"

namespace platform::contract {
namespace {

// The one application object that Qt's windows need, for the whole test program.
class QtApplication final : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QApplication>(count_, arguments_); }
  void TearDown() override { application_.reset(); }

 private:
  int count_ = 1;
  char name_[24] = "desktop_contract_tests";
  char* arguments_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

std::unique_ptr<Desktop> makeDesktop() {
  return std::make_unique<linuxdesktop::QtDesktop>();
}

INSTANTIATE_TEST_SUITE_P(Qt, WindowContract, ::testing::Values(&makeDesktop));

// Reads the Qt widgets and sends them the mouse and keys as events.
class QtHand final : public Hand {
 public:
  Desktop& desktop() override { return desktop_; }
  std::string text(const Widget& widget) override {
    QWidget* native = of(widget);
    if (auto* label = qobject_cast<QLabel*>(native)) return label->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(native)) return combo->currentText().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(native)) return edit->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(native)) return button->text().toStdString();
    return native->windowTitle().toStdString();
  }
  std::vector<std::string> items(const Widget& widget) override {
    QWidget* native = of(widget);
    std::vector<std::string> items;
    if (auto* list = qobject_cast<QListWidget*>(native)) {
      for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
    } else if (auto* combo = qobject_cast<QComboBox*>(native)) {
      for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    } else {
      const QTabBar* tabs = native->findChild<QTabBar*>();
      for (int i = 0; i < tabs->count(); ++i) items.push_back(tabs->tabText(i).toStdString());
    }
    return items;
  }
  int selected(const Widget& widget) override {
    QWidget* native = of(widget);
    if (auto* list = qobject_cast<QListWidget*>(native)) return list->currentRow();
    if (auto* combo = qobject_cast<QComboBox*>(native)) return combo->currentIndex();
    return native->findChild<QTabBar*>()->currentIndex();
  }
  bool checked(const Widget& widget) override {
    return qobject_cast<QAbstractButton*>(of(widget))->isChecked();
  }
  bool shown(const Widget& widget) override { return of(widget)->isVisible(); }
  // A combo box's list is not dropped: the choice is made as the list makes it, and reported as
  // the list reports it. A button's hit area is the style's, so it is clicked as a whole.
  void click(Widget& widget, int item) override {
    QWidget* native = of(widget);
    if (auto* combo = qobject_cast<QComboBox*>(native); combo != nullptr && item >= 0) {
      combo->setCurrentIndex(item);
      emit combo->activated(item);
    } else if (auto* list = qobject_cast<QListWidget*>(native); list != nullptr && item >= 0) {
      press(list->viewport(), list->visualItemRect(list->item(item)).center());
    } else if (item >= 0) {
      QTabBar* tabs = native->findChild<QTabBar*>();
      press(tabs, tabs->tabRect(item).center());
    } else if (auto* button = qobject_cast<QAbstractButton*>(native)) {
      button->click();
    } else {
      press(native, {2, 2});
    }
  }
  void doubleClick(Widget& widget) override {
    send(of(widget), QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton);
    send(of(widget), QEvent::MouseButtonRelease, {2, 2}, Qt::NoButton);
  }
  void pressAndLeave(Widget& widget) override {
    send(of(widget), QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton);
    send(of(widget), QEvent::MouseMove, {-30, -30}, Qt::LeftButton);
    send(of(widget), QEvent::MouseButtonRelease, {-30, -30}, Qt::NoButton);
  }
  void type(Widget& widget, const std::string& keys) override {
    QWidget* native = of(widget);
    auto* combo = qobject_cast<QComboBox*>(native);
    QLineEdit* edit = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(native);
    edit->end(false);
    for (const char key : keys) {
      QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(key)));
      QCoreApplication::sendEvent(edit, &typed);
    }
  }

 private:
  static QWidget* of(const Widget& widget) {
    return linuxdesktop::QtHandles::widget(widget.handle());
  }
  // The left button goes down, and comes up with none held.
  static void send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
  }
  static void press(QWidget* target, QPoint at) {
    send(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
  }
  linuxdesktop::QtDesktop desktop_;
};

std::unique_ptr<Hand> makeHand() {
  return std::make_unique<QtHand>();
}

INSTANTIATE_TEST_SUITE_P(Qt, PeerContract, ::testing::Values(&makeHand));

}  // namespace
}  // namespace platform::contract
