#include "framework/Edit.h"

namespace wumpex {

TEdit::TEdit(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Edit) {
  SetTabOrder(0);
}

void TEdit::SetText(const std::string& text) {
  if (SetTextValue(text)) Fire(OnChange, this);
}

void TEdit::userEditedText(const std::string& text) {
  Guarded([&] {
    if (SetTextValue(text, true)) Fire(OnChange, this);
  });
}

}  // namespace wumpex
