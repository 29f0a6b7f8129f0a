#include "framework/GroupBox.h"

namespace wumpex {

TGroupBox::TGroupBox(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::GroupBox) {
  SetTabOrder(0);
}

}  // namespace wumpex
