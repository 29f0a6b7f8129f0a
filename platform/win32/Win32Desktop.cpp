#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32ControlWidget.h"
#include "platform/win32/Win32CustomWidget.h"
#include "platform/win32/Win32FormWidget.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32ItemListWidget.h"
#include "platform/win32/Win32MessageWindow.h"
#include "platform/win32/Win32PageControlWidget.h"
#include "platform/win32/Win32PopupMenu.h"
#include "platform/win32/Win32TimerWindow.h"

namespace platform::win32 {
namespace {

BOOL CALLBACK collectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<Handle>*>(windows)->push_back(toHandle(window));
  return TRUE;
}

void dispatch(MSG& message) {
  // Forms handle Tab, arrow keys and mnemonics as dialog boxes do.
  if (message.hwnd != nullptr) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const Win32Widget* widget = Win32Widget::fromWindow(root);
    if (widget != nullptr && widget->isDialog() && IsDialogMessageW(root, &message)) {
      return;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

Win32Desktop::Win32Desktop() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS;
  InitCommonControlsEx(&controls);
  registerContainerClasses();
  Win32CustomWidget::registerClass();
  Win32MessageWindow::registerClass();
}

std::unique_ptr<Widget> Win32Desktop::createWidget(WidgetKind kind, Widget* parent,
                                                   const WidgetStyle& style, WidgetEvents& events) {
  // Every widget of this desktop is a Win32Widget.
  auto* native = static_cast<Win32Widget*>(parent);
  switch (kind) {
    case WidgetKind::ApplicationWindow:
      return std::make_unique<Win32ApplicationWidget>(native, events);
    case WidgetKind::Form:
      return std::make_unique<Win32FormWidget>(native, style, events);
    case WidgetKind::PageControl:
      return std::make_unique<Win32PageControlWidget>(native, events);
    case WidgetKind::TabSheet:
      return std::make_unique<Win32TabSheetWidget>(native, events);
    case WidgetKind::GroupBox:
      return std::make_unique<Win32GroupBoxWidget>(native, events);
    case WidgetKind::Label:
      return std::make_unique<Win32LabelWidget>(native, style, events);
    case WidgetKind::Edit:
      return std::make_unique<Win32EditWidget>(native, events);
    case WidgetKind::ComboBox:
      return std::make_unique<Win32ComboBoxWidget>(native, events);
    case WidgetKind::UpDown:
      return std::make_unique<Win32UpDownWidget>(native, events);
    case WidgetKind::CheckBox:
      return std::make_unique<Win32CheckBoxWidget>(native, events);
    case WidgetKind::Button:
      return std::make_unique<Win32ButtonWidget>(native, events);
    case WidgetKind::ListBox:
      return std::make_unique<Win32ListBoxWidget>(native, style, events);
    case WidgetKind::Image:
      return std::make_unique<Win32ImageWidget>(native, events);
    case WidgetKind::Custom:
      return std::make_unique<Win32CustomWidget>(native, style, events);
  }
  throw std::invalid_argument("unknown widget kind");
}

std::unique_ptr<PopupMenuPeer> Win32Desktop::createPopupMenu() {
  return std::make_unique<Win32PopupMenu>();
}

std::unique_ptr<TimerWindow> Win32Desktop::createTimerWindow(TimerEvents& events) {
  return std::make_unique<Win32TimerWindow>(events);
}

std::unique_ptr<MessageWindow> Win32Desktop::createMessageWindow(MessageEvents& events,
                                                                 bool topLevel) {
  return std::make_unique<Win32MessageWindow>(events, topLevel);
}

bool Win32Desktop::postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  return PostMessageW(toWindow(window), message, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != FALSE;
}

unsigned Win32Desktop::registerWindowMessage(const std::string& name) {
  return RegisterWindowMessageW(Wide(name).c_str());
}

void Win32Desktop::setScreenCursor(int slot) {
  constexpr int kHourGlass = -11;
  SetCursor(LoadCursorA(nullptr, slot == kHourGlass ? IDC_WAIT : IDC_ARROW));
}

// A cursor loaded from a module's resources is shared: the system frees it with the module.
CursorHandle Win32Desktop::loadCursor(const std::string& resourceName) {
  return reinterpret_cast<CursorHandle>(
      LoadCursorW(GetModuleHandleW(nullptr), Wide(resourceName).c_str()));
}

Handle Win32Desktop::topWindow() {
  return toHandle(FindWindowW(nullptr, nullptr));
}

Handle Win32Desktop::nextWindow(Handle window) {
  return toHandle(GetWindow(toWindow(window), GW_HWNDNEXT));
}

// A full buffer may end in half of a surrogate pair, which the cut leaves out.
std::string Win32Desktop::windowText(Handle window, int count) {
  if (count <= 0) return {};
  std::wstring title(static_cast<std::size_t>(count), L'\0');
  const int length = GetWindowTextW(toWindow(window), title.data(), count);
  title.resize(static_cast<std::size_t>(std::max(length, 0)));
  if (length == count - 1) title.resize(CutBetweenCharacters(title, title.size()));
  return Utf8(title);
}

std::vector<Handle> Win32Desktop::threadWindows() {
  std::vector<Handle> windows;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32Desktop::isWindowVisible(Handle window) {
  return IsWindowVisible(toWindow(window));
}

bool Win32Desktop::isWindowEnabled(Handle window) {
  return IsWindowEnabled(toWindow(window));
}

void Win32Desktop::enableWindow(Handle window, bool enable) {
  EnableWindow(toWindow(window), enable ? TRUE : FALSE);
}

Handle Win32Desktop::activeWindow() {
  return toHandle(GetActiveWindow());
}

void Win32Desktop::setActiveWindow(Handle window) {
  SetActiveWindow(toWindow(window));
}

Handle Win32Desktop::captureWindow() {
  return toHandle(GetCapture());
}

void Win32Desktop::cancelMode(Handle window) {
  SendMessageW(toWindow(window), WM_CANCELMODE, 0, 0);
}

void Win32Desktop::hideWindow(Handle window) {
  ShowWindow(toWindow(window), SW_HIDE);
}

int Win32Desktop::messageBox(Handle owner, const std::string& text, const std::string& caption,
                             unsigned flags) {
  return MessageBoxW(toWindow(owner), Wide(text).c_str(), Wide(caption).c_str(), flags);
}

int Win32Desktop::runMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  return static_cast<int>(message.wParam);
}

void Win32Desktop::processMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Put back for the message loop, which ends the program with it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void Win32Desktop::runModalLoop(const std::function<bool()>& done) {
  MSG message{};
  while (!done()) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      // Kept for the message loop, which ends the program with it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void Win32Desktop::postQuit(int exitCode) {
  PostQuitMessage(exitCode);
}

Size Win32Desktop::measureText(const std::string& text, const Font& font, unsigned flags,
                               int width) {
  const UniqueWindowDc screen = windowDc(nullptr);
  const UniqueFont handle = createFont(font);
  const auto fontSelected = selected(screen.get().dc, handle.get());
  RECT area{0, 0, width, 0};
  const std::wstring wide = Wide(text);
  DrawTextW(screen.get().dc, wide.c_str(), static_cast<int>(wide.size()), &area,
            flags | DT_CALCRECT);
  return {area.right - area.left, area.bottom - area.top};
}

TimeOfDay Win32Desktop::utcTimeOfDay() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

namespace {

// File times count 100-ns steps from 1601-01-01 UTC; the wall clock counts seconds from
// 1970-01-01, 11,644,473,600 s later.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

Rect toRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

std::int64_t Win32Desktop::wallClock() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks =
      static_cast<std::int64_t>(ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart);
  return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
}

// The time zone's rule for that day, summer time included.
TimeOfDay Win32Desktop::localTimeAt(std::int64_t wallSeconds) {
  ULARGE_INTEGER ticks{};
  ticks.QuadPart = static_cast<ULONGLONG>((wallSeconds + kSecondsFrom1601To1970) * kTicksPerSecond);
  const FILETIME moment{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&moment, &utc)) return {};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  return {local.wHour, local.wMinute, local.wSecond, 0};
}

std::optional<FrontWindow> Win32Desktop::frontWindow() {
  HWND window = GetForegroundWindow();
  if (window == nullptr || window == GetDesktopWindow() || window == GetShellWindow() ||
      !IsWindowVisible(window) || IsIconic(window)) {
    return std::nullopt;
  }
  // The desktop's own windows, the task bars and the Start menu fill a screen without being
  // a program that the user watches.
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  for (const wchar_t* shellClass :
       {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"DV2ControlHost",
        L"Windows.UI.Core.CoreWindow"}) {
    if (std::wcscmp(className, shellClass) == 0) return std::nullopt;
  }
  RECT bounds{};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(window, &bounds) ||
      !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return std::nullopt;
  }
  return FrontWindow{toRect(bounds), toRect(monitor.rcMonitor)};
}

bool Win32Desktop::shellReportsBusy() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
         state == QUNS_PRESENTATION_MODE;
}

std::string Win32Desktop::moduleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A full buffer may have cut the path short.
    if (length < path.size()) {
      path.resize(length);
      return Utf8(path);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace platform::win32
