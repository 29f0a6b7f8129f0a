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
  char buffer[257];
  buffer[0] = '\0';
  platform::desktop().windowText(window, buffer, 255);
  std::string title(buffer);
  if (acceptEmptyNames_ || !title.empty()) {
    list_.push_back({std::move(title), std::make_unique<TWindowInfo>(TWindowInfo{window})});
  }
}

}  // namespace wumpex
