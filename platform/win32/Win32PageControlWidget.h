#pragma once
// The page control: a row of tabs above the sheets, one of which shows at a time.

#include <string>
#include <vector>

#include "platform/win32/Win32Widget.h"

namespace platform::win32 {

class Win32PageControlWidget final : public Win32Widget {
 public:
  Win32PageControlWidget(Win32Widget* parent, WidgetEvents& events);
  void setTabs(const std::vector<std::string>& captions, int active) override;
  void placeChildren() override;

 private:
  void notify(UINT code) override;
  void applyBounds() override;
  void fontApplied() override { placeChildren(); }

  std::vector<std::string> tabs_;
};

}  // namespace platform::win32
