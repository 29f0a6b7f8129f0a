#pragma once
// One multimedia device driven through command messages: what it can do, the marks for the
// next command, and the buttons that make sense for its state. The media player shows a bar
// of buttons for it; the program's tick drives one directly.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "platform/Desktop.h"
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

// Wait and Notify apply to the next command only: assigning one marks it, and the next
// command takes it and clears both marks. Unmarked, a command that starts playing or
// recording returns at once and notifies; any other waits. The program never asks for a
// play to an end point, so the device has no To.
class TMediaDevice : private platform::MessageEvents {
 public:
  TMediaDevice() = default;
  ~TMediaDevice();
  TMediaDevice(const TMediaDevice&) = delete;
  TMediaDevice& operator=(const TMediaDevice&) = delete;

  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  TMPDeviceTypes DeviceType() const { return deviceType_; }
  void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
  bool Shareable() const { return shareable_; }
  void SetShareable(bool shareable) { shareable_ = shareable; }
  bool AutoRewind() const { return autoRewind_; }
  void SetAutoRewind(bool autoRewind) { autoRewind_ = autoRewind; }

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
  // The buttons that make sense now, kept by Open, Close and transitions.
  const TButtonSet& AutomaticButtons() const { return automatic_; }
  // What pressing a button changes in AutomaticButtons.
  void ApplyTransition(TMPBtnType pressed);

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

  // Told when AutomaticButtons changes, and when a notification has arrived (NotifyValue
  // holds it).
  std::function<void()> onButtonsChanged;
  std::function<void()> onNotify;

 private:
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
  bool autoRewind_ = true;
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
};

}  // namespace wumpex
