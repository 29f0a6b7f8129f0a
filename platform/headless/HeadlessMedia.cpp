#include "platform/headless/HeadlessMedia.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "platform/headless/HeadlessFaults.h"
#include "platform/portable/WaveLength.h"

namespace platform::headless {

namespace {

constexpr int kCtrlBreak = 3;  // the break key until the program names another

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Reads a RIFF/WAVE file's length in milliseconds, its chunks bounded by the file's own
// size; returns 0 or the error an open reports.
std::uint32_t readWaveLength(const std::string& path, std::uint32_t& length) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return mci::kErrFileNotFound;
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const auto wave =
      bytes.starts_with("RIFF") ? portable::WaveLength(bytes.data(), bytes.size()) : std::nullopt;
  if (!wave) return mci::kErrInvalidFile;
  length = static_cast<std::uint32_t>(*wave);
  return 0;
}

// Answers a status or capability query from a table of what the device can tell.
std::uint32_t Report(const std::map<std::uint32_t, std::uint32_t>& answers, MciParams& params) {
  const auto it = answers.find(params.item);
  if (it == answers.end()) return mci::kErrUnsupportedFunction;
  params.returnValue = it->second;
  return 0;
}

}  // namespace

struct HeadlessMedia::Device : std::enable_shared_from_this<Device> {
  enum class State { Stopped, Playing, Paused };

  Device(HeadlessDesktop& on, std::uint16_t deviceId, bool element, std::uint32_t milliseconds)
      : desktop(on), id(deviceId), hasElement(element), length(milliseconds) {}

  std::uint32_t current() const {
    if (state != State::Playing) return position;
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(end, position + (desktop.now() - startedAt)));
  }
  void post(Handle window, std::uintptr_t how) {
    desktop.postMessage(window, mci::kNotifyMessage, how, id);
  }
  void endNotice(std::uintptr_t how) {
    if (notifyWindow == 0) return;
    post(notifyWindow, how);
    notifyWindow = 0;
  }
  // Ends a play whose end has come.
  void settle() {
    if (state != State::Playing || current() != end) return;
    position = end;
    state = State::Stopped;
    endNotice(mci::kNotifySuccessful);
  }

  HeadlessDesktop& desktop;
  std::uint16_t id;
  bool hasElement;
  std::uint32_t length;
  State state = State::Stopped;
  std::uint32_t position = 0;  // where the play started, or where it stopped
  std::uint64_t startedAt = 0;
  std::uint32_t end = 0;
  Handle notifyWindow = 0;  // gets the notice when the play ends
  int breakKey = kCtrlBreak;
};

HeadlessMedia::HeadlessMedia(HeadlessDesktop& desktop, const HeadlessFileSystem* files)
    : desktop_(desktop), files_(files) {}

bool HeadlessMedia::playing(std::uint16_t device) {
  auto it = devices_.find(device);
  if (it == devices_.end()) return false;
  it->second->settle();
  return it->second->state == Device::State::Playing;
}

std::uint32_t HeadlessMedia::sendCommand(std::uint16_t device, std::uint32_t message,
                                         std::uint32_t flags, MciParams& params) {
  commands.push_back({device, message, flags, params});
  const Call call = message == mci::kOpen    ? Call::OpenDevice
                    : message == mci::kPlay  ? Call::PlayDevice
                    : message == mci::kClose ? Call::CloseDevice
                                             : Call::DeviceCommand;
  if (Refused(call)) {
    return call == Call::OpenDevice ? mci::kErrWaveOutputsUnsuitable : mci::kErrHardware;
  }
  if (message == mci::kOpen) return open(flags, params);
  auto it = devices_.find(device);
  if (it == devices_.end()) return mci::kErrInvalidDeviceId;
  const std::shared_ptr<Device> kept = it->second;  // a close drops it from the map
  Device& d = *kept;
  d.settle();
  const Handle pending = d.notifyWindow;
  const std::uint32_t result = execute(d, message, flags, params);
  const bool starts = message == mci::kPlay || message == mci::kResume;
  if (result == 0 && (flags & mci::kNotify) != 0 && !starts) {
    // A notice still pending gives way to this command's.
    if (pending != 0 && d.notifyWindow == pending) d.endNotice(mci::kNotifySuperseded);
    d.post(params.callback, mci::kNotifySuccessful);
  }
  return result;
}

std::uint32_t HeadlessMedia::open(std::uint32_t flags, MciParams& params) {
  const bool element = (flags & mci::kOpenElement) != 0;
  if ((flags & mci::kOpenType) != 0) {
    if (lowerCase(params.deviceType) != "waveaudio") return mci::kErrInvalidDeviceName;
  } else if (!element || !lowerCase(params.elementName).ends_with(".wav")) {
    return mci::kErrExtensionNotFound;
  }
  std::uint32_t length = 0;
  if (element) {
    std::string path = params.elementName;
    if (files_ != nullptr) {
      const auto real = files_->realPath(path);
      if (!real) return mci::kErrFileNotFound;
      path = real->string();
    }
    if (const std::uint32_t error = readWaveLength(path, length)) return error;
  }
  const std::uint16_t id = nextId_++;
  auto device = std::make_shared<Device>(desktop_, id, element, length);
  devices_[id] = device;
  params.deviceId = id;
  if ((flags & mci::kNotify) != 0) device->post(params.callback, mci::kNotifySuccessful);
  return 0;
}

void HeadlessMedia::halt(Device& d) {
  if (d.state == Device::State::Playing) d.position = d.current();
  d.state = Device::State::Stopped;
  d.endNotice(mci::kNotifyAborted);
}

std::uint32_t HeadlessMedia::start(Device& d, std::uint32_t flags, const MciParams& params,
                                   std::uint32_t from, std::uint32_t to) {
  halt(d);
  d.position = from;
  d.end = to;
  d.startedAt = desktop_.now();
  d.state = Device::State::Playing;
  if ((flags & mci::kNotify) != 0) d.notifyWindow = params.callback;
  const std::uint64_t remaining = to - from;
  desktop_.actAfter(remaining, [device = d.weak_from_this()] {
    if (auto alive = device.lock()) alive->settle();
  });
  if ((flags & mci::kWait) == 0) return 0;

  // The wait blocks the thread until the end, or until the break key is pressed; the sound
  // plays on after a break.
  const std::uint64_t finish = desktop_.now() + remaining;
  if (keyPress_ && keyPress_->at < finish) {
    const KeyPress press = *keyPress_;
    keyPress_.reset();
    if (press.at >= desktop_.now() && press.virtKey == d.breakKey) {
      desktop_.blockFor(press.at - desktop_.now());
      return 0;
    }
  }
  desktop_.blockFor(remaining);
  d.settle();
  return 0;
}

std::uint32_t HeadlessMedia::execute(Device& d, std::uint32_t message, std::uint32_t flags,
                                     MciParams& params) {
  switch (message) {
    case mci::kClose:
      halt(d);
      devices_.erase(d.id);
      return 0;
    case mci::kPlay: {
      if (!d.hasElement) return mci::kErrNonapplicableFunction;
      const std::uint32_t from = (flags & mci::kFrom) != 0 ? params.from : d.current();
      const std::uint32_t to = (flags & mci::kTo) != 0 ? params.to : d.length;
      if (from > to || to > d.length) return mci::kErrOutOfRange;
      return start(d, flags, params, from, to);
    }
    case mci::kResume:
      if (d.state != Device::State::Paused) return mci::kErrNonapplicableFunction;
      return start(d, flags, params, d.position, d.end);
    case mci::kStop:
      halt(d);
      return 0;
    case mci::kPause:
      if (d.state != Device::State::Playing) return 0;
      halt(d);
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
                     {mci::kStatusPosition, ofTrack ? 0 : d.current()},
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

std::optional<std::string> HeadlessMedia::errorString(std::uint32_t code) {
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
  auto it = texts.find(code);
  if (it == texts.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform::headless
