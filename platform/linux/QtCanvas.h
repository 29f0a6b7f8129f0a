#pragma once
// What the Qt desktop draws with: the program's fonts, colours and text-drawing flags in
// Qt's terms, its resources by name, and the painter that a custom widget paints through.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QString>

#include <string>

#include "platform/Desktop.h"

namespace platform::linuxdesktop {

QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// The height is the system's: negative for the characters' height, positive for the cell's;
// both are taken as the characters' height in pixels.
QFont QtFont(const Font& font);
// A system colour comes from the application's palette each time it is asked for.
QColor QtColor(Color color);
// The drawing flags of the system's text call (dt::...) as Qt's alignment and text flags.
int QtTextFlags(unsigned flags);
// A resource of the program by the name it has in the Windows build.
QString ResourcePath(const std::string& resourceName);
// An icon resource with each image it holds. Its name has no suffix, so QIcon's own loading
// would look its type up in the MIME database, which then stays in memory for good.
QIcon ResourceIcon(const std::string& resourceName);

class QtPainter final : public Painter {
 public:
  explicit QtPainter(QPaintDevice* device) : painter_(device) {}
  void fillRect(const Rect& rect, Color color) override;
  void drawText(const std::string& text, const Rect& rect, unsigned flags, const Font& font,
                std::optional<Color> background) override;
  void polyline(const std::vector<Point>& points, Color color) override;
  void rectangle(const Rect& rect, Color pen, std::optional<Color> fill) override;
  void drawBitmap(const std::string& resourceName, Point at, Color transparent) override;
  void focusRect(const Rect& rect) override;

 private:
  QPainter painter_;
};

}  // namespace platform::linuxdesktop
