#pragma once
// Drawing with GDI on a device context: the painter that custom widgets paint with, and the
// fonts that widgets and painters make.

#include <windows.h>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

UniqueFont createFont(const Font& font);
// The colour that the system draws for one in the framework's encoding.
COLORREF colorRef(Color color);

// Paints on a device context that someone else owns; whatever it selected or set there is
// undone when the painter goes.
class Win32Painter final : public Painter {
 public:
  explicit Win32Painter(HDC dc);
  ~Win32Painter();
  Win32Painter(const Win32Painter&) = delete;
  Win32Painter& operator=(const Win32Painter&) = delete;

  void fillRect(const Rect& rect, Color color) override;
  void drawText(const std::string& text, const Rect& rect, unsigned flags, const Font& font,
                std::optional<Color> background) override;
  void polyline(const std::vector<Point>& points, Color color) override;
  void rectangle(const Rect& rect, Color pen, std::optional<Color> fill) override;
  void drawBitmap(const std::string& resourceName, Point at, Color transparent) override;
  void focusRect(const Rect& rect) override;

 private:
  void selectFont(const Font& font);

  HDC dc_;
  // Deleted only once the context's own state, and so its own font, is back.
  UniqueFont font_;
  Font selected_;
  int savedState_;
};

}  // namespace platform::win32
