#include "platform/portable/MediaDevices.h"

#include <algorithm>
#include <atomic>

#include "platform/LetterCase.h"

namespace platform::portable {

namespace {

constexpr int kCtrlBreak = 3;  // the break key until the program names another

// Answers a status or capability query from a table of what the device can tell.
std::uint32_t Report(const std::map<std::uint32_t, std::uint32_t>& answers, MciParams& params) {
  const auto it = answers.find(params.item);
  if (it == answers.end()) return mci::kErrUnsupportedFunction;
  params.returnValue = it->second;
  return 0;
}

}  // namespace

// The notice a notifying play owes its window. The play's end may give it on the sound's
// thread while a command gives it on the machine's; whichever comes first posts it.
class MediaDevices::Notice {
 public:
  Notice(Host& host, Handle window, std::uint16_t device)
      : host_(host), window_(window), device_(device) {}
  void give(std::uintptr_t how) {
    if (const Handle window = window_.exchange(0)) {
      host_.post(window, mci::kNotifyMessage, how, device_);
    }
  }

 private:
  Host& host_;
  std::atomic<Handle> window_;
  std::uint16_t device_;
};

struct MediaDevices::Device {
  enum class State { Stopped, Playing, Paused };

  Device(std::uint16_t deviceId, std::unique_ptr<Sound> output, std::uint32_t milliseconds)
      : id(deviceId), sound(std::move(output)), length(milliseconds) {}

  std::uint16_t id;
  std::unique_ptr<Sound> sound;  // none for a device opened by its type
  std::uint32_t length;
  State state = State::Stopped;
  std::uint32_t position = 0;  // where the play started, or where it stopped
  std::uint64_t startedAt = 0;
  std::uint32_t end = 0;
  std::shared_ptr<Notice> notice;  // of the play under way, when it notifies
  int breakKey = kCtrlBreak;

  void endNotice(std::uintptr_t how) {
    if (notice) notice->give(how);
    notice.reset();
  }
};

MediaDevices::MediaDevices(Host& host) : host_(host) {}
MediaDevices::~MediaDevices() = default;

std::uint32_t MediaDevices::current(const Device& d) {
  if (d.state != Device::State::Playing) return d.position;
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(d.end, d.position + (host_.now() - d.startedAt)));
}

// Ends a play that the sound has finished.
void MediaDevices::settle(Device& d) {
  if (d.state != Device::State::Playing || d.sound->playing()) return;
  d.position = d.end;
  d.state = Device::State::Stopped;
  d.endNotice(mci::kNotifySuccessful);
}

void MediaDevices::halt(Device& d) {
  if (d.state == Device::State::Playing) {
    d.position = current(d);
    d.sound->stop();
  }
  d.state = Device::State::Stopped;
  d.endNotice(mci::kNotifyAborted);
}

std::uint32_t MediaDevices::sendCommand(std::uint16_t device, std::uint32_t message,
                                        std::uint32_t flags, MciParams& params) {
  if (message == mci::kOpen) return open(flags, params);
  const auto it = devices_.find(device);
  if (it == devices_.end()) return mci::kErrInvalidDeviceId;
  Device& d = *it->second;
  settle(d);
  const std::uint32_t result = execute(d, message, flags, params);
  if (result != 0) return result;
  const bool starts = message == mci::kPlay || message == mci::kResume;
  if ((flags & mci::kNotify) != 0 && !starts) {
    // A notice still pending gives way to this command's.
    d.endNotice(mci::kNotifySuperseded);
    host_.post(params.callback, mci::kNotifyMessage, mci::kNotifySuccessful, d.id);
  }
  if (message == mci::kClose) devices_.erase(it);
  return 0;
}

std::uint32_t MediaDevices::open(std::uint32_t flags, MciParams& params) {
  const bool element = (flags & mci::kOpenElement) != 0;
  if ((flags & mci::kOpenType) != 0) {
    if (!SameName(params.deviceType, "WaveAudio")) return mci::kErrInvalidDeviceName;
  } else if (!element || !UpperCase(params.elementName).ends_with(".WAV")) {
    return mci::kErrExtensionNotFound;
  }
  std::uint32_t length = 0;
  std::unique_ptr<Sound> sound;
  if (element) {
    std::uint32_t error = 0;
    sound = host_.open(params.elementName, length, error);
    if (!sound) return error;
  }
  const std::uint16_t id = nextId_++;
  devices_[id] = std::make_unique<Device>(id, std::move(sound), length);
  params.deviceId = id;
  if ((flags & mci::kNotify) != 0) {
    host_.post(params.callback, mci::kNotifyMessage, mci::kNotifySuccessful, id);
  }
  return 0;
}

std::uint32_t MediaDevices::start(Device& d, std::uint32_t flags, const MciParams& params,
                                  std::uint32_t from, std::uint32_t to,
                                  std::shared_ptr<Notice> waiting) {
  halt(d);
  if ((flags & mci::kNotify) != 0) {
    if (waiting) waiting->give(mci::kNotifySuperseded);
    d.notice = std::make_shared<Notice>(host_, params.callback, d.id);
  } else {
    d.notice = std::move(waiting);
  }
  const std::uint32_t error = d.sound->start(from, to, [notice = std::weak_ptr<Notice>(d.notice)] {
    if (const auto pending = notice.lock()) pending->give(mci::kNotifySuccessful);
  });
  if (error != 0) {
    d.notice.reset();
    return error;
  }
  d.position = from;
  d.end = to;
  d.startedAt = host_.now();
  d.state = Device::State::Playing;
  if ((flags & mci::kWait) == 0) return 0;
  // The sound plays on after a break.
  host_.wait(*d.sound, to - from, d.breakKey);
  settle(d);
  return 0;
}

std::uint32_t MediaDevices::execute(Device& d, std::uint32_t message, std::uint32_t flags,
                                    MciParams& params) {
  switch (message) {
    case mci::kClose:
    case mci::kStop:
      halt(d);
      return 0;
    case mci::kPlay: {
      if (!d.sound) return mci::kErrNonapplicableFunction;
      const std::uint32_t from = (flags & mci::kFrom) != 0 ? params.from : current(d);
      const std::uint32_t to = (flags & mci::kTo) != 0 ? params.to : d.length;
      if (from > to || to > d.length) return mci::kErrOutOfRange;
      return start(d, flags, params, from, to);
    }
    case mci::kResume:
      if (d.state != Device::State::Paused) return mci::kErrNonapplicableFunction;
      return start(d, flags, params, d.position, d.end, std::move(d.notice));
    case mci::kPause:
      // A pause keeps the play's notice for the resume: it does not keep the play from its end.
      if (d.state != Device::State::Playing) return 0;
      d.position = current(d);
      d.sound->stop();
      d.state = Device::State::Paused;
      return 0;
    case mci::kSeek: {
      std::uint32_t to = params.to;
      if ((flags & mci::kSeekToStart) != 0) {
        to = 0;
      } else if ((flags & mci::kSeekToEnd) != 0) {
        to = d.length;
      } else if ((flags & mci::kTo) == 0 || to > d.length) {
        return mci::kErrOutOfRange;
      }
      halt(d);
      d.position = to;
      return 0;
    }
    case mci::kStatus: {
      const bool ofTrack = (flags & mci::kTrack) != 0;
      if (params.item == mci::kStatusPosition && ofTrack && params.track != 1) {
        return mci::kErrOutOfRange;
      }
      const std::uint32_t mode = d.state == Device::State::Playing  ? mci::kModePlay
                                 : d.state == Device::State::Paused ? mci::kModePause
                                                                    : mci::kModeStop;
      return Report({{mci::kStatusLength, d.length},
                     {mci::kStatusPosition, ofTrack ? 0 : current(d)},
                     {mci::kStatusTracks, 1},
                     {mci::kStatusMode, mode},
                     {mci::kStatusTimeFormat, mci::kFormatMilliseconds}},
                    params);
    }
    case mci::kGetDevCaps:
      return Report({{mci::kCanPlay, capabilities_.canPlay},
                     {mci::kCanRecord, capabilities_.canRecord},
                     {mci::kCanEject, capabilities_.canEject},
                     {mci::kHasVideo, capabilities_.hasVideo},
                     {mci::kDeviceType, capabilities_.deviceType}},
                    params);
    case mci::kSet:
      if ((flags & mci::kSetTimeFormat) != 0 && params.timeFormat != mci::kFormatMilliseconds) {
        return mci::kErrBadTimeFormat;
      }
      if ((flags & mci::kSetDoorOpen) != 0 && !capabilities_.canEject) {
        return mci::kErrUnsupportedFunction;
      }
      return 0;
    case mci::kBreak:
      if ((flags & mci::kBreakOff) != 0) {
        d.breakKey = 0;
      } else if ((flags & mci::kBreakKey) != 0) {
        d.breakKey = params.virtKey;
      }
      return 0;
    case mci::kRecord:
      return mci::kErrUnsupportedFunction;  // nothing to record from
    default:
      return mci::kErrUnrecognizedCommand;
  }
}

std::optional<std::string> MediaDevices::errorString(std::uint32_t code) {
  static const std::map<std::uint32_t, std::string> texts = {
      {mci::kErrInvalidDeviceId,
       "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
      {mci::kErrUnrecognizedCommand, "The driver cannot recognize the specified command."},
      {mci::kErrHardware,
       "The specified device exhibits a problem. Check that the device is working correctly or "
       "contact the device manufacturer."},
      {mci::kErrInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
      {mci::kErrUnsupportedFunction,
       "The MCI device you are using does not support the specified command."},
      {mci::kErrFileNotFound,
       "Cannot find the specified file. Make sure the path and filename are correct."},
      {mci::kErrExtensionNotFound,
       "The specified extension has no device type associated with it."},
      {mci::kErrOutOfRange, "The specified parameter is out of range for the specified command."},
      {mci::kErrBadTimeFormat, "The specified time format is invalid."},
      {mci::kErrInvalidFile,
       "The specified file cannot be played on the specified MCI device. The file may be "
       "corrupt, or not in the correct format."},
      {mci::kErrNonapplicableFunction,
       "The specified MCI command sequence cannot be performed in the given order."},
      {mci::kErrWaveOutputsUnsuitable,
       "No wave device that can play files in the current format is installed."},
  };
  const auto it = texts.find(code);
  if (it == texts.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform::portable
