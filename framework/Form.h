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
  // Shows the window as a dialog: the thread's other windows are disabled until its modal
  // result is set (by a button that carries one, or mrCancel by the close box); returns it.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // The control that has the focus when the window is shown.
  void SetActiveControl(TControl* control) { activeControl_ = control; }
  // With a close box, and so a system menu.
  void SetCloseBox(bool closeBox) { closeBox_ = closeBox; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;

 protected:
  // The last step of building a form from its layout: every component's after-loading step,
  // the native window, then the create handler inside the exception guard.
  void FinishCreation();
  platform::WidgetStyle Style() const override { return {.closeBox = closeBox_}; }
  void InitPeer(platform::Widget& peer) override;
  void closeRequested() override;
  void cancelRequested() override;

 private:
  std::string icon_;
  int modalResult_ = 0;
  bool modal_ = false;
  bool closeBox_ = false;
  TControl* activeControl_ = nullptr;
};

// Modal results, with the values of the system's button answers.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

}  // namespace wumpex
