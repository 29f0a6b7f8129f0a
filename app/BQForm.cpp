#include "app/BQForm.h"

namespace wumpex {

TAddBeQuietForm::TAddBeQuietForm(TComponent* owner) : TForm(owner, "AddBeQuietForm") {
  SetCaption("Add new \"Be Quiet\" Application");
  SetClientSize(377, 76);
  SetCloseBox(true);
  SetFont({"MS Sans Serif", -11, false});

  StyledLabel1 = Make<TStyledLabel>("StyledLabel1");
  StyledLabel1->SetParent(this);
  StyledLabel1->SetTextStyle(TTextStyle::tsNone);
  // Two whole lines of the dialog's font: the sentence wraps once.
  StyledLabel1->SetBounds({16, 8, 265, 26});
  StyledLabel1->SetWordWrap(true);
  StyledLabel1->SetAutoSize(false);
  StyledLabel1->SetCaption(
      "Enter a string to identify the window of the application to be quiet for.");

  OKBtn = Make<TButton>("OKBtn");
  OKBtn->SetParent(this);
  OKBtn->SetBounds({296, 7, 75, 23});
  OKBtn->SetCaption("OK");
  OKBtn->SetModalResult(mrOk);
  OKBtn->SetTabOrder(0);

  Button1 = Make<TButton>("Button1");
  Button1->SetParent(this);
  Button1->SetBounds({296, 40, 75, 23});
  Button1->SetCaption("Cancel");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);
  Button1->SetTabOrder(1);

  AddBeQuietEditBox = Make<TEdit>("AddBeQuietEditBox");
  AddBeQuietEditBox->SetParent(this);
  AddBeQuietEditBox->SetBounds({16, 40, 265, 21});
  AddBeQuietEditBox->SetTabOrder(2);
  SetActiveControl(AddBeQuietEditBox);
  FinishCreation();
}

}  // namespace wumpex
