#include "platform/linux/QtCanvas.h"

#include <QApplication>
#include <QBitmap>
#include <QImageReader>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QPolygon>

#include <cstdlib>

namespace platform::linuxdesktop {
namespace {

QRect toQt(const Rect& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
  return text.toStdString();
}

QFont QtFont(const Font& font) {
  QFont made(ToQt(font.name));
  made.setPixelSize(std::max(1, std::abs(font.height)));
  made.setItalic(font.italic);
  return made;
}

QColor QtColor(Color color) {
  constexpr Color kSystem = 0x80000000u;
  if ((color & kSystem) == 0) {
    return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
            static_cast<int>((color >> 16) & 0xFF)};
  }
  const QPalette palette = QApplication::palette();
  switch (color & 0xFF) {
    case syscolor::kWindowText:
      return palette.color(QPalette::WindowText);
    case syscolor::kGrayText:
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case syscolor::kButtonShadow:
      return palette.color(QPalette::Dark);
    case syscolor::kButtonHighlight:
      return palette.color(QPalette::Light);
    case syscolor::kWindowFrame:
      return palette.color(QPalette::Shadow);
    default:
      return palette.color(QPalette::Window);
  }
}

int QtTextFlags(unsigned flags) {
  int qt = Qt::AlignTop;
  if ((flags & dt::kCenter) != 0) {
    qt |= Qt::AlignHCenter;
  } else if ((flags & dt::kRight) != 0) {
    qt |= Qt::AlignRight;
  } else {
    qt |= Qt::AlignLeft;
  }
  if ((flags & dt::kWordBreak) != 0) qt |= Qt::TextWordWrap;
  if ((flags & dt::kExpandTabs) != 0) qt |= Qt::TextExpandTabs;
  if ((flags & dt::kNoPrefix) == 0) qt |= Qt::TextShowMnemonic;
  return qt;
}

QString ResourcePath(const std::string& resourceName) {
  return ":/" + ToQt(resourceName);
}

QIcon ResourceIcon(const std::string& resourceName) {
  QIcon icon;
  QImageReader reader(ResourcePath(resourceName));
  do {
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  } while (reader.jumpToNextImage());
  return icon;
}

void QtPainter::fillRect(const Rect& rect, Color color) {
  painter_.fillRect(toQt(rect), QtColor(color));
}

void QtPainter::drawText(const std::string& text, const Rect& rect, unsigned flags,
                         const Font& font, std::optional<Color> background) {
  painter_.setFont(QtFont(font));
  const int qtFlags = QtTextFlags(flags);
  if (background) {
    painter_.fillRect(painter_.boundingRect(toQt(rect), qtFlags, ToQt(text)), QtColor(*background));
  }
  painter_.setPen(QtColor(font.color));
  painter_.drawText(toQt(rect), qtFlags, ToQt(text));
}

void QtPainter::polyline(const std::vector<Point>& points, Color color) {
  QPolygon corners;
  for (const Point& p : points) corners << QPoint(p.x, p.y);
  painter_.setPen(QPen(QtColor(color), 0));
  painter_.drawPolyline(corners);
}

// The system's outline lies inside the rectangle, whose right and bottom lie outside it.
void QtPainter::rectangle(const Rect& rect, Color pen, std::optional<Color> fill) {
  painter_.setPen(QPen(QtColor(pen), 0));
  painter_.setBrush(fill ? QBrush(QtColor(*fill)) : QBrush(Qt::NoBrush));
  painter_.drawRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
  painter_.setBrush(Qt::NoBrush);
}

void QtPainter::drawBitmap(const std::string& resourceName, Point at, Color transparent) {
  QPixmap bitmap(ResourcePath(resourceName));
  if (bitmap.isNull()) return;
  bitmap.setMask(bitmap.createMaskFromColor(QtColor(transparent), Qt::MaskInColor));
  painter_.drawPixmap(at.x, at.y, bitmap);
}

void QtPainter::focusRect(const Rect& rect) {
  painter_.setPen(QPen(Qt::black, 0, Qt::DotLine));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

}  // namespace platform::linuxdesktop
