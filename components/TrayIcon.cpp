#include "components/TrayIcon.h"

#include <algorithm>

#include "framework/Application.h"
#include "platform/Utf8.h"

namespace wumpex {

void TIcon::LoadFromResourceName(const std::string& resourceName) {
  loaded_ = platform::notificationArea().loadIcon(resourceName);
  resourceName_ = resourceName;
}

void TIcon::Assign(const TIcon& source) {
  if (source.Empty()) {
    loaded_.reset();
    resourceName_.clear();
  } else {
    LoadFromResourceName(source.resourceName_);
  }
}

TTrayIcon::TTrayIcon(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)),
      // Only top-level windows hear of the shell starting over.
      window_(platform::desktop().createMessageWindow(*this, true)),
      taskbarCreated_(platform::desktop().registerWindowMessage("TaskbarCreated")) {}

TTrayIcon::~TTrayIcon() {
  if (active_) DeleteIcon();
  // Then the members go in reverse: Icon before the window.
}

void TTrayIcon::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active_) {
    AddIcon();
  } else {
    DeleteIcon();
  }
}

void TTrayIcon::SetIcon(const TIcon& icon) {
  if (&icon == &icon_) return;
  icon_.Assign(icon);
  ModifyIcon();
}

void TTrayIcon::SetToolTip(const std::string& toolTip) {
  toolTip_ = toolTip.substr(0, platform::Utf8PrefixWithin(toolTip, kMaxToolTip));
  ModifyIcon();
}

void TTrayIcon::FillIconData() {
  iconData_ = {};
  iconData_.size = platform::kNotifyIconRecordV1Size;
  iconData_.window = window_->handle();
  iconData_.id = 0;
  iconData_.flags = platform::nif::kMessage | platform::nif::kIcon | platform::nif::kTip;
  iconData_.callbackMessage = kCallbackMessage;
  iconData_.icon = icon_.Handle();
  std::copy(toolTip_.begin(), toolTip_.end(), iconData_.tip.begin());
}

bool TTrayIcon::AddIcon() {
  FillIconData();
  const bool added = platform::notificationArea().notifyIcon(platform::nim::kAdd, iconData_);
  // The shell may show no tip for an icon added without one; setting it again afterwards
  // brings it up.
  if (toolTip_.empty()) {
    platform::desktop().postMessage(window_->handle(), kTipRefreshMessage, 0, 0);
  }
  return added;
}

bool TTrayIcon::ModifyIcon() {
  FillIconData();
  if (!active_) return true;
  return platform::notificationArea().notifyIcon(platform::nim::kModify, iconData_);
}

bool TTrayIcon::DeleteIcon() {
  return platform::notificationArea().notifyIcon(platform::nim::kDelete, iconData_);
}

std::optional<std::intptr_t> TTrayIcon::messageArrived(unsigned message, std::uintptr_t /*wParam*/,
                                                       std::intptr_t lParam) {
  if (message == kTipRefreshMessage) {
    SetToolTip(toolTip_);
    return 0;
  }
  if (message == kCallbackMessage) {
    switch (lParam) {
      case platform::wm::kLeftButtonUp:
        Fire(OnClick, this);
        break;
      case platform::wm::kLeftButtonDoubleClick:
        Fire(OnDblClick, this);
        break;
      case platform::wm::kRightButtonUp:
        PopupAtCursor();
        break;
      default:
        break;
    }
    return 0;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0 && active_) AddIcon();
  return std::nullopt;
}

void TTrayIcon::PopupAtCursor() {
  const platform::Point at = platform::notificationArea().cursorPos();
  if (popupMenu_ != nullptr) {
    // Without the foreground the menu would not close when the user clicks elsewhere.
    platform::notificationArea().setForegroundWindow(Application->Handle());
    platform::desktop().processMessages();
    popupMenu_->Popup(at, Application->Handle());
  }
  if (OnRightClick) OnRightClick(this, TMouseButton::Right, TShiftState{}, at.x, at.y);
}

}  // namespace wumpex
