// A styled label on a real window: what the system paints for it, read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <vector>

#include "components/StyledLabel.h"
#include "framework/Form.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using platform::win32::Selection;
using platform::win32::UniqueBitmap;
using platform::win32::UniqueMemoryDc;

using platform::win32::colorRef;

constexpr TColor kBlack = 0x00000000;
constexpr TColor kRed = 0x000000FF;
// Far from the text's colours and from every copy's.
constexpr TColor kTeal = 0x00808000;
constexpr Bounds kLabelBounds{20, 20, 300, 100};

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Where pixels of one colour lie, within a little of it per channel (text edges are blended
// with what is behind them).
struct Spread {
  int count = 0;
  int minX = INT_MAX;
  int minY = INT_MAX;
  int maxX = INT_MIN;
  int maxY = INT_MIN;
};

// The client area of a window as the screen shows it once all painting is done.
class Picture {
 public:
  explicit Picture(HWND window) {
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const WindowDc screen(window);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    const UniqueBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
  }

  Spread spread(COLORREF color) const {
    constexpr int kNear = 48;
    Spread found;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const std::uint32_t bgr = pixels_[static_cast<std::size_t>(y) * width_ + x];
        const int distance =
            std::max({std::abs(static_cast<int>(bgr >> 16 & 0xFF) - GetRValue(color)),
                      std::abs(static_cast<int>(bgr >> 8 & 0xFF) - GetGValue(color)),
                      std::abs(static_cast<int>(bgr & 0xFF) - GetBValue(color))});
        if (distance > kNear) continue;
        ++found.count;
        found.minX = std::min(found.minX, x);
        found.minY = std::min(found.minY, y);
        found.maxX = std::max(found.maxX, x);
        found.maxY = std::max(found.maxY, y);
      }
    }
    return found;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

class StyledLabelOnWindows : public ::testing::Test {
 protected:
  StyledLabelOnWindows() {
    form.SetClientSize(340, 140);
    label->SetParent(&form);
    label->SetBounds(kLabelBounds);
    label->SetFont({"Tahoma", -53, false, kBlack});
    label->SetCaption("WUMPEX!");
    form.CreateHandle();
  }

  // On the screen where it was made, without asking for the foreground.
  void Show() {
    form.SetVisible(true);
    platform::win32::testing::pumpFor(desktop, std::chrono::milliseconds(100));
  }

  HWND Window() const { return platform::win32::toWindow(label->Peer()->handle()); }

  platform::win32::Win32Desktop desktop;
  platform::DesktopScope scope{desktop};
  TForm form{nullptr, "Form"};
  TStyledLabel* label = form.Make<TStyledLabel>("StyledLabel1");
};

// Each copy shows where the text does not cover it: beyond the text's right and bottom edges
// when moved right and down, beyond its left and top edges when moved left and up, and
// nowhere when not moved at all.
TEST_F(StyledLabelOnWindows, CopiesAppearMovedFromTheTextInTheirColours) {
  struct Copy {
    TColor color;
    int offset;
  };
  struct Row {
    const char* what;
    TTextStyle style;
    int depth;
    bool enabled;
    TColor text;
    std::vector<Copy> copies;
  };
  const Row rows[] = {
      {"banner shadow", TTextStyle::tsShadow, 7, true, kBlack, {{kRed, 7}}},
      {"shadow above and left", TTextStyle::tsShadow, -5, true, kBlack, {{kRed, -5}}},
      {"shadow under the text", TTextStyle::tsShadow, 0, true, kBlack, {{kRed, 0}}},
      {"raised", TTextStyle::tsRaised, 2, true, kBlack, {{clBtnShadow, 1}, {clBtnHighlight, -1}}},
      {"recessed",
       TTextStyle::tsRecessed,
       2,
       true,
       kBlack,
       {{clBtnHighlight, 1}, {clBtnShadow, -1}}},
      {"disabled shadow", TTextStyle::tsShadow, 7, false, clGrayText, {{kRed, 7}}},
  };
  Show();
  label->SetColor(kTeal);
  // Room on the left for a copy moved that way; the top has the font's leading.
  label->SetAlignment(TAlignment::taCenter);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    label->SetShadowColor(kRed);
    label->SetEnabled(row.enabled);
    const Picture picture(Window());
    const Spread text = picture.spread(colorRef(row.text));
    ASSERT_GT(text.count, 200);
    for (const Copy& copy : row.copies) {
      const Spread drawn = picture.spread(colorRef(copy.color));
      if (copy.offset == 0) {
        EXPECT_EQ(drawn.count, 0);
        continue;
      }
      ASSERT_GT(drawn.count, 20) << "copy in " << std::hex << copy.color;
      if (copy.offset > 0) {
        EXPECT_NEAR(drawn.maxX, text.maxX + copy.offset, 1);
        EXPECT_NEAR(drawn.maxY, text.maxY + copy.offset, 1);
      } else {
        EXPECT_NEAR(drawn.minX, text.minX + copy.offset, 1);
        EXPECT_NEAR(drawn.minY, text.minY + copy.offset, 1);
      }
    }
  }
}

TEST_F(StyledLabelOnWindows, TheBackgroundIsTheLabelsColourUnlessTransparent) {
  Show();
  label->SetTextStyle(TTextStyle::tsNone);
  label->SetColor(kRed);
  const int area = kLabelBounds.width * kLabelBounds.height;
  EXPECT_GT(Picture(Window()).spread(colorRef(kRed)).count, area / 2);
  label->SetTransparent(true);
  const Picture transparent(Window());
  EXPECT_EQ(transparent.spread(colorRef(kRed)).count, 0);
  EXPECT_GT(transparent.spread(colorRef(clBtnFace)).count, area / 2);
}

TEST_F(StyledLabelOnWindows, AClickReachesTheLabel) {
  int clicks = 0;
  label->OnClick = [&](TComponent* sender) {
    EXPECT_EQ(sender, label);
    ++clicks;
  };
  SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace wumpex
