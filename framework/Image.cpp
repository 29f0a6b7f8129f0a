#include "framework/Image.h"

namespace wumpex {

TImage::TImage(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Image) {}

void TImage::SetIcon(const std::string& resourceName) {
  if (resourceName == icon_) return;
  icon_ = resourceName;
  if (Peer() != nullptr) Peer()->setIcon(icon_);
}

void TImage::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  peer.setIcon(icon_);
}

}  // namespace wumpex
