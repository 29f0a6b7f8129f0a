#pragma once
// The seam to the multimedia devices: command messages sent to a device by its id, and the
// system's text for an error code. Commands, flags and items carry the system's values; the
// program composes the flags itself.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Desktop.h"

namespace platform {

namespace mci {
// Command messages.
inline constexpr std::uint32_t kOpen = 0x803;
inline constexpr std::uint32_t kClose = 0x804;
inline constexpr std::uint32_t kPlay = 0x806;
inline constexpr std::uint32_t kSeek = 0x807;
inline constexpr std::uint32_t kStop = 0x808;
inline constexpr std::uint32_t kPause = 0x809;
inline constexpr std::uint32_t kGetDevCaps = 0x80B;
inline constexpr std::uint32_t kSet = 0x80D;
inline constexpr std::uint32_t kStep = 0x80E;
inline constexpr std::uint32_t kRecord = 0x80F;
inline constexpr std::uint32_t kBreak = 0x811;
inline constexpr std::uint32_t kStatus = 0x814;
inline constexpr std::uint32_t kWhere = 0x843;
inline constexpr std::uint32_t kResume = 0x855;

// Flags every command knows.
inline constexpr std::uint32_t kNotify = 0x1;
inline constexpr std::uint32_t kWait = 0x2;
inline constexpr std::uint32_t kFrom = 0x4;
inline constexpr std::uint32_t kTo = 0x8;
inline constexpr std::uint32_t kTrack = 0x10;
// Flags of single commands.
inline constexpr std::uint32_t kOpenShareable = 0x100;
inline constexpr std::uint32_t kOpenElement = 0x200;
inline constexpr std::uint32_t kOpenType = 0x2000;
inline constexpr std::uint32_t kSeekToStart = 0x100;
inline constexpr std::uint32_t kSeekToEnd = 0x200;
inline constexpr std::uint32_t kStatusItem = 0x100;
inline constexpr std::uint32_t kGetDevCapsItem = 0x100;
inline constexpr std::uint32_t kSetDoorOpen = 0x100;
inline constexpr std::uint32_t kSetTimeFormat = 0x400;
inline constexpr std::uint32_t kBreakKey = 0x100;
inline constexpr std::uint32_t kBreakOff = 0x400;
inline constexpr std::uint32_t kStepReverse = 0x10000;
inline constexpr std::uint32_t kStepFrames = 0x20000;
inline constexpr std::uint32_t kWhereSource = 0x20000;

// Status items.
inline constexpr std::uint32_t kStatusLength = 1;
inline constexpr std::uint32_t kStatusPosition = 2;
inline constexpr std::uint32_t kStatusTracks = 3;
inline constexpr std::uint32_t kStatusMode = 4;
inline constexpr std::uint32_t kStatusTimeFormat = 6;
// Modes a status of kStatusMode returns, from not ready on.
inline constexpr std::uint32_t kModeNotReady = 524;
inline constexpr std::uint32_t kModeStop = 525;
inline constexpr std::uint32_t kModePlay = 526;
inline constexpr std::uint32_t kModePause = 529;

// Capability items and device types.
inline constexpr std::uint32_t kCanRecord = 1;
inline constexpr std::uint32_t kHasVideo = 3;
inline constexpr std::uint32_t kDeviceType = 4;
inline constexpr std::uint32_t kCanEject = 7;
inline constexpr std::uint32_t kCanPlay = 8;
inline constexpr std::uint32_t kDevTypeVcr = 513;
inline constexpr std::uint32_t kDevTypeOverlay = 515;
inline constexpr std::uint32_t kDevTypeAnimation = 519;
inline constexpr std::uint32_t kDevTypeDigitalVideo = 520;
inline constexpr std::uint32_t kDevTypeWaveform = 522;

// Time formats.
inline constexpr std::uint32_t kFormatMilliseconds = 0;
inline constexpr std::uint32_t kFormatTmsf = 10;
// The track of a position in the tracks format: its low byte.
constexpr std::uint32_t tmsfTrack(std::uint32_t position) {
  return position & 0xFF;
}

// The message a completed notifying command posts to its callback window: wParam says how
// it ended, lParam is the device id.
inline constexpr unsigned kNotifyMessage = 0x3B9;
inline constexpr std::uintptr_t kNotifySuccessful = 1;
inline constexpr std::uintptr_t kNotifySuperseded = 2;
inline constexpr std::uintptr_t kNotifyAborted = 4;
inline constexpr std::uintptr_t kNotifyFailure = 8;

// Error codes.
inline constexpr std::uint32_t kErrInvalidDeviceId = 257;
inline constexpr std::uint32_t kErrUnrecognizedCommand = 261;
inline constexpr std::uint32_t kErrHardware = 262;
inline constexpr std::uint32_t kErrInvalidDeviceName = 263;
inline constexpr std::uint32_t kErrDeviceOpen = 265;
inline constexpr std::uint32_t kErrCannotLoadDriver = 266;
inline constexpr std::uint32_t kErrUnsupportedFunction = 274;
inline constexpr std::uint32_t kErrFileNotFound = 275;
inline constexpr std::uint32_t kErrDeviceNotReady = 276;
inline constexpr std::uint32_t kErrExtensionNotFound = 281;
inline constexpr std::uint32_t kErrOutOfRange = 282;
inline constexpr std::uint32_t kErrDeviceLocked = 288;
inline constexpr std::uint32_t kErrBadTimeFormat = 293;
inline constexpr std::uint32_t kErrInvalidFile = 296;
inline constexpr std::uint32_t kErrNonapplicableFunction = 302;
inline constexpr std::uint32_t kErrDeviceNotInstalled = 306;
inline constexpr std::uint32_t kErrWaveOutputsInUse = 320;
inline constexpr std::uint32_t kErrWaveSetOutputInUse = 321;
inline constexpr std::uint32_t kErrWaveOutputUnspecified = 324;
inline constexpr std::uint32_t kErrWaveOutputsUnsuitable = 326;
inline constexpr std::uint32_t kErrWaveSetOutputUnsuitable = 327;
}  // namespace mci

// What one command reads and writes; each command uses the fields its system record has.
struct MciParams {
  Handle callback = 0;            // gets the notification
  std::uint16_t deviceId = 0;     // open: the new device
  std::string deviceType;         // open with kOpenType
  std::string elementName;        // open with kOpenElement
  std::uint32_t from = 0;         // play, record
  std::uint32_t to = 0;           // play, record, seek
  std::uint32_t returnValue = 0;  // status, capabilities
  std::uint32_t item = 0;         // status, capabilities
  std::uint32_t track = 0;        // status with kTrack
  std::uint32_t timeFormat = 0;   // set with kSetTimeFormat
  std::uint32_t frames = 0;       // step
  int virtKey = 0;                // break with kBreakKey
  Handle breakWindow = 0;         // break
  Bounds rect;                    // where: left, top, width, height
};

class Media {
 public:
  virtual ~Media() = default;
  // Sends a command to a device (0 for open); returns 0 or an error code.
  virtual std::uint32_t sendCommand(std::uint16_t device, std::uint32_t message,
                                    std::uint32_t flags, MciParams& params) = 0;
  // The system's text for an error code; nothing when it has none.
  virtual std::optional<std::string> errorString(std::uint32_t code) = 0;
};

using MediaScope = ServiceScope<Media>;
// The multimedia devices the program uses. Installed by the entry or a test.
inline Media& media() {
  return ServiceScope<Media>::get();
}

}  // namespace platform
