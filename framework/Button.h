#pragma once

#include "framework/Control.h"

namespace wumpex {

class TButton : public TControl {
 public:
  TButton(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TButton"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
  // Runs OnClick as a press of the button would, then hands the button's modal result, if
  // any, to its form.
  void Click();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // The cancel button is pressed by the Escape key.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }

  TNotifyEvent OnClick;

 protected:
  void userClicked() override;

 private:
  int modalResult_ = 0;
  bool cancel_ = false;
};

}  // namespace wumpex
