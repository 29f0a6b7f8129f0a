// A styled label on a real window: what the system paints for it, read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "components/StyledLabel.h"
#include "framework/Form.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/tests/TestSupport.h"

namespace wumpex {
namespace {

using platform::win32::colorRef;
using platform::win32::testing::ClientPicture;

constexpr TColor kBlack = 0x00000000;
constexpr TColor kRed = 0x000000FF;
// Far from the text's colours and from every copy's.
constexpr TColor kTeal = 0x00808000;

// Where pixels of one colour lie, within a little of it per channel (text edges are blended
// with what is behind them).
struct Spread {
  int count = 0;
  int minX = INT_MAX;
  int minY = INT_MAX;
  int maxX = INT_MIN;
  int maxY = INT_MIN;
};

Spread spread(const ClientPicture& picture, COLORREF color) {
  constexpr int kNear = 48;
  Spread found;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const COLORREF pixel = picture.at(x, y);
      const int distance = std::max({std::abs(GetRValue(pixel) - GetRValue(color)),
                                     std::abs(GetGValue(pixel) - GetGValue(color)),
                                     std::abs(GetBValue(pixel) - GetBValue(color))});
      if (distance > kNear) continue;
      found = {found.count + 1, std::min(found.minX, x), std::min(found.minY, y),
               std::max(found.maxX, x), std::max(found.maxY, y)};
    }
  }
  return found;
}

// Each copy shows where the text does not cover it: beyond the text's right and bottom edges
// when moved right and down, beyond its left and top edges when moved left and up, and
// nowhere when not moved at all.
TEST(StyledLabelOnWindows, CopiesAppearMovedFromTheTextInTheirColours) {
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
  platform::win32::Win32Desktop desktop;
  const platform::DesktopScope scope{desktop};
  TForm form{nullptr, "Form"};
  auto* label = form.Make<TStyledLabel>("StyledLabel1");
  form.SetClientSize(340, 140);
  label->SetParent(&form);
  label->SetBounds({20, 20, 300, 100});
  label->SetFont({"Tahoma", -53, false, kBlack});
  label->SetCaption("WUMPEX!");
  form.CreateHandle();
  const HWND window = platform::win32::toWindow(label->Peer()->handle());
  // On the screen where it was made, without asking for the foreground.
  form.SetVisible(true);
  platform::win32::testing::pumpFor(desktop, std::chrono::milliseconds(100));
  label->SetColor(kTeal);
  // Room on the left for a copy moved that way; the top has the font's leading.
  label->SetAlignment(TAlignment::taCenter);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    label->SetTextStyle(row.style);
    label->SetShadowDepth(row.depth);
    label->SetShadowColor(kRed);
    label->SetEnabled(row.enabled);
    UpdateWindow(window);  // all painting done
    const ClientPicture picture(window);
    const Spread text = spread(picture, colorRef(row.text));
    ASSERT_GT(text.count, 200);
    for (const Copy& copy : row.copies) {
      const Spread drawn = spread(picture, colorRef(copy.color));
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

}  // namespace
}  // namespace wumpex
