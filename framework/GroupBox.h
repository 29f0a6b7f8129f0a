#pragma once

#include "framework/Control.h"

namespace wumpex {

class TGroupBox : public TControl {
 public:
  TGroupBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TGroupBox"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
};

}  // namespace wumpex
