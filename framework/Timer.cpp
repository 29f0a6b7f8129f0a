#include "framework/Timer.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace wumpex {

TTimer::TTimer(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)), window_(platform::desktop().createTimerWindow(*this)) {}

TTimer::~TTimer() {
  window_->killTimer(kTimerId);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  window_->killTimer(kTimerId);
  if (interval_ != 0 && enabled_ && onTimer_) {
    if (!window_->setTimer(kTimerId, interval_)) {
      throw EOutOfResources("Not enough timers available");
    }
  }
}

void TTimer::timerFired(unsigned id) {
  if (id != kTimerId) return;
  GuardHandler([this] { Fire(onTimer_, this); });
}

}  // namespace wumpex
