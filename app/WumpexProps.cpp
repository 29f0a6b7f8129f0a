#include "app/WumpexProps.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/IntegerText.h"
#include "framework/Random.h"
#include "framework/Text.h"

namespace wumpex {

TWumpexForm* WumpexForm = nullptr;

namespace {

// A count of units in seconds, held within 0..kMaxIntervalSeconds.
std::int64_t CountSeconds(const std::string& countText, int unitIndex) {
  const std::int64_t count = StrToInt(countText);
  const std::int64_t factor =
      unitIndex >= 0 && unitIndex < 3 ? kUnitFactors[static_cast<std::size_t>(unitIndex)] : 1;
  return std::clamp<std::int64_t>(count * factor, 0, kMaxIntervalSeconds);
}

}  // namespace

TWumpexForm::TWumpexForm() : TForm(nullptr, "WumpexForm") {
  WumpexForm = this;
  try {
    ReadLayout();
    FinishCreation();
  } catch (...) {
    WumpexForm = nullptr;
    throw;
  }
}

TWumpexForm::~TWumpexForm() {
  if (WumpexForm == this) WumpexForm = nullptr;
}

void TWumpexForm::FormCreate(TComponent*) {
  ScheduleNextSound();
}

void TWumpexForm::ShutDownBtnClick(TComponent*) {
  Application->Terminate();
}

void TWumpexForm::ScheduleNextSound() {
  if (WumpexDisabledCB->Checked()) return;
  const std::int64_t base = CountSeconds(RandomTimeEB->Text(), RandomTimeCB->ItemIndex());
  const std::int64_t adjustment = CountSeconds(VariableTimeEB->Text(), VariableTimeCB->ItemIndex());
  const std::int64_t extra = RandomBelow(static_cast<std::int32_t>(adjustment));
  const std::int64_t seconds = std::min(base + extra, kMaxIntervalSeconds);
  Timer1->SetInterval(static_cast<std::uint32_t>(seconds * 1000));
  Timer1->SetEnabled(true);
}

bool TWumpexForm::BeQuietCheck() {
  WindowsList1->Refresh();
  const auto& titles = WindowsList1->TheWindowsList();
  const int patterns = BeQuietListBox->Count();
  for (int j = 0; j < patterns; ++j) {
    const std::string pattern = UpperCase(BeQuietListBox->Item(j));
    if (pattern.empty()) continue;
    for (const auto& entry : titles) {
      if (UpperCase(entry.title).find(pattern) != std::string::npos) return false;
    }
  }
  return true;
}

// The tick switches the timer off first, so that no second tick can start while it runs,
// and schedules again only as its last step.
void TWumpexForm::Timer1Timer(TComponent*) {
  Timer1->SetEnabled(false);
  if (!WumpexDisabledCB->Checked() && BeQuietCheck()) ReseedFromClock();
  ScheduleNextSound();
}

}  // namespace wumpex
