#include "components/WindowsListUnit.h"

namespace wumpex {

TWindowsList::TWindowsList(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)) {}

void TWindowsList::Refresh() {
  list_.clear();
  platform::Desktop& desktop = platform::desktop();
  for (platform::Handle w = desktop.topWindow(); w != 0; w = desktop.nextWindow(w)) {
    AddWindow(w);
  }
}

void TWindowsList::AddWindow(platform::Handle window) {
  std::string title = platform::desktop().windowText(window, 255);
  if (acceptEmptyNames_ || !title.empty()) {
    list_.push_back({std::move(title), std::make_unique<TWindowInfo>(TWindowInfo{window})});
  }
}

}  // namespace wumpex
