#pragma once

#include "framework/Control.h"

namespace wumpex {

class TCheckBox : public TControl {
 public:
  TCheckBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TCheckBox"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
  bool Checked() const { return checked_; }
  // A real change of state, by the program or the user, raises OnClick.
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

 protected:
  void InitPeer(platform::Widget& peer) override;
  void userToggled(bool checked) override;

 private:
  bool checked_ = false;
};

}  // namespace wumpex
