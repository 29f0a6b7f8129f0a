#include "platform/win32/Win32Widget.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Canvas.h"

namespace platform::win32 {
namespace {

constexpr char kWidgetTag[] = "WumpexWidget";

}  // namespace

void Win32Widget::registerClass(const char* name, UINT classStyle) {
  WNDCLASSEXW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  const std::wstring className = Wide(name);
  windowClass.lpszClassName = className.c_str();
  registerWindowClass(windowClass);
}

HWND Win32Widget::createWindow(const NativeClass& native, HWND parent, int x, int y) {
  return createWindowOrThrow(native.exStyle, native.name, native.style, x, y, parent);
}

HWND Win32Widget::createChild(const NativeClass& native, Win32Widget* parent) {
  if (parent == nullptr) throw std::invalid_argument("a control needs a parent");
  return createWindow(native, parent->window(), 0, 0);
}

Win32Widget::Win32Widget(HWND window, Win32Widget* parent, WidgetEvents& events)
    : events_(events), window_(window, kWidgetTag, this) {
  if (parent != nullptr && parent->font_) {
    font_ = parent->font_;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  }
}

Win32Widget* Win32Widget::fromWindow(HWND window) {
  return static_cast<Win32Widget*>(OwnedWindow::ownerOf(window, kWidgetTag));
}

LRESULT CALLBACK Win32Widget::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return withoutUnwinding([&] {
    if (Win32Widget* widget = fromWindow(window)) {
      LRESULT result = 0;
      if (widget->handleMessage(message, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  });
}

bool Win32Widget::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CLOSE:
      // The program decides what closing means; the window stays.
      events_.closeRequested();
      return true;
    case WM_COMMAND:
      // Controls report to their parent window; the report belongs to the control's widget.
      if (Win32Widget* child = fromWindow(reinterpret_cast<HWND>(lParam))) {
        if (child->echoGuards_ == 0) child->command(HIWORD(wParam));
        return true;
      }
      return handleOwnMessage(message, wParam, lParam, result);
    case WM_NOTIFY:
      if (Win32Widget* child = fromWindow(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom)) {
        if (child->echoGuards_ == 0) child->notify(reinterpret_cast<const NMHDR*>(lParam)->code);
      }
      return false;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(font());
      return true;
    case WM_SETCURSOR:
      // A system control asks its parent first; the program's own windows ask themselves.
      if (LOWORD(lParam) != HTCLIENT) return false;
      if (Win32Widget* target = fromWindow(reinterpret_cast<HWND>(wParam))) {
        if (const CursorHandle cursor = target->events_.cursorRequested(); cursor != 0) {
          SetCursor(reinterpret_cast<HCURSOR>(cursor));
          result = TRUE;
          return true;
        }
      }
      return false;
    case WM_CONTEXTMENU:
      // A system control hands a right click on to its parent, at screen coordinates.
      if (Win32Widget* target = fromWindow(reinterpret_cast<HWND>(wParam))) {
        target->events_.userRightClicked(
            {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return true;
      }
      return false;
    default:
      return handleOwnMessage(message, wParam, lParam, result);
  }
}

HFONT Win32Widget::font() const {
  return font_ ? font_->get() : nullptr;
}

std::string Win32Widget::text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window())) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window(), text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void Win32Widget::setText(const std::string& text) {
  // Rewriting the same text would move an edit's caret back to the start.
  if (text == this->text()) return;
  const auto echo = echoing();
  SetWindowTextW(window(), Wide(text).c_str());
  faceChanged();
}

void Win32Widget::setBounds(Bounds bounds) {
  bounds_ = bounds;
  applyBounds();
}

void Win32Widget::applyBounds() {
  SetWindowPos(window(), nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Widget::setVisible(bool visible) {
  ShowWindow(window(), visible ? SW_SHOW : SW_HIDE);
}

void Win32Widget::setEnabled(bool enabled) {
  EnableWindow(window(), enabled ? TRUE : FALSE);
  faceChanged();
}

void Win32Widget::setFont(const Font& font) {
  auto created = std::make_shared<UniqueFont>(createFont(font));
  SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(created->get()), TRUE);
  // The previous font goes only now that the control no longer draws with it.
  font_ = std::move(created);
  fontApplied();
}

void Win32Widget::setHint(const std::string& hint) {
  if (hint.empty()) {
    hintTip_.reset();
    return;
  }
  if (!hintTip_) {
    // Always a tip, also while the form is not the active window.
    hintTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!hintTip_) return;
  }
  // The whole window is the tool; the tip watches its mouse messages itself.
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window());
  tool.uId = reinterpret_cast<UINT_PTR>(window());
  std::wstring text = Wide(hint);
  tool.lpszText = text.data();
  SendMessageW(hintTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(hintTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Widget::invalidate() {
  InvalidateRect(window(), nullptr, TRUE);
}

void Win32Widget::setMouseCapture(bool capture) {
  if (capture) {
    SetCapture(window());
  } else if (GetCapture() == window()) {
    ReleaseCapture();
  }
}

void Win32Widget::focus() {
  SetFocus(window());
}

}  // namespace platform::win32
