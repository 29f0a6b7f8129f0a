#pragma once

#include "framework/Control.h"

namespace wumpex {

// A top-level window. It stays hidden until shown; closing the main form ends the program,
// closing any other hides it.
class TForm : public TControl {
 public:
  TForm(TComponent* owner, std::string name);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
  // The client area's size; the window is placed at the centre of the screen when shown.
  void SetClientSize(int width, int height) { SetBounds({0, 0, width, height}); }
  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& resourceName);

  // Makes the window and its controls if need be, shows it and brings it to the front.
  void Show();
  void Hide() { SetVisible(false); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;

 protected:
  // The last step of building a form from its layout: every component's after-loading step,
  // the native window, then the create handler inside the exception guard.
  void FinishCreation();
  void InitPeer(platform::Widget& peer) override;
  void closeRequested() override;

 private:
  std::string icon_;
};

}  // namespace wumpex
