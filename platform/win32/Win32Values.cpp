// The seam's headers copy the system's values so that the code above the seam needs no
// system header; here the compiler checks each copy against the system's own definition.

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/FolderBrowser.h"
#include "platform/Media.h"
#include "platform/NotificationArea.h"
#include "platform/Shell.h"
#include "platform/SimpleSound.h"

namespace platform::win32 {

// Message boxes.
static_assert(mb::kOk == MB_OK);
static_assert(mb::kIconError == MB_ICONERROR);
static_assert(mb::kIconExclamation == MB_ICONEXCLAMATION);
static_assert(mb::kTaskModal == MB_TASKMODAL);
static_assert(mb::kIdOk == IDOK);
static_assert(mb::kIdCancel == IDCANCEL);

// Window messages and keys.
static_assert(wm::kLeftButtonUp == WM_LBUTTONUP);
static_assert(wm::kLeftButtonDoubleClick == WM_LBUTTONDBLCLK);
static_assert(wm::kRightButtonUp == WM_RBUTTONUP);
static_assert(wm::kUser == WM_USER);
static_assert(vk::kEscape == VK_ESCAPE);
static_assert(vk::kSpace == VK_SPACE);
static_assert(vk::kLeft == VK_LEFT);
static_assert(vk::kRight == VK_RIGHT);

// Colours and text drawing.
static_assert(Font{}.color == systemColor(COLOR_WINDOWTEXT));
static_assert(syscolor::kWindowFrame == COLOR_WINDOWFRAME);
static_assert(syscolor::kWindowText == COLOR_WINDOWTEXT);
static_assert(syscolor::kButtonFace == COLOR_BTNFACE);
static_assert(syscolor::kButtonShadow == COLOR_BTNSHADOW);
static_assert(syscolor::kGrayText == COLOR_GRAYTEXT);
static_assert(syscolor::kButtonHighlight == COLOR_BTNHIGHLIGHT);
static_assert(dt::kLeft == DT_LEFT);
static_assert(dt::kCenter == DT_CENTER);
static_assert(dt::kRight == DT_RIGHT);
static_assert(dt::kWordBreak == DT_WORDBREAK);
static_assert(dt::kExpandTabs == DT_EXPANDTABS);
static_assert(dt::kNoPrefix == DT_NOPREFIX);

// Files.
static_assert(fileattr::kReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(fileattr::kHidden == FILE_ATTRIBUTE_HIDDEN);
static_assert(fileattr::kSystem == FILE_ATTRIBUTE_SYSTEM);
static_assert(fileattr::kDirectory == FILE_ATTRIBUTE_DIRECTORY);
static_assert(fileattr::kArchive == FILE_ATTRIBUTE_ARCHIVE);
static_assert(fileerror::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(fileerror::kPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(fileerror::kTooManyOpenFiles == ERROR_TOO_MANY_OPEN_FILES);
static_assert(fileerror::kAccessDenied == ERROR_ACCESS_DENIED);
static_assert(fileerror::kInvalidName == ERROR_INVALID_NAME);
static_assert(fileerror::kNotADirectory == ERROR_DIRECTORY);

// The folder browser.
static_assert(kMaxPath == MAX_PATH);
static_assert(bif::kReturnOnlyFileSystemFolders == BIF_RETURNONLYFSDIRS);
static_assert(bif::kDontGoBelowDomain == BIF_DONTGOBELOWDOMAIN);
static_assert(bif::kReturnFileSystemAncestors == BIF_RETURNFSANCESTORS);
static_assert(bif::kBrowseForComputer == BIF_BROWSEFORCOMPUTER);
static_assert(bif::kBrowseForPrinter == BIF_BROWSEFORPRINTER);
static_assert(csidl::kDesktop == CSIDL_DESKTOP);
static_assert(csidl::kPrograms == CSIDL_PROGRAMS);
static_assert(csidl::kControls == CSIDL_CONTROLS);
static_assert(csidl::kPrinters == CSIDL_PRINTERS);
static_assert(csidl::kPersonal == CSIDL_PERSONAL);
static_assert(csidl::kFavorites == CSIDL_FAVORITES);
static_assert(csidl::kStartup == CSIDL_STARTUP);
static_assert(csidl::kRecent == CSIDL_RECENT);
static_assert(csidl::kSendTo == CSIDL_SENDTO);
static_assert(csidl::kBitBucket == CSIDL_BITBUCKET);
static_assert(csidl::kStartMenu == CSIDL_STARTMENU);
static_assert(csidl::kDesktopDirectory == CSIDL_DESKTOPDIRECTORY);
static_assert(csidl::kDrives == CSIDL_DRIVES);
static_assert(csidl::kNetwork == CSIDL_NETWORK);
static_assert(csidl::kNetHood == CSIDL_NETHOOD);
static_assert(csidl::kFonts == CSIDL_FONTS);
static_assert(csidl::kTemplates == CSIDL_TEMPLATES);

// MCI commands.
static_assert(mci::kOpen == MCI_OPEN);
static_assert(mci::kClose == MCI_CLOSE);
static_assert(mci::kPlay == MCI_PLAY);
static_assert(mci::kSeek == MCI_SEEK);
static_assert(mci::kStop == MCI_STOP);
static_assert(mci::kPause == MCI_PAUSE);
static_assert(mci::kGetDevCaps == MCI_GETDEVCAPS);
static_assert(mci::kSet == MCI_SET);
static_assert(mci::kStep == MCI_STEP);
static_assert(mci::kRecord == MCI_RECORD);
static_assert(mci::kBreak == MCI_BREAK);
static_assert(mci::kStatus == MCI_STATUS);
static_assert(mci::kWhere == MCI_WHERE);
static_assert(mci::kResume == MCI_RESUME);

// MCI flags.
static_assert(mci::kNotify == MCI_NOTIFY);
static_assert(mci::kWait == MCI_WAIT);
static_assert(mci::kFrom == MCI_FROM);
static_assert(mci::kTo == MCI_TO);
static_assert(mci::kTrack == MCI_TRACK);
static_assert(mci::kOpenShareable == MCI_OPEN_SHAREABLE);
static_assert(mci::kOpenElement == MCI_OPEN_ELEMENT);
static_assert(mci::kOpenType == MCI_OPEN_TYPE);
static_assert(mci::kSeekToStart == MCI_SEEK_TO_START);
static_assert(mci::kSeekToEnd == MCI_SEEK_TO_END);
static_assert(mci::kStatusItem == MCI_STATUS_ITEM);
static_assert(mci::kGetDevCapsItem == MCI_GETDEVCAPS_ITEM);
static_assert(mci::kSetDoorOpen == MCI_SET_DOOR_OPEN);
static_assert(mci::kSetTimeFormat == MCI_SET_TIME_FORMAT);
static_assert(mci::kBreakKey == MCI_BREAK_KEY);
static_assert(mci::kBreakOff == MCI_BREAK_OFF);
static_assert(mci::kStepReverse == MCI_ANIM_STEP_REVERSE);
static_assert(mci::kStepFrames == MCI_ANIM_STEP_FRAMES);
static_assert(mci::kWhereSource == MCI_ANIM_WHERE_SOURCE);

// MCI status items, modes, capabilities, device types and time formats.
static_assert(mci::kStatusLength == MCI_STATUS_LENGTH);
static_assert(mci::kStatusPosition == MCI_STATUS_POSITION);
static_assert(mci::kStatusTracks == MCI_STATUS_NUMBER_OF_TRACKS);
static_assert(mci::kStatusMode == MCI_STATUS_MODE);
static_assert(mci::kStatusTimeFormat == MCI_STATUS_TIME_FORMAT);
static_assert(mci::kModeNotReady == MCI_MODE_NOT_READY);
static_assert(mci::kModeStop == MCI_MODE_STOP);
static_assert(mci::kModePlay == MCI_MODE_PLAY);
static_assert(mci::kModePause == MCI_MODE_PAUSE);
static_assert(mci::kCanRecord == MCI_GETDEVCAPS_CAN_RECORD);
static_assert(mci::kHasVideo == MCI_GETDEVCAPS_HAS_VIDEO);
static_assert(mci::kDeviceType == MCI_GETDEVCAPS_DEVICE_TYPE);
static_assert(mci::kCanEject == MCI_GETDEVCAPS_CAN_EJECT);
static_assert(mci::kCanPlay == MCI_GETDEVCAPS_CAN_PLAY);
static_assert(mci::kDevTypeVcr == MCI_DEVTYPE_VCR);
static_assert(mci::kDevTypeOverlay == MCI_DEVTYPE_OVERLAY);
static_assert(mci::kDevTypeAnimation == MCI_DEVTYPE_ANIMATION);
static_assert(mci::kDevTypeDigitalVideo == MCI_DEVTYPE_DIGITAL_VIDEO);
static_assert(mci::kDevTypeWaveform == MCI_DEVTYPE_WAVEFORM_AUDIO);
static_assert(mci::kFormatMilliseconds == MCI_FORMAT_MILLISECONDS);
static_assert(mci::kFormatTmsf == MCI_FORMAT_TMSF);
static_assert(mci::tmsfTrack(0x04030201) == MCI_TMSF_TRACK(0x04030201));

// MCI notifications.
static_assert(mci::kNotifyMessage == MM_MCINOTIFY);
static_assert(mci::kNotifySuccessful == MCI_NOTIFY_SUCCESSFUL);
static_assert(mci::kNotifySuperseded == MCI_NOTIFY_SUPERSEDED);
static_assert(mci::kNotifyAborted == MCI_NOTIFY_ABORTED);
static_assert(mci::kNotifyFailure == MCI_NOTIFY_FAILURE);

// MCI errors.
static_assert(mci::kErrInvalidDeviceId == MCIERR_INVALID_DEVICE_ID);
static_assert(mci::kErrUnrecognizedCommand == MCIERR_UNRECOGNIZED_COMMAND);
static_assert(mci::kErrHardware == MCIERR_HARDWARE);
static_assert(mci::kErrInvalidDeviceName == MCIERR_INVALID_DEVICE_NAME);
static_assert(mci::kErrDeviceOpen == MCIERR_DEVICE_OPEN);
static_assert(mci::kErrCannotLoadDriver == MCIERR_CANNOT_LOAD_DRIVER);
static_assert(mci::kErrUnsupportedFunction == MCIERR_UNSUPPORTED_FUNCTION);
static_assert(mci::kErrFileNotFound == MCIERR_FILE_NOT_FOUND);
static_assert(mci::kErrDeviceNotReady == MCIERR_DEVICE_NOT_READY);
static_assert(mci::kErrExtensionNotFound == MCIERR_EXTENSION_NOT_FOUND);
static_assert(mci::kErrOutOfRange == MCIERR_OUTOFRANGE);
static_assert(mci::kErrDeviceLocked == MCIERR_DEVICE_LOCKED);
static_assert(mci::kErrBadTimeFormat == MCIERR_BAD_TIME_FORMAT);
static_assert(mci::kErrInvalidFile == MCIERR_INVALID_FILE);
static_assert(mci::kErrNonapplicableFunction == MCIERR_NONAPPLICABLE_FUNCTION);
static_assert(mci::kErrDeviceNotInstalled == MCIERR_DEVICE_NOT_INSTALLED);
static_assert(mci::kErrWaveOutputsInUse == MCIERR_WAVE_OUTPUTSINUSE);
static_assert(mci::kErrWaveSetOutputInUse == MCIERR_WAVE_SETOUTPUTINUSE);
static_assert(mci::kErrWaveOutputUnspecified == MCIERR_WAVE_OUTPUTUNSPECIFIED);
static_assert(mci::kErrWaveOutputsUnsuitable == MCIERR_WAVE_OUTPUTSUNSUITABLE);
static_assert(mci::kErrWaveSetOutputUnsuitable == MCIERR_WAVE_SETOUTPUTUNSUITABLE);

// The notification area.
static_assert(nim::kAdd == NIM_ADD);
static_assert(nim::kModify == NIM_MODIFY);
static_assert(nim::kDelete == NIM_DELETE);
static_assert(nif::kMessage == NIF_MESSAGE);
static_assert(nif::kIcon == NIF_ICON);
static_assert(nif::kTip == NIF_TIP);
static_assert(kNotifyIconRecordV1Size == NOTIFYICONDATAW_V1_SIZE);
// The first form of the record holds the first kTipUnits of the tip's room.
static_assert(sizeof NOTIFYICONDATAW::szTip >= kTipUnits * sizeof(wchar_t));

// The shell and the simple sound call.
static_assert(sw::kShowNormal == SW_SHOWNORMAL);
static_assert(snd::kSync == SND_SYNC);
static_assert(snd::kAsync == SND_ASYNC);
static_assert(snd::kNoDefault == SND_NODEFAULT);
static_assert(snd::kMemory == SND_MEMORY);
static_assert(snd::kLoop == SND_LOOP);
static_assert(snd::kNoStop == SND_NOSTOP);

}  // namespace platform::win32
