// The settings window on the Linux desktop, each page as Qt paints it compared with the
// window's layout: every control where the layout puts it, drawn, whole on its page, its text
// inside it, and nothing drawn where the layout puts nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QTabBar>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/QtCanvas.h"
#include "tests/HeadlessServices.h"

namespace wumpex {
namespace {

namespace fs = std::filesystem;

QWidget* nativeOf(const TControl& control) {
  return platform::linuxdesktop::QtHandles::widget(control.Peer()->handle());
}

void pumpFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The controls that show, parents before their children.
void collectShown(const TControl& parent, std::vector<const TControl*>& shown) {
  for (const TControl* child : parent.Controls()) {
    if (!child->Visible()) continue;
    shown.push_back(child);
    collectShown(*child, shown);
  }
}

// The pixels of `rect` that differ from the background, outside the rectangles in `skip`.
std::vector<QPoint> drawnIn(const QImage& picture, const QRect& rect, QRgb background,
                            const std::vector<QRect>& skip = {}) {
  std::vector<QPoint> drawn;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const auto covers = [&](const QRect& other) { return other.contains(x, y); };
      if (picture.pixel(x, y) != background && std::ranges::none_of(skip, covers)) {
        drawn.emplace_back(x, y);
      }
    }
  }
  return drawn;
}

std::string text(const QRect& rect) {
  return std::to_string(rect.left()) + "," + std::to_string(rect.top()) + " " +
         std::to_string(rect.width()) + "x" + std::to_string(rect.height());
}

// A private settings place and atom table, made before the services read them.
struct PrivateFolders {
  PrivateFolders() {
    fs::create_directories(root.path() / "config" / "wumpex");
    fs::create_directories(root.path() / "Sounds");
    fs::create_directory(root.path() / "run");
    fs::permissions(root.path() / "run", fs::perms::owner_all);
    setenv("XDG_CONFIG_HOME", (root.path() / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root.path() / "run").c_str(), 1);
    std::ofstream(root.path() / "config" / "wumpex" / "WUMPEX.INI")
        << "[WumpexSettings]\nWAVPath=" << (root.path() / "Sounds").string() << "\n";
  }
  TempFolder root;
};

class ProgramOnLinux : public ::testing::Test {
 protected:
  PrivateFolders folders;
  platform::linuxdesktop::LinuxServices services;
  TApplication application;
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(ProgramOnLinux, EachPageShowsItsControlsWhereTheLayoutPutsThemWithTheirTextWhole) {
  form->TrayIcon1DblClick(form->TrayIcon1);
  QWidget* frame = nativeOf(*form);
  auto* tabs = nativeOf(*form->PageControl1)->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  const auto& pages = form->PageControl1->Pages();
  for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
    SCOPED_TRACE(pages[static_cast<std::size_t>(page)]->Caption());
    // As a click on the tab: the tab bar reports the change of page.
    tabs->setCurrentIndex(page);
    pumpFor(200);
    ASSERT_EQ(form->PageControl1->ActivePageIndex(), page);
    const QImage picture = frame->grab().toImage();
    const QRgb background = picture.pixel(1, 1);

    std::vector<const TControl*> shown;
    collectShown(*form, shown);
    QRect sheet;
    std::vector<QRect> occupied;
    for (const TControl* control : shown) {
      SCOPED_TRACE(control->Name());
      QWidget* native = nativeOf(*control);
      ASSERT_NE(native, nullptr);
      EXPECT_TRUE(native->isVisible());
      const QRect real(native->mapTo(frame, QPoint(0, 0)), native->size());
      if (control->Parent() == form->PageControl1) {
        sheet = real;
        continue;
      }
      const Bounds bounds = control->BoundsRect();
      const QRect placed(
          nativeOf(*control->Parent())->mapTo(frame, QPoint(bounds.left, bounds.top)),
          QSize(bounds.width, bounds.height));
      EXPECT_EQ(text(real), text(placed));
      if (sheet.isValid() && control != form->PageControl1 && sheet.intersects(placed)) {
        EXPECT_EQ(text(sheet.intersected(placed)), text(placed))
            << "cut off by the page's edge " << text(sheet);
      }
      // A text the control draws itself fits the room it has.
      if (const auto* label = dynamic_cast<const TLabel*>(control)) {
        unsigned flags = platform::dt::kExpandTabs;
        if (label->WordWrap()) flags |= platform::dt::kWordBreak;
        if (!label->ShowAccelChar()) flags |= platform::dt::kNoPrefix;
        const platform::Size size =
            services.desktop.measureText(label->Caption(), label->Font(), flags, bounds.width);
        EXPECT_LE(size.width, bounds.width) << "the text is cut on the right";
        EXPECT_LE(size.height, bounds.height) << "the text is cut at the bottom";
      }
      // A button's caption with room for its frame; a check box's with its box.
      if (const auto* button = qobject_cast<const QAbstractButton*>(native)) {
        const int needed =
            std::string(control->ClassName()) == "TButton"
                ? button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 8
                : button->sizeHint().width();
        EXPECT_LE(needed, bounds.width) << "the caption does not fit";
      }
      if (control == form->PageControl1) continue;
      occupied.push_back(placed);
      EXPECT_GE(drawnIn(picture, placed, background).size(), 8u) << "nothing drawn";
    }
    // Nothing on the page where the layout puts nothing.
    ASSERT_TRUE(sheet.isValid());
    const std::vector<QPoint> strays = drawnIn(picture, sheet, background, occupied);
    EXPECT_TRUE(strays.empty()) << strays.size() << " stray pixels, the first at " << strays[0].x()
                                << "," << strays[0].y();
  }
}

TEST_F(ProgramOnLinux, UpAndDownInAnEditBoxStepItsNumberWithinTheRange) {
  form->TrayIcon1DblClick(form->TrayIcon1);
  struct Row {
    TEdit* edit;
    const char* typed;
    Qt::Key key;
    const char* stepped;
  };
  const Row rows[] = {{form->RandomTimeEB, "1", Qt::Key_Up, "2"},
                      {form->RandomTimeEB, "1", Qt::Key_Down, "1"},
                      {form->VariableTimeEB, "7", Qt::Key_Down, "6"},
                      {form->VariableTimeEB, "100", Qt::Key_Up, "100"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.edit->Name() + " " + row.typed);
    row.edit->SetText(row.typed);
    QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier);
    QCoreApplication::sendEvent(nativeOf(*row.edit), &press);
    EXPECT_EQ(row.edit->Text(), row.stepped);
  }
}

}  // namespace
}  // namespace wumpex
