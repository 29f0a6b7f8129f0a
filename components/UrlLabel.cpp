#include "components/UrlLabel.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/PopupMenu.h"
#include "framework/Screen.h"
#include "platform/Shell.h"

namespace wumpex {
namespace {

// Blanks and control characters: every byte up to the space.
bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The hidden application window owns what the shell and the clipboard do for the label.
platform::Handle ApplicationWindow() {
  return Application != nullptr ? Application->Handle() : 0;
}

}  // namespace

TUrlLabel::TUrlLabel(TComponent* owner, std::string name) : TLabel(owner, std::move(name)) {
  Screen().SetCursors(crHand, platform::desktop().loadCursor("HAND"));
  SetCursor(crHand);
  auto* menu = Make<TPopupMenu>("");
  TMenuItem* copy = menu->Make<TMenuItem>("");
  copy->SetCaption("Copy");
  copy->OnClick = [this](TComponent*) { CopyCaption(); };
  menu->Add(copy);
  SetPopupMenu(menu);
}

void TUrlLabel::Click() {
  Fire(OnClick, this);
  // The text is handed over untrimmed; only an all-blank one is no target.
  const std::string& target = IsBlank(url_) ? Caption() : url_;
  if (IsBlank(target)) return;
  platform::shell().execute(ApplicationWindow(), "open", target, platform::sw::kShowNormal);
}

void TUrlLabel::userClicked() {
  Guarded([this] { Click(); });
}

void TUrlLabel::CopyCaption() {
  platform::shell().setClipboardText(ApplicationWindow(), Caption());
}

}  // namespace wumpex
