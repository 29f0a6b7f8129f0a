#include "app/MediaDevice.h"

#include "framework/Exceptions.h"

namespace wumpex {

namespace mci = platform::mci;
using platform::MciParams;

namespace {

// The device type names, in the order of TMPDeviceTypes.
constexpr const char* kDeviceTypeNames[] = {
    "",        "AVIVideo", "CDAudio",   "DAT", "DigitalVideo", "MMMovie",   "Other",
    "Overlay", "Scanner",  "Sequencer", "VCR", "Videodisc",    "WaveAudio",
};

}  // namespace

TMediaDevice::~TMediaDevice() {
  if (deviceId_ == 0) return;
  MciParams params;
  platform::media().sendCommand(deviceId_, mci::kClose, mci::kWait, params);
}

std::string TMediaDevice::ErrorMessage() const {
  return platform::media().errorString(error_).value_or("Unknown error code");
}

platform::Handle TMediaDevice::CallbackWindow() {
  if (!callbackWindow_) callbackWindow_ = platform::desktop().createMessageWindow(*this, false);
  return callbackWindow_->handle();
}

void TMediaDevice::CheckOpen() const {
  if (deviceId_ == 0) throw EMCIDeviceError("No MCI device open");
}

std::uint32_t TMediaDevice::Flags(bool starting) const {
  if (starting) {
    return (notify_.value_or(true) ? mci::kNotify : 0) | (wait_.value_or(false) ? mci::kWait : 0);
  }
  return (wait_.value_or(true) ? mci::kWait : 0) | (notify_.value_or(false) ? mci::kNotify : 0);
}

std::uint32_t TMediaDevice::TakeFlags(bool starting) {
  const std::uint32_t flags = Flags(starting);
  wait_.reset();
  notify_.reset();
  return flags;
}

std::uint32_t TMediaDevice::Send(std::uint32_t message, std::uint32_t flags, MciParams& params) {
  params.callback = CallbackWindow();
  return platform::media().sendCommand(deviceId_, message, flags, params);
}

std::uint32_t TMediaDevice::Query(std::uint32_t message, std::uint32_t item, std::uint32_t flags,
                                  std::uint32_t track) {
  MciParams params;
  params.item = item;
  params.track = track;
  Send(message, flags, params);
  return params.returnValue;
}

std::uint32_t TMediaDevice::Length() {
  CheckOpen();
  return Query(mci::kStatus, mci::kStatusLength);
}

std::uint32_t TMediaDevice::Position() {
  return Query(mci::kStatus, mci::kStatusPosition);
}

std::uint32_t TMediaDevice::Tracks() {
  CheckOpen();
  return Query(mci::kStatus, mci::kStatusTracks);
}

std::uint32_t TMediaDevice::TimeFormat() {
  CheckOpen();
  return Query(mci::kStatus, mci::kStatusTimeFormat);
}

std::uint32_t TMediaDevice::TrackPosition(std::uint32_t track) {
  return Query(mci::kStatus, mci::kStatusPosition, mci::kWait | mci::kStatusItem | mci::kTrack,
               track);
}

TMPModes TMediaDevice::Mode() {
  const std::uint32_t mode = Query(mci::kStatus, mci::kStatusMode) - mci::kModeNotReady;
  return static_cast<TMPModes>(static_cast<std::uint8_t>(mode));
}

void TMediaDevice::Open() {
  if (deviceId_ != 0) Close();
  std::uint32_t flags = TakeFlags(false);
  MciParams params;
  if (!fileName_.empty()) {
    flags |= mci::kOpenElement;
    params.elementName = fileName_;
  }
  if (deviceType_ != TMPDeviceTypes::dtAutoSelect) {
    flags |= mci::kOpenType;
    params.deviceType = kDeviceTypeNames[static_cast<int>(deviceType_)];
  }
  if (shareable_) flags |= mci::kOpenShareable;
  params.callback = CallbackWindow();
  error_ = platform::media().sendCommand(0, mci::kOpen, flags, params);
  if (error_ != 0) throw EMCIDeviceError(ErrorMessage());

  deviceId_ = params.deviceId;
  stepFrames_ = Length() / 10;
  canPlay_ = Query(mci::kGetDevCaps, mci::kCanPlay) != 0;
  canRecord_ = Query(mci::kGetDevCaps, mci::kCanRecord) != 0;
  canEject_ = Query(mci::kGetDevCaps, mci::kCanEject) != 0;
  usesWindow_ = Query(mci::kGetDevCaps, mci::kHasVideo) != 0;
  const std::uint32_t type = Query(mci::kGetDevCaps, mci::kDeviceType);
  canStep_ = type == mci::kDevTypeVcr || type == mci::kDevTypeOverlay ||
             type == mci::kDevTypeAnimation || type == mci::kDevTypeDigitalVideo;
  MciParams where;
  Send(mci::kWhere, mci::kWhereSource, where);
  displayRect_ = where.rect;
  if (deviceType_ == TMPDeviceTypes::dtCDAudio || deviceType_ == TMPDeviceTypes::dtVideodisc) {
    MciParams set;
    set.timeFormat = mci::kFormatTmsf;
    Send(mci::kSet, mci::kSetTimeFormat | mci::kNotify, set);
  }

  automatic_ = {TMPBtnType::btNext, TMPBtnType::btPrev};
  if (canStep_) {
    automatic_.Include(TMPBtnType::btStep);
    automatic_.Include(TMPBtnType::btBack);
  }
  if (canPlay_) automatic_.Include(TMPBtnType::btPlay);
  if (canRecord_) automatic_.Include(TMPBtnType::btRecord);
  if (canEject_) automatic_.Include(TMPBtnType::btEject);
  if (Mode() == TMPModes::mpPlaying) ApplyTransition(TMPBtnType::btPlay);
  if (onButtonsChanged) onButtonsChanged();
}

void TMediaDevice::Close() {
  if (deviceId_ == 0) return;
  MciParams params;
  error_ = Send(mci::kClose, TakeFlags(false), params);
  if (error_ != 0) return;
  deviceId_ = 0;
  automatic_ = {};
  if (onButtonsChanged) onButtonsChanged();
}

void TMediaDevice::TakeFrom(std::uint32_t& flags, MciParams& params) {
  if (!from_) return;
  flags |= mci::kFrom;
  params.from = *from_;
  from_.reset();
}

void TMediaDevice::Play() {
  CheckOpen();
  if (autoRewind_ && !from_ && Position() == Length()) Rewind();
  std::uint32_t flags = TakeFlags(true);
  MciParams params;
  TakeFrom(flags, params);
  error_ = Send(mci::kPlay, flags, params);
}

void TMediaDevice::StartRecording() {
  CheckOpen();
  std::uint32_t flags = TakeFlags(true);
  MciParams params;
  TakeFrom(flags, params);
  error_ = Send(mci::kRecord, flags, params);
}

void TMediaDevice::Stop() {
  CheckOpen();
  MciParams params;
  error_ = Send(mci::kStop, TakeFlags(false), params);
}

void TMediaDevice::Pause() {
  CheckOpen();
  const TMPModes mode = Mode();
  if (mode == TMPModes::mpPlaying) {
    MciParams params;
    error_ = Send(mci::kPause, TakeFlags(false), params);
  } else if (mode == TMPModes::mpPaused) {
    Resume();
  }
}

void TMediaDevice::Resume() {
  CheckOpen();
  MciParams params;
  error_ = Send(mci::kResume, Flags(true), params);
  // Play takes the marks itself when the device cannot resume.
  if (error_ != 0) {
    Play();
    return;
  }
  wait_.reset();
  notify_.reset();
}

// In the tracks format a track's start is the track number alone.
void TMediaDevice::PlayOrSeekTo(std::uint32_t target) {
  if (Mode() == TMPModes::mpPlaying) {
    SetFrom(target);
    Play();
    return;
  }
  MciParams params;
  params.to = target;
  error_ = Send(mci::kSeek, TakeFlags(false) | mci::kTo, params);
}

void TMediaDevice::Next() {
  CheckOpen();
  if (TimeFormat() == mci::kFormatTmsf) {
    const std::uint32_t next = mci::tmsfTrack(Position()) + 1;
    if (next <= Tracks()) {
      PlayOrSeekTo(next);
      return;
    }
  }
  MciParams params;
  error_ = Send(mci::kSeek, TakeFlags(false) | mci::kSeekToEnd, params);
}

void TMediaDevice::Previous() {
  CheckOpen();
  if (TimeFormat() == mci::kFormatTmsf) {
    const std::uint32_t position = Position();
    std::uint32_t track = mci::tmsfTrack(position);
    // At the very start of a track the one before is meant.
    if (position == TrackPosition(track) && track > 1) --track;
    PlayOrSeekTo(track);
    return;
  }
  MciParams params;
  error_ = Send(mci::kSeek, TakeFlags(false) | mci::kSeekToStart, params);
}

void TMediaDevice::StepBy(std::uint32_t flags) {
  MciParams params;
  params.frames = stepFrames_;
  error_ = Send(mci::kStep, TakeFlags(false) | flags, params);
}

void TMediaDevice::Step() {
  CheckOpen();
  if (!usesWindow_) return;
  if (autoRewind_ && Position() == Length()) Rewind();
  StepBy(mci::kStepFrames);
}

void TMediaDevice::Back() {
  CheckOpen();
  if (!usesWindow_) return;
  StepBy(mci::kStepFrames | mci::kStepReverse);
}

void TMediaDevice::Eject() {
  CheckOpen();
  if (!canEject_) return;
  MciParams params;
  error_ = Send(mci::kSet, TakeFlags(false) | mci::kSetDoorOpen, params);
}

void TMediaDevice::Rewind() {
  CheckOpen();
  MciParams params;
  Send(mci::kSeek, mci::kWait | mci::kSeekToStart, params);
}

void TMediaDevice::EnableStartButtons() {
  if (canPlay_) automatic_.Include(TMPBtnType::btPlay);
  if (canRecord_) automatic_.Include(TMPBtnType::btRecord);
}

void TMediaDevice::ApplyTransition(TMPBtnType pressed) {
  switch (pressed) {
    case TMPBtnType::btPlay:
    case TMPBtnType::btRecord:
      automatic_.Exclude(TMPBtnType::btPlay);
      automatic_.Exclude(TMPBtnType::btRecord);
      automatic_.Include(TMPBtnType::btPause);
      automatic_.Include(TMPBtnType::btStop);
      break;
    case TMPBtnType::btPause:
      EnableStartButtons();
      break;
    default:
      EnableStartButtons();
      automatic_.Exclude(TMPBtnType::btPause);
      automatic_.Exclude(TMPBtnType::btStop);
      break;
  }
  if (onButtonsChanged) onButtonsChanged();
}

std::optional<std::intptr_t> TMediaDevice::messageArrived(unsigned message, std::uintptr_t wParam,
                                                          std::intptr_t /*lParam*/) {
  if (message != mci::kNotifyMessage) return std::nullopt;
  switch (wParam) {
    case mci::kNotifySuccessful:
      notifyValue_ = TMPNotifyValues::nvSuccessful;
      break;
    case mci::kNotifySuperseded:
      notifyValue_ = TMPNotifyValues::nvSuperseded;
      break;
    case mci::kNotifyAborted:
      notifyValue_ = TMPNotifyValues::nvAborted;
      break;
    case mci::kNotifyFailure:
      notifyValue_ = TMPNotifyValues::nvFailure;
      break;
    default:
      break;
  }
  if (onNotify) onNotify();
  return 0;
}

}  // namespace wumpex
