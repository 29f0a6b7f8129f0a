#pragma once

#include "framework/Control.h"

namespace wumpex {

class TButton : public TControl {
 public:
  TButton(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TButton"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
  // Runs OnClick as a press of the button would.
  void Click() { Fire(OnClick, this); }

  TNotifyEvent OnClick;

 protected:
  void userClicked() override;
};

}  // namespace wumpex
