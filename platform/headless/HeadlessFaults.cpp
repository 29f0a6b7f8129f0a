#include "platform/headless/HeadlessFaults.h"

namespace platform::headless {

void HeadlessFaults::refuse(std::set<Call> kinds, std::uint64_t first, std::uint64_t last) {
  kinds_ = std::move(kinds);
  first_ = first;
  last_ = last;
  counted_ = 0;
}

bool HeadlessFaults::refuses(Call call) {
  if (!kinds_.empty() && !kinds_.contains(call)) return false;
  ++counted_;
  if (counted_ < first_ || counted_ > last_) return false;
  refused_.push_back(call);
  return true;
}

bool Refused(Call call) {
  HeadlessFaults* plan = ServiceScope<HeadlessFaults>::installed();
  return plan != nullptr && plan->refuses(call);
}

}  // namespace platform::headless
