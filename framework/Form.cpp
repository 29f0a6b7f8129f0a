#include "framework/Form.h"

#include "framework/Application.h"

namespace wumpex {

TForm::TForm(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Form) {
  SetVisible(false);
}

// The controls go before the form's own window, which would otherwise take theirs along.
TForm::~TForm() {
  while (!Components().empty()) DestroyLastComponent();
}

void TForm::SetIcon(const std::string& resourceName) {
  if (resourceName == icon_) return;
  icon_ = resourceName;
  if (Peer() != nullptr) Peer()->setIcon(icon_);
}

void TForm::Show() {
  CreateHandle();
  const bool wasVisible = Visible();
  SetVisible(true);
  Peer()->showCentered();
  if (!wasVisible) Fire(OnShow, this);
}

void TForm::FinishCreation() {
  LoadedAll();
  CreateHandle();
  GuardHandler([this] { Fire(OnCreate, this); });
}

void TForm::InitPeer(platform::Widget& peer) {
  TControl::InitPeer(peer);
  peer.setIcon(icon_);
}

void TForm::closeRequested() {
  Guarded([this] {
    if (Application != nullptr && Application->MainForm() == this) {
      Application->Terminate();
    } else {
      Hide();
    }
  });
}

}  // namespace wumpex
