#pragma once
// The media player: drives one multimedia device through command messages, keeps the set
// of buttons that make sense for the device's state, and shows a bar of push buttons, one
// for each command, that the user presses with the mouse or the keyboard.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "framework/Control.h"
#include "platform/Media.h"

namespace wumpex {

enum class TMPDeviceTypes {
  dtAutoSelect,
  dtAVIVideo,
  dtCDAudio,
  dtDAT,
  dtDigitalVideo,
  dtMMMovie,
  dtOther,
  dtOverlay,
  dtScanner,
  dtSequencer,
  dtVCR,
  dtVideodisc,
  dtWaveAudio,
};

enum class TMPBtnType {
  btPlay,
  btPause,
  btStop,
  btNext,
  btPrev,
  btStep,
  btBack,
  btRecord,
  btEject
};

class TButtonSet {
 public:
  TButtonSet() = default;
  TButtonSet(std::initializer_list<TMPBtnType> buttons) {
    for (TMPBtnType b : buttons) Include(b);
  }
  bool Contains(TMPBtnType b) const { return (bits_ & Bit(b)) != 0; }
  void Include(TMPBtnType b) { bits_ |= Bit(b); }
  void Exclude(TMPBtnType b) { bits_ &= static_cast<std::uint16_t>(~Bit(b)); }
  bool operator==(const TButtonSet&) const = default;

 private:
  static std::uint16_t Bit(TMPBtnType b) {
    return static_cast<std::uint16_t>(1u << static_cast<unsigned>(b));
  }
  std::uint16_t bits_ = 0;
};

// The device's mode as the status reports it; a failed status gives a value outside these.
enum class TMPModes : std::uint8_t {
  mpNotReady,
  mpStopped,
  mpPlaying,
  mpRecording,
  mpSeeking,
  mpPaused,
  mpOpen,
};

enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// Before a button's command; clearing doDefault cancels the command and the post-click.
using EMPNotify = std::function<void(TComponent* sender, TMPBtnType button, bool& doDefault)>;
using EMPPostNotify = std::function<void(TComponent* sender, TMPBtnType button)>;

// Wait and Notify apply to the next command only: assigning one marks it, and the next
// command takes it and clears both marks. Unmarked, a command that starts playing or
// recording returns at once and notifies; any other waits. The program never asks for a
// play to an end point, so the player has no To.
class TMediaPlayer : public TControl, private platform::MessageEvents {
 public:
  TMediaPlayer(TComponent* owner, std::string name);
  ~TMediaPlayer() override;

  const char* ClassName() const override { return "TMediaPlayer"; }

  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  TMPDeviceTypes DeviceType() const { return deviceType_; }
  void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
  bool Shareable() const { return shareable_; }
  void SetShareable(bool shareable) { shareable_ = shareable; }
  bool AutoOpen() const { return autoOpen_; }
  void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }
  bool AutoRewind() const { return autoRewind_; }
  void SetAutoRewind(bool autoRewind) { autoRewind_ = autoRewind; }
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

  std::uint16_t DeviceID() const { return deviceId_; }
  bool Opened() const { return deviceId_ != 0; }
  // The result of the last command that records one; 0 is success.
  std::uint32_t Error() const { return error_; }
  std::string ErrorMessage() const;
  // The marks for the next command, unset once it has taken them.
  std::optional<bool> Wait() const { return wait_; }
  void SetWait(bool wait) { wait_ = wait; }
  std::optional<bool> Notify() const { return notify_; }
  void SetNotify(bool notify) { notify_ = notify; }
  // Where the next play or recording starts.
  std::optional<std::uint32_t> From() const { return from_; }
  void SetFrom(std::uint32_t from) { from_ = from; }

  bool CanPlay() const { return canPlay_; }
  bool CanRecord() const { return canRecord_; }
  bool CanEject() const { return canEject_; }
  bool UsesWindow() const { return usesWindow_; }
  bool CanStep() const { return canStep_; }
  std::uint32_t StepFrames() const { return stepFrames_; }
  platform::Bounds DisplayRect() const { return displayRect_; }
  TMPNotifyValues NotifyValue() const { return notifyValue_; }
  // The buttons that make sense now, kept by Open, Close, notifications and transitions.
  const TButtonSet& AutomaticButtons() const { return automatic_; }

  // Status queries, in the device's time format.
  std::uint32_t Length();
  std::uint32_t Position();
  std::uint32_t Tracks();
  std::uint32_t TimeFormat();
  std::uint32_t TrackPosition(std::uint32_t track);
  TMPModes Mode();

  // Open raises EMCIDeviceError when the device refuses; every command but Open and Close
  // raises it when no device is open. Otherwise the result is left in Error.
  void Open();
  void Close();
  void Play();
  void Stop();
  // Pauses while playing, resumes while paused.
  void Pause();
  // Plays instead when the device refuses to resume.
  void Resume();
  void Next();
  void Previous();
  void Step();
  void Back();
  void StartRecording();
  void Eject();
  void Rewind();

  // What pressing a button changes in AutomaticButtons.
  void ApplyTransition(TMPBtnType pressed);

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
  // The bar's own workings (MPlayerBar.cpp). After loading, its width follows its buttons.
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

  // The device's own workings (MPlayer.cpp).
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam) override;
  platform::Handle CallbackWindow();
  void CheckOpen() const;
  // The wait and notify flags; starting commands are play, record and resume.
  std::uint32_t Flags(bool starting) const;
  std::uint32_t TakeFlags(bool starting);
  // Adds the one-shot start position, when set, to a play or record command.
  void TakeFrom(std::uint32_t& flags, platform::MciParams& params);
  std::uint32_t Send(std::uint32_t message, std::uint32_t flags, platform::MciParams& params);
  std::uint32_t Query(std::uint32_t message, std::uint32_t item,
                      std::uint32_t flags = platform::mci::kWait | platform::mci::kStatusItem,
                      std::uint32_t track = 0);
  void PlayOrSeekTo(std::uint32_t target);
  void StepBy(std::uint32_t flags);
  void EnableStartButtons();

  std::string fileName_;
  TMPDeviceTypes deviceType_ = TMPDeviceTypes::dtAutoSelect;
  bool shareable_ = false;
  bool autoOpen_ = false;
  bool autoRewind_ = true;
  bool autoEnable_ = true;

  std::uint16_t deviceId_ = 0;
  std::uint32_t error_ = 0;
  std::optional<bool> wait_;
  std::optional<bool> notify_;
  std::optional<std::uint32_t> from_;
  bool canPlay_ = false;
  bool canRecord_ = false;
  bool canEject_ = false;
  bool usesWindow_ = false;
  bool canStep_ = false;
  std::uint32_t stepFrames_ = 0;
  platform::Bounds displayRect_;
  TMPNotifyValues notifyValue_ = TMPNotifyValues::nvSuccessful;
  TButtonSet automatic_;
  std::unique_ptr<platform::MessageWindow> callbackWindow_;

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
