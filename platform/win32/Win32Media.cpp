#include "platform/win32/Win32Media.h"

#include <windows.h>

#include <mmsystem.h>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

namespace {

template <typename Record>
std::uint32_t send(std::uint16_t device, std::uint32_t message, std::uint32_t flags,
                   Record& record) {
  return mciSendCommandW(device, message, flags, reinterpret_cast<DWORD_PTR>(&record));
}

const wchar_t* optionalText(const std::wstring& text, bool given) {
  return given ? text.c_str() : nullptr;
}

}  // namespace

std::uint32_t Win32Media::sendCommand(std::uint16_t device, std::uint32_t message,
                                      std::uint32_t flags, MciParams& params) {
  const auto callback = static_cast<DWORD_PTR>(params.callback);
  switch (message) {
    case mci::kOpen: {
      MCI_OPEN_PARMSW record{};
      record.dwCallback = callback;
      const std::wstring deviceType = Wide(params.deviceType);
      const std::wstring elementName = Wide(params.elementName);
      record.lpstrDeviceType = optionalText(deviceType, (flags & mci::kOpenType) != 0);
      record.lpstrElementName = optionalText(elementName, (flags & mci::kOpenElement) != 0);
      std::uint32_t result = send(device, message, flags, record);
      // A wave driver may look the file up by its name in the code page, as Wine's does for
      // some scripts: such a file is tried again by its short name, where the system keeps one.
      wchar_t shortName[MAX_PATH] = {};
      const DWORD shortLength =
          result == MCIERR_FILE_NOT_FOUND && record.lpstrElementName != nullptr
              ? GetShortPathNameW(elementName.c_str(), shortName, MAX_PATH)
              : 0;
      if (shortLength > 0 && shortLength < MAX_PATH && elementName != shortName) {
        record.lpstrElementName = shortName;
        result = send(device, message, flags, record);
      }
      params.deviceId = static_cast<std::uint16_t>(record.wDeviceID);
      return result;
    }
    case mci::kPlay:
    case mci::kRecord: {
      MCI_PLAY_PARMS record{callback, params.from, params.to};
      return send(device, message, flags, record);
    }
    case mci::kSeek: {
      MCI_SEEK_PARMS record{callback, params.to};
      return send(device, message, flags, record);
    }
    case mci::kStatus: {
      MCI_STATUS_PARMS record{callback, 0, params.item, params.track};
      const std::uint32_t result = send(device, message, flags, record);
      params.returnValue = static_cast<std::uint32_t>(record.dwReturn);
      return result;
    }
    case mci::kGetDevCaps: {
      MCI_GETDEVCAPS_PARMS record{callback, 0, params.item};
      const std::uint32_t result = send(device, message, flags, record);
      params.returnValue = record.dwReturn;
      return result;
    }
    case mci::kSet: {
      MCI_SET_PARMS record{callback, params.timeFormat, 0};
      return send(device, message, flags, record);
    }
    case mci::kStep: {
      MCI_ANIM_STEP_PARMS record{callback, params.frames};
      return send(device, message, flags, record);
    }
    case mci::kBreak: {
      MCI_BREAK_PARMS record{callback, params.virtKey, toWindow(params.breakWindow)};
      return send(device, message, flags, record);
    }
    case mci::kWhere: {
      MCI_ANIM_RECT_PARMS record{};
      record.dwCallback = callback;
      const std::uint32_t result = send(device, message, flags, record);
      // The system gives the size in the right and bottom fields.
      params.rect = {record.rc.left, record.rc.top, record.rc.right, record.rc.bottom};
      return result;
    }
    default: {
      MCI_GENERIC_PARMS record{callback};
      return send(device, message, flags, record);
    }
  }
}

std::optional<std::string> Win32Media::errorString(std::uint32_t code) {
  wchar_t text[4096] = {};
  if (!mciGetErrorStringW(code, text, 4096)) return std::nullopt;
  return Utf8(text);
}

}  // namespace platform::win32
