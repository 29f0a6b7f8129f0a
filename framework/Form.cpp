#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/Button.h"

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
  // A window already shown stays where the user put it.
  Peer()->show(!wasVisible);
  if (activeControl_ != nullptr && activeControl_->Peer() != nullptr) {
    activeControl_->Peer()->focus();
  }
  if (!wasVisible) Fire(OnShow, this);
}

int TForm::ShowModal() {
  CreateHandle();
  modalResult_ = mrNone;
  modal_ = true;
  {
    const TDisabledWindows disabled(Peer()->handle());
    Show();
    platform::desktop().runModalLoop([this] { return modalResult_ != mrNone; });
    Hide();
  }
  modal_ = false;
  return modalResult_;
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

void TForm::cancelRequested() {
  Guarded([this] {
    for (const auto& c : Components()) {
      auto* button = dynamic_cast<TButton*>(c.get());
      if (button != nullptr && button->Cancel()) {
        button->Click();
        return;
      }
    }
  });
}

void TForm::closeRequested() {
  Guarded([this] {
    if (modal_) {
      modalResult_ = mrCancel;
    } else if (Application != nullptr && Application->MainForm() == this) {
      Application->Terminate();
    } else {
      Hide();
    }
  });
}

}  // namespace wumpex
