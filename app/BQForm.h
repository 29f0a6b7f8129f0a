#pragma once
// The dialog that asks for a new Be Quiet pattern.

#include "components/StyledLabel.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"

namespace wumpex {

class TAddBeQuietForm : public TForm {
 public:
  // Built from its layout; OK closes it with mrOk. Cancel, Escape and the close box close
  // it with mrCancel, so that only OK adds the typed text.
  explicit TAddBeQuietForm(TComponent* owner);
  const char* ClassName() const override { return "TAddBeQuietForm"; }

  TStyledLabel* StyledLabel1;
  TButton* OKBtn;
  TButton* Button1;
  TEdit* AddBeQuietEditBox;
};

}  // namespace wumpex
