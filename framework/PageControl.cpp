#include "framework/PageControl.h"

#include <algorithm>

namespace wumpex {

TTabSheet::TTabSheet(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::TabSheet) {
  SetVisible(false);
}

void TTabSheet::SetCaption(const std::string& caption) {
  if (SetTextValue(caption) && pageControl_ != nullptr) pageControl_->Mirror();
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (pageControl_ != nullptr) std::erase(pageControl_->pages_, this);
  pageControl_ = control;
  SetParent(control);
  if (control != nullptr) {
    control->pages_.push_back(this);
    SetTabOrder(static_cast<int>(control->pages_.size()) - 1);
    if (control->active_ == nullptr) control->SetActivePage(this);
    control->Mirror();
  }
}

TPageControl::TPageControl(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::PageControl) {
  SetTabOrder(0);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == active_ || (page != nullptr && page->PageControl() != this)) return;
  active_ = page;
  for (TTabSheet* p : pages_) p->SetVisible(p == active_);
  Mirror();
}

int TPageControl::ActivePageIndex() const {
  auto it = std::find(pages_.begin(), pages_.end(), active_);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  Mirror();
}

void TPageControl::Mirror() {
  if (Peer() == nullptr) return;
  std::vector<std::string> captions;
  for (const TTabSheet* p : pages_) captions.push_back(p->Caption());
  Peer()->setTabs(captions, ActivePageIndex());
}

void TPageControl::userSelected(int index) {
  Guarded([&] {
    if (index >= 0 && index < static_cast<int>(pages_.size())) {
      SetActivePage(pages_[static_cast<std::size_t>(index)]);
    }
  });
}

}  // namespace wumpex
