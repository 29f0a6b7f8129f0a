#pragma once

#include <vector>

#include "framework/Control.h"

namespace wumpex {

class TPageControl;

// One page of a page control; its caption is the tab's text.
class TTabSheet : public TControl {
 public:
  TTabSheet(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TTabSheet"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption);
  TPageControl* PageControl() const { return pageControl_; }
  // Puts the page last among the control's pages.
  void SetPageControl(TPageControl* control);

 private:
  TPageControl* pageControl_ = nullptr;
};

// Tabs over pages of which one, the active page, is shown. Nothing but the user's choice or
// the program changes the active page.
class TPageControl : public TControl {
 public:
  TPageControl(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TPageControl"; }

  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;

 protected:
  void InitPeer(platform::Widget& peer) override;
  void userSelected(int index) override;

 private:
  friend class TTabSheet;
  void Mirror();

  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

}  // namespace wumpex
