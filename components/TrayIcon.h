#pragma once
// The program's icon in the task bar's notification area, with its tool tip: it turns the
// shell's mouse reports into events and shows a pop-up menu on a right click.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/Component.h"
#include "framework/PopupMenu.h"
#include "platform/NotificationArea.h"

namespace wumpex {

// A picture from the program's resources, by name; empty until one is loaded. It holds
// its own system icon, freed with it or with the next picture.
class TIcon {
 public:
  TIcon() = default;
  explicit TIcon(const std::string& resourceName) { LoadFromResourceName(resourceName); }

  bool Empty() const { return loaded_ == nullptr; }
  const std::string& ResourceName() const { return resourceName_; }
  // The system icon; 0 while empty.
  platform::IconHandle Handle() const { return loaded_ ? loaded_->handle() : 0; }
  void LoadFromResourceName(const std::string& resourceName);
  // Takes on the source's picture with an icon of its own; an empty source empties this.
  void Assign(const TIcon& source);

 private:
  std::string resourceName_;
  std::unique_ptr<platform::LoadedIcon> loaded_;
};

enum class TMouseButton { Left, Right, Middle };

// Keys held down with a mouse report; the notification area reports none.
struct TShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// Its handlers run outside the application's exception display: an exception from one
// would reach the window procedure, which drops it.
class TTrayIcon : public TComponent, private platform::MessageEvents {
 public:
  // The program's own messages: the shell's mouse reports, and the tip's refresh.
  static constexpr unsigned kCallbackMessage = platform::wm::kUser + 1;
  static constexpr unsigned kTipRefreshMessage = platform::wm::kUser + 2;
  static constexpr std::size_t kMaxToolTip = 62;

  TTrayIcon(TComponent* owner, std::string name);
  ~TTrayIcon() override;
  const char* ClassName() const override { return "TTrayIcon"; }

  // Whether the icon is in the notification area.
  bool Active() const { return active_; }
  void SetActive(bool active);
  // Showing the icon while the program is being designed; there is no design time here,
  // so it stays off and setting it does nothing.
  bool ShowDesigning() const { return false; }
  void SetShowDesigning(bool /*show*/) {}
  TIcon& Icon() { return icon_; }
  // Copies the picture of another icon object into Icon and shows it.
  void SetIcon(const TIcon& icon);
  const std::string& ToolTip() const { return toolTip_; }
  // Keeps the first kMaxToolTip characters.
  void SetToolTip(const std::string& toolTip);
  // Shown on a right click; not owned.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
  // The hidden window that gets the shell's reports.
  platform::Handle WindowHandle() const { return window_->handle(); }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  // After the menu, with the cursor's screen position.
  TMouseEvent OnRightClick;

 private:
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam) override;
  void FillIconData();
  // Each gives the shell's answer, on which nothing depends.
  bool AddIcon();
  bool ModifyIcon();
  bool DeleteIcon();
  void PopupAtCursor();

  std::unique_ptr<platform::MessageWindow> window_;
  TIcon icon_;
  platform::NotifyIconRecord iconData_;
  std::string toolTip_;
  bool active_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  // The message the shell broadcasts when it starts over and has forgotten every icon.
  unsigned taskbarCreated_;
};

}  // namespace wumpex
