#include "components/UrlLabel.h"

#include <algorithm>

#include "framework/Application.h"
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
  menu_ = Make<TPopupMenu>("");
  TMenuItem* copy = menu_->Make<TMenuItem>("");
  copy->SetCaption("Copy");
  copy->OnClick = [this](TComponent*) { CopyCaption(); };
  menu_->Add(copy);
}

void TUrlLabel::SetHint(const std::string& hint) {
  hint_ = hint;
  UpdateHint();
}

void TUrlLabel::SetShowHint(bool show) {
  showHint_ = show;
  parentShowHint_ = false;
  UpdateHint();
}

void TUrlLabel::SetParentShowHint(bool follow) {
  parentShowHint_ = follow;
  if (follow) showHint_ = false;
  UpdateHint();
}

std::string TUrlLabel::ShownHint() const {
  return showHint_ ? hint_ : std::string();
}

void TUrlLabel::UpdateHint() {
  if (HandleAllocated()) Peer()->setHint(ShownHint());
}

void TUrlLabel::InitPeer(platform::Widget& peer) {
  TLabel::InitPeer(peer);
  peer.setHint(ShownHint());
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

void TUrlLabel::userRightClicked(platform::Point at) {
  Guarded([this, at] { menu_->Popup(at, HandleAllocated() ? Peer()->handle() : 0); });
}

platform::CursorHandle TUrlLabel::cursor() {
  return Screen().Cursors(cursor_);
}

void TUrlLabel::CopyCaption() {
  platform::shell().setClipboardText(ApplicationWindow(), Caption());
}

}  // namespace wumpex
