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

// A title is read into a buffer of 255 characters: 254 of the title and its end.
constexpr int kTitleBuffer = 255;

void TWindowsList::AddWindow(platform::Handle window) {
  std::string title = platform::desktop().windowText(window, kTitleBuffer);
  if (acceptEmptyNames_ || !title.empty()) {
    list_.push_back({std::move(title), std::make_unique<TWindowInfo>(TWindowInfo{window})});
  }
}

}  // namespace wumpex
