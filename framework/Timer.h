#pragma once

#include <cstdint>
#include <memory>

#include "framework/Component.h"
#include "platform/Desktop.h"

namespace wumpex {

// Runs one system timer on a hidden window of its own and calls OnTimer on each expiry.
// Every real change of Enabled, Interval or OnTimer kills the system timer and starts it
// again with the full interval, but only while Interval is not 0, Enabled is set and
// OnTimer is assigned. Setting a value it already has leaves the countdown alone.
class TTimer : public TComponent, private platform::TimerEvents {
 public:
  TTimer(TComponent* owner, std::string name);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  // Raises EOutOfResources "Not enough timers available" when the system has no timer
  // left; the new value is kept all the same.
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t milliseconds);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

 private:
  static constexpr unsigned kTimerId = 1;
  void UpdateTimer();
  void timerFired(unsigned id) override;

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  std::unique_ptr<platform::TimerWindow> window_;
};

}  // namespace wumpex
