#pragma once

#include "framework/Control.h"

namespace wumpex {

class TEdit : public TControl {
 public:
  TEdit(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TEdit"; }

  const std::string& Text() const { return GetText(); }
  // OnChange follows every real change of the text, made by the program or the user,
  // as the system's own edit box reports it.
  void SetText(const std::string& text);

  TNotifyEvent OnChange;

 protected:
  void userEditedText(const std::string& text) override;
};

}  // namespace wumpex
