#pragma once
// The media player: a bar of push buttons, one for each command, that the user presses with
// the mouse or the keyboard, over one multimedia device (TMediaDevice) that it drives.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/MediaDevice.h"
#include "framework/Control.h"

namespace wumpex {

// Before a button's command; clearing doDefault cancels the command and the post-click.
using EMPNotify = std::function<void(TComponent* sender, TMPBtnType button, bool& doDefault)>;
using EMPPostNotify = std::function<void(TComponent* sender, TMPBtnType button)>;

// What the program and its tests ask of the device through the player is handed to it; the
// rest of the device is reached through Device().
class TMediaPlayer : public TControl {
 public:
  TMediaPlayer(TComponent* owner, std::string name);

  const char* ClassName() const override { return "TMediaPlayer"; }

  TMediaDevice& Device() { return device_; }

  void SetFileName(std::string name) { device_.SetFileName(std::move(name)); }
  void SetDeviceType(TMPDeviceTypes type) { device_.SetDeviceType(type); }
  bool AutoOpen() const { return autoOpen_; }
  void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }
  void SetAutoRewind(bool autoRewind) { device_.SetAutoRewind(autoRewind); }
  bool AutoEnable() const { return autoEnable_; }
  // On, the buttons in the automatic set can be pressed; off, those in the enabled set.
  void SetAutoEnable(bool autoEnable);
  TNotifyEvent OnNotify;

  // The bar. Each set holds all nine buttons at first. The enabled set counts while
  // AutoEnable is off; AutomaticButtons (below) while it is on.
  const TButtonSet& VisibleButtons() const { return visible_; }
  void SetVisibleButtons(const TButtonSet& buttons);
  const TButtonSet& EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(const TButtonSet& buttons);
  const TButtonSet& ColoredButtons() const { return colored_; }
  void SetColoredButtons(const TButtonSet& buttons);
  EMPNotify OnClick;
  EMPPostNotify OnPostClick;
  int ButtonWidth() const { return buttonWidth_; }
  TMPBtnType FocusedButton() const { return focusedButton_; }

  std::uint16_t DeviceID() const { return device_.DeviceID(); }
  bool Opened() const { return device_.Opened(); }
  std::uint32_t Error() const { return device_.Error(); }
  std::string ErrorMessage() const { return device_.ErrorMessage(); }
  void SetWait(bool wait) { device_.SetWait(wait); }
  void SetNotify(bool notify) { device_.SetNotify(notify); }
  void SetFrom(std::uint32_t from) { device_.SetFrom(from); }
  std::uint32_t StepFrames() const { return device_.StepFrames(); }
  TMPNotifyValues NotifyValue() const { return device_.NotifyValue(); }
  const TButtonSet& AutomaticButtons() const { return device_.AutomaticButtons(); }
  void ApplyTransition(TMPBtnType pressed) { device_.ApplyTransition(pressed); }

  std::uint32_t Length() { return device_.Length(); }
  std::uint32_t Position() { return device_.Position(); }
  TMPModes Mode() { return device_.Mode(); }
  void Open() { device_.Open(); }
  void Close() { device_.Close(); }
  void Play() { device_.Play(); }
  void Stop() { device_.Stop(); }
  void Pause() { device_.Pause(); }
  void Resume() { device_.Resume(); }
  void Next() { device_.Next(); }
  void Previous() { device_.Previous(); }
  void Rewind() { device_.Rewind(); }

 protected:
  // The bar works by keyboard too, so Tab reaches it.
  platform::WidgetStyle Style() const override { return {.tabStop = true}; }
  // Opens the device when AutoOpen is on. A device that cannot be opened leaves the player
  // closed rather than stopping the program from starting; later commands report it.
  void Loaded() override;
  void Paint(TCanvas& canvas) override;
  void Resized() override;
  void mousePressed(platform::Point at) override;
  void mouseMoved(platform::Point at) override;
  void mouseReleased(platform::Point at) override;
  void keyPressed(unsigned key) override;
  void focusChanged(bool focused) override;

 private:
  // After loading, the bar's width follows its buttons.
  void EndLoading();
  int VisibleCount() const;
  // Where a visible button starts; the buttons share their border columns.
  int ButtonLeft(TMPBtnType button) const;
  bool Pressable(TMPBtnType button) const;
  void DrawButton(TCanvas& canvas, TMPBtnType button, int x);
  // OnClick, the command unless cancelled, OnPostClick.
  void Click(TMPBtnType button);
  void RunCommand(TMPBtnType button);
  void SetWidthFromButtons();
  // A notification: a device that stopped by itself takes the stop's transition.
  void Notified();

  TMediaDevice device_;
  bool autoOpen_ = false;
  bool autoEnable_ = true;
  TButtonSet visible_;
  TButtonSet enabled_;
  TButtonSet colored_;
  int buttonWidth_ = 0;
  // Until loading ends the bar keeps the size it is given; the buttons only follow it.
  bool loading_ = true;
  bool widthPending_ = false;
  bool focused_ = false;
  TMPBtnType focusedButton_ = TMPBtnType::btPlay;
  TMPBtnType currentButton_ = TMPBtnType::btPlay;
  platform::Rect currentRect_;
  bool pressed_ = false;
  bool down_ = false;
};

}  // namespace wumpex
