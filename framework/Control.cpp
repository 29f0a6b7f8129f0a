#include "framework/Control.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/PopupMenu.h"
#include "framework/Screen.h"

namespace wumpex {

TControl::TControl(TComponent* owner, std::string name, platform::WidgetKind kind)
    : TComponent(owner, std::move(name)), kind_(kind) {}

TControl::~TControl() {
  SetParent(nullptr);
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  parent_ = parent;
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
    if (parent_->HandleAllocated()) CreateHandle();
  }
  if (!font_) FontReached();
}

void TControl::SetBounds(Bounds bounds) {
  if (bounds == bounds_) return;
  bounds_ = bounds;
  if (peer_) peer_->setBounds(bounds_);
  Resized();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (peer_) peer_->setVisible(visible_);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (peer_) peer_->setEnabled(enabled_);
}

platform::Font TControl::Font() const {
  if (font_) return *font_;
  return parent_ != nullptr ? parent_->Font() : platform::Font{};
}

void TControl::SetFont(const platform::Font& font) {
  font_ = font;
  if (peer_) peer_->setFont(font);
  FontReached();
}

void TControl::FontReached() {
  FontChanged();
  for (TControl* child : children_) {
    if (!child->font_) child->FontReached();
  }
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  HintReached();
}

bool TControl::ShowHint() const {
  if (!parentShowHint_) return showHint_;
  return parent_ != nullptr && parent_->ShowHint();
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  parentShowHint_ = false;
  HintReached();
}

void TControl::SetParentShowHint(bool follow) {
  parentShowHint_ = follow;
  HintReached();
}

void TControl::HintReached() {
  if (peer_) peer_->setHint(ShowHint() ? hint_ : std::string());
  for (TControl* child : children_) {
    if (child->parentShowHint_) child->HintReached();
  }
}

void TControl::userRightClicked(platform::Point at) {
  if (popupMenu_ == nullptr) return;
  Guarded([this, at] { popupMenu_->Popup(at, HandleAllocated() ? Peer()->handle() : 0); });
}

platform::CursorHandle TControl::cursorRequested() {
  return Screen().Cursors(cursor_);
}

void TControl::paintRequested(platform::Painter& painter) {
  TCanvas canvas(painter);
  Guarded([&] { Paint(canvas); });
}

bool TControl::SetTextValue(const std::string& text, bool fromPeer) {
  if (text == text_) return false;
  text_ = text;
  if (peer_ && !fromPeer) peer_->setText(text_);
  return true;
}

void TControl::CreateHandle() {
  if (peer_) return;
  platform::Widget* parentPeer = parent_ != nullptr ? parent_->Peer() : nullptr;
  peer_ = platform::desktop().createWidget(kind_, parentPeer, Style(), *this);
  InitPeer(*peer_);
  std::vector<TControl*> ordered = children_;
  std::stable_sort(ordered.begin(), ordered.end(), [](const TControl* a, const TControl* b) {
    return a->tabOrder_ < b->tabOrder_;
  });
  for (TControl* child : ordered) child->CreateHandle();
  for (TControl* child : ordered) child->SiblingsCreated();
}

void TControl::InitPeer(platform::Widget& peer) {
  peer.setHint(ShowHint() ? hint_ : std::string());
  peer.setFont(Font());
  peer.setBounds(bounds_);
  peer.setText(text_);
  peer.setEnabled(enabled_);
  peer.setVisible(visible_);
}

void TControl::Invalidate() {
  if (peer_) peer_->invalidate();
}

void TControl::Guarded(const std::function<void()>& handler) {
  GuardHandler(handler);
}

}  // namespace wumpex
