#include "platform/headless/HeadlessNotificationArea.h"

namespace platform::headless {

class HeadlessIcon final : public LoadedIcon {
 public:
  HeadlessIcon(HeadlessNotificationArea& area, const std::string& name)
      : area_(area), handle_(area.nextIcon_++) {
    area_.loaded_[handle_] = name;
  }
  ~HeadlessIcon() override { area_.loaded_.erase(handle_); }
  HeadlessIcon(const HeadlessIcon&) = delete;
  HeadlessIcon& operator=(const HeadlessIcon&) = delete;
  IconHandle handle() const override { return handle_; }

 private:
  HeadlessNotificationArea& area_;
  IconHandle handle_;
};

bool HeadlessNotificationArea::notifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  const auto key = std::make_pair(record.window, record.id);
  const bool present = shown_.contains(key);
  bool succeeded = false;
  if (message == nim::kAdd || message == nim::kModify) {
    succeeded = present == (message == nim::kModify);
    if (succeeded) shown_[key] = record;
  } else if (message == nim::kDelete && present) {
    shown_.erase(key);
    succeeded = true;
  }
  calls.push_back({message, record, succeeded});
  return succeeded;
}

std::unique_ptr<LoadedIcon> HeadlessNotificationArea::loadIcon(const std::string& resourceName) {
  return std::make_unique<HeadlessIcon>(*this, resourceName);
}

const NotifyIconRecord* HeadlessNotificationArea::shown(Handle window, std::uint32_t id) const {
  auto it = shown_.find({window, id});
  return it == shown_.end() ? nullptr : &it->second;
}

std::string HeadlessNotificationArea::iconName(IconHandle icon) const {
  auto it = loaded_.find(icon);
  return it == loaded_.end() ? std::string() : it->second;
}

}  // namespace platform::headless
