#include "platform/win32/Win32Widget.h"

#include <commctrl.h>

#include <stdexcept>
#include <string_view>
#include <system_error>

#include "platform/win32/Win32Canvas.h"

namespace platform::win32 {
namespace {

constexpr char kWidgetTag[] = "WumpexWidget";
// How many items a combo box's drop-down list shows.
constexpr int kDropDownItems = 8;

struct NativeClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

NativeClass nativeClass(WidgetKind kind, const WidgetStyle& style) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case WidgetKind::ApplicationWindow:
      // Never shown, and a tool window besides: should anything show it, it still gets
      // neither a task-bar button nor a place in the Alt+Tab list.
      return {kApplicationClass, WS_POPUP, WS_EX_TOOLWINDOW};
    case WidgetKind::Form:
      // Without WS_SYSMENU a caption has no system menu and no close box.
      return {kFormClass,
              WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (style.closeBox ? WS_SYSMENU : 0),
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
    case WidgetKind::PageControl:
      // A control parent, so that Tab walks into the controls of its sheets.
      return {WC_TABCONTROLA, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case WidgetKind::TabSheet:
      return {kTabSheetClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case WidgetKind::Custom:
      return {kCustomClass, kChild | (style.tabStop ? WS_TABSTOP : 0), 0};
    case WidgetKind::GroupBox:
      return {kGroupBoxClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case WidgetKind::Label:
      return {"STATIC", kChild | SS_NOTIFY | (style.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0};
    case WidgetKind::Edit:
      return {"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case WidgetKind::ComboBox:
      return {"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case WidgetKind::UpDown:
      // No UDS_ALIGN*: the buddy keeps the place the program gave it.
      return {UPDOWN_CLASSA, kChild | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0};
    case WidgetKind::CheckBox:
      return {"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case WidgetKind::Button:
      return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case WidgetKind::ListBox:
      // No integral height: the list keeps exactly the height it is given.
      return {"LISTBOX",
              kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                  (style.sorted ? LBS_SORT : 0),
              WS_EX_CLIENTEDGE};
    case WidgetKind::Image:
      // Drawn to the control's size, so that setting an icon does not resize the control.
      return {"STATIC", kChild | SS_ICON | SS_REALSIZECONTROL, 0};
  }
  throw std::invalid_argument("unknown widget kind");
}

BOOL CALLBACK findApplicationWindow(HWND window, LPARAM found) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) != kApplicationClass) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND createWindow(WidgetKind kind, Win32Widget* parent, const WidgetStyle& style) {
  const NativeClass native = nativeClass(kind, style);
  HWND parentWindow = nullptr;
  int x = 0;
  int y = 0;
  if (kind == WidgetKind::ApplicationWindow) {
    // Mid-screen, so that message boxes it owns appear mid-screen too.
    x = GetSystemMetrics(SM_CXSCREEN) / 2;
    y = GetSystemMetrics(SM_CYSCREEN) / 2;
  } else if (kind == WidgetKind::Form) {
    // Owned by the application window: an owned window gets no task-bar button, so the
    // program stays in the notification area alone.
    if (parent != nullptr) {
      parentWindow = parent->window();
    } else {
      EnumThreadWindows(GetCurrentThreadId(), findApplicationWindow,
                        reinterpret_cast<LPARAM>(&parentWindow));
    }
  } else {
    if (parent == nullptr) throw std::invalid_argument("a control needs a parent");
    parentWindow = parent->window();
  }
  HWND window = CreateWindowExA(native.exStyle, native.name, "", native.style, x, y, 0, 0,
                                parentWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            std::string("cannot create a window of class ") + native.name);
  }
  return window;
}

HFONT fontHandle(const std::shared_ptr<UniqueFont>& font) {
  return font ? font->get() : nullptr;
}

// Painting between BeginPaint and EndPaint, in a font that is deselected again afterwards.
class PaintScope {
 public:
  PaintScope(HWND window, HFONT font) : window_(window), dc_(BeginPaint(window, &paint_)) {
    if (font != nullptr) previousFont_ = SelectObject(dc_, font);
  }
  ~PaintScope() {
    if (previousFont_ != nullptr) SelectObject(dc_, previousFont_);
    EndPaint(window_, &paint_);
  }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
  HGDIOBJ previousFont_ = nullptr;
};

// Mouse messages carry client coordinates as two signed 16-bit halves.
Point clientPoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void Win32Widget::registerClasses() {
  static const bool registered = [] {
    for (const char* name :
         {kApplicationClass, kFormClass, kTabSheetClass, kGroupBoxClass, kCustomClass}) {
      WNDCLASSEXA windowClass{};
      // A group box redraws its frame, and a custom widget its face, whenever the size changes.
      const bool redrawn =
          std::string_view(name) == kGroupBoxClass || std::string_view(name) == kCustomClass;
      windowClass.style = redrawn ? CS_HREDRAW | CS_VREDRAW : 0;
      windowClass.lpfnWndProc = windowProc;
      windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
      windowClass.lpszClassName = name;
      registerWindowClass(windowClass);
    }
    return true;
  }();
  static_cast<void>(registered);
}

Win32Widget::Win32Widget(WidgetKind kind, Win32Widget* parent, const WidgetStyle& style,
                         WidgetEvents& events)
    : kind_(kind),
      events_(events),
      window_(createWindow(kind, parent, style), kWidgetTag, this),
      itemHeight_(style.itemHeight) {
  if (parent != nullptr && parent->font_) {
    font_ = parent->font_;
    SendMessageA(window(), WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle(font_)), FALSE);
  }
  if (kind_ == WidgetKind::ListBox && itemHeight_ > 0) {
    SendMessageA(window(), LB_SETITEMHEIGHT, 0, itemHeight_);
  }
  if (kind_ == WidgetKind::TabSheet && parent != nullptr) parent->layoutSheets();
  if (kind_ == WidgetKind::Label) {
    SetWindowLongPtrA(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(labelProc));
  }
}

Win32Widget* Win32Widget::fromWindow(HWND window) {
  return static_cast<Win32Widget*>(OwnedWindow::ownerOf(window, kWidgetTag));
}

LRESULT CALLBACK Win32Widget::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // An exception must not unwind through the system code that called this procedure. The
  // program's handlers report their own failures, so whatever still arrives is dropped.
  try {
    if (Win32Widget* widget = fromWindow(window)) {
      LRESULT result = 0;
      if (widget->handleMessage(message, wParam, lParam, result)) return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK Win32Widget::labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const WNDPROC systemProc = [] {
    WNDCLASSEXA label{};
    label.cbSize = sizeof label;
    GetClassInfoExA(nullptr, "STATIC", &label);
    return label.lpfnWndProc;
  }();
  try {
    // The system's label reports a click on the press, and a quick second one not at all.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP) {
      if (Win32Widget* widget = fromWindow(window)) widget->trackClick(message, lParam);
    }
  } catch (...) {
    // As in windowProc: nothing unwinds through the system's code.
  }
  return CallWindowProcA(systemProc, window, message, wParam, lParam);
}

void Win32Widget::trackClick(UINT message, LPARAM lParam) {
  if (message != WM_LBUTTONUP) {
    pressed_ = true;
    if (GetCapture() != window()) SetCapture(window());
    return;
  }
  RECT client{};
  GetClientRect(window(), &client);
  const Point at = clientPoint(lParam);
  const bool clicked = pressed_ && PtInRect(&client, POINT{at.x, at.y});
  pressed_ = false;
  if (GetCapture() == window()) ReleaseCapture();
  if (clicked) events_.userClicked();
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
        child->command(HIWORD(wParam));
        return true;
      }
      // The dialog manager turns Escape into this command.
      if (kind_ == WidgetKind::Form && LOWORD(wParam) == IDCANCEL) {
        events_.cancelRequested();
        return true;
      }
      return false;
    case WM_NOTIFY:
      if (Win32Widget* child = fromWindow(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom)) {
        child->notify(reinterpret_cast<const NMHDR*>(lParam)->code);
      }
      return false;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(fontHandle(font_));
      return true;
    case WM_SETCURSOR:
      // A system control asks its parent first; the program's own windows ask themselves.
      if (LOWORD(lParam) != HTCLIENT) return false;
      if (Win32Widget* target = fromWindow(reinterpret_cast<HWND>(wParam))) {
        if (const CursorHandle cursor = target->events_.cursor(); cursor != 0) {
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
    case WM_PAINT:
      if (kind_ == WidgetKind::GroupBox) {
        paintGroupFrame();
      } else if (kind_ == WidgetKind::Custom) {
        paintCustom();
      } else {
        return false;
      }
      return true;
    case WM_LBUTTONDOWN:
      if (kind_ != WidgetKind::Custom) return false;
      events_.mousePressed(clientPoint(lParam));
      trackClick(message, lParam);
      return true;
    case WM_MOUSEMOVE:
      if (kind_ != WidgetKind::Custom) return false;
      events_.mouseMoved(clientPoint(lParam));
      return true;
    case WM_LBUTTONUP:
      if (kind_ != WidgetKind::Custom) return false;
      events_.mouseReleased(clientPoint(lParam));
      trackClick(message, lParam);
      return true;
    case WM_GETDLGCODE:
      if (kind_ != WidgetKind::Custom) return false;
      result = DLGC_WANTARROWS;
      return true;
    case WM_KEYDOWN:
      if (kind_ != WidgetKind::Custom) return false;
      events_.keyPressed(static_cast<unsigned>(wParam));
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (kind_ != WidgetKind::Custom) return false;
      events_.focusChanged(message == WM_SETFOCUS);
      return true;
    case WM_ACTIVATE:
      if (kind_ != WidgetKind::Form) return false;
      restoreFocus(LOWORD(wParam) != WA_INACTIVE);
      return true;
    default:
      return false;
  }
}

void Win32Widget::command(WORD code) {
  if (echoGuards_ > 0) return;
  switch (kind_) {
    case WidgetKind::Button:
      if (code == BN_CLICKED) events_.userClicked();
      break;
    case WidgetKind::CheckBox:
      if (code == BN_CLICKED) {
        events_.userToggled(SendMessageA(window(), BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      break;
    case WidgetKind::Edit:
      if (code == EN_CHANGE) events_.userEditedText(text());
      break;
    case WidgetKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        events_.userSelected(static_cast<int>(SendMessageA(window(), CB_GETCURSEL, 0, 0)));
      } else if (code == CBN_EDITCHANGE) {
        events_.userEditedText(text());
      }
      break;
    case WidgetKind::ListBox:
      if (code == LBN_SELCHANGE) {
        events_.userSelected(static_cast<int>(SendMessageA(window(), LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

void Win32Widget::notify(UINT code) {
  if (echoGuards_ > 0) return;
  if (kind_ == WidgetKind::PageControl && code == TCN_SELCHANGE) {
    events_.userSelected(static_cast<int>(SendMessageA(window(), TCM_GETCURSEL, 0, 0)));
  }
}

// Keeps the keyboard focus on the control that had it when the form was last active, or
// on its first tab stop, as dialog boxes do.
void Win32Widget::restoreFocus(bool activated) {
  HWND form = window();
  if (!activated) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(form, focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_ != nullptr && IsChild(form, lastFocus_)
                    ? lastFocus_
                    : GetNextDlgTabItem(form, nullptr, FALSE);
  SetFocus(target != nullptr ? target : form);
}

void Win32Widget::paintGroupFrame() {
  PaintScope paint(window(), fontHandle(font_));
  TEXTMETRICA metrics{};
  GetTextMetricsA(paint.dc(), &metrics);
  RECT frame{};
  GetClientRect(window(), &frame);
  const int right = frame.right;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(paint.dc(), &frame, EDGE_ETCHED, BF_RECT);
  const std::string caption = text();
  if (caption.empty()) return;
  const std::string padded = " " + caption + " ";
  RECT label{8, 0, right - 8, metrics.tmHeight};
  SetBkMode(paint.dc(), OPAQUE);
  SetBkColor(paint.dc(), GetSysColor(COLOR_BTNFACE));
  SetTextColor(paint.dc(), GetSysColor(IsWindowEnabled(window()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(paint.dc(), padded.c_str(), static_cast<int>(padded.size()), &label,
            DT_SINGLELINE | DT_LEFT | DT_TOP);
}

void Win32Widget::paintCustom() {
  PaintScope paint(window(), nullptr);
  Win32Painter painter(paint.dc());
  events_.paint(painter);
}

// Sheets fill the page control's display area, below the tab row.
void Win32Widget::layoutSheets() {
  RECT area{};
  GetClientRect(window(), &area);
  SendMessageA(window(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (HWND child = GetWindow(window(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const Win32Widget* sheet = fromWindow(child);
    if (sheet == nullptr || sheet->kind_ != WidgetKind::TabSheet) continue;
    SetWindowPos(child, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::string Win32Widget::text() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window())) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(window(), text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32Widget::setText(const std::string& text) {
  // An icon control would read its text as the name of an icon to load.
  if (kind_ == WidgetKind::Image) return;
  // Rewriting the same text would move an edit's caret back to the start.
  if (text == this->text()) return;
  EchoGuard guard(*this);
  SetWindowTextA(window(), text.c_str());
  if (kind_ == WidgetKind::GroupBox || kind_ == WidgetKind::Custom) invalidate();
}

void Win32Widget::setBounds(Bounds bounds) {
  bounds_ = bounds;
  applyBounds();
}

void Win32Widget::applyBounds() {
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (kind_) {
    case WidgetKind::ApplicationWindow:
    case WidgetKind::TabSheet:
      // The application window keeps its place mid-screen; the page control places sheets.
      return;
    case WidgetKind::Form: {
      // The bounds give the client area; the window is larger by its frame and caption.
      RECT outer{0, 0, bounds_.width, bounds_.height};
      AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongA(window(), GWL_EXSTYLE)));
      SetWindowPos(window(), nullptr, bounds_.left, bounds_.top, outer.right - outer.left,
                   outer.bottom - outer.top, kFlags);
      return;
    }
    case WidgetKind::ComboBox: {
      // A drop-down combo box's window height includes its list; the system sizes the
      // closed control from its font.
      const auto itemHeight = static_cast<int>(SendMessageA(window(), CB_GETITEMHEIGHT, 0, 0));
      SetWindowPos(window(), nullptr, bounds_.left, bounds_.top, bounds_.width,
                   bounds_.height + kDropDownItems * itemHeight, kFlags);
      return;
    }
    default:
      SetWindowPos(window(), nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                   kFlags);
      if (kind_ == WidgetKind::PageControl) layoutSheets();
      return;
  }
}

void Win32Widget::setVisible(bool visible) {
  // A window never shown never gets a task-bar button.
  if (kind_ == WidgetKind::ApplicationWindow) return;
  ShowWindow(window(), visible ? SW_SHOW : SW_HIDE);
}

void Win32Widget::setEnabled(bool enabled) {
  EnableWindow(window(), enabled ? TRUE : FALSE);
  if (kind_ == WidgetKind::GroupBox || kind_ == WidgetKind::Custom) invalidate();
}

void Win32Widget::setFont(const Font& font) {
  auto created = std::make_shared<UniqueFont>(createFont(font));
  SendMessageA(window(), WM_SETFONT, reinterpret_cast<WPARAM>(created->get()), TRUE);
  // The previous font goes only now that the control no longer draws with it.
  font_ = std::move(created);
  switch (kind_) {
    case WidgetKind::ListBox:
      // A new font resets the item height to the font's.
      if (itemHeight_ > 0) SendMessageA(window(), LB_SETITEMHEIGHT, 0, itemHeight_);
      break;
    case WidgetKind::ComboBox:
      applyBounds();
      break;
    case WidgetKind::PageControl:
      layoutSheets();
      break;
    case WidgetKind::GroupBox:
    case WidgetKind::Custom:
      invalidate();
      break;
    default:
      break;
  }
}

void Win32Widget::setChecked(bool checked) {
  if (kind_ != WidgetKind::CheckBox) return;
  SendMessageA(window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Widget::setItems(const std::vector<std::string>& items) {
  if (items == items_) return;
  EchoGuard guard(*this);
  // Each item goes to its own index, so that indices stay the program's even in a sorted list.
  if (kind_ == WidgetKind::ComboBox) {
    const std::string kept = text();
    SendMessageA(window(), CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      SendMessageA(window(), CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i].c_str()));
    }
    SetWindowTextA(window(), kept.c_str());
  } else if (kind_ == WidgetKind::ListBox) {
    SendMessageA(window(), LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      SendMessageA(window(), LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i].c_str()));
    }
  } else {
    return;
  }
  items_ = items;
}

void Win32Widget::setItemIndex(int index) {
  UINT get = 0;
  UINT set = 0;
  if (kind_ == WidgetKind::ComboBox) {
    get = CB_GETCURSEL;
    set = CB_SETCURSEL;
  } else if (kind_ == WidgetKind::ListBox) {
    get = LB_GETCURSEL;
    set = LB_SETCURSEL;
  } else {
    return;
  }
  if (SendMessageA(window(), get, 0, 0) == index) return;
  EchoGuard guard(*this);
  SendMessageA(window(), set, static_cast<WPARAM>(index), 0);
}

void Win32Widget::setUpDown(int min, int max, int position, Widget* buddy) {
  if (kind_ != WidgetKind::UpDown) return;
  // Every widget of this desktop is a Win32Widget.
  auto* buddyWidget = static_cast<Win32Widget*>(buddy);
  const auto apply = [&] {
    SendMessageA(window(), UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(buddyWidget != nullptr ? buddyWidget->window() : nullptr),
                 0);
    SendMessageA(window(), UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    SendMessageA(window(), UDM_SETPOS32, 0, position);
  };
  // The up-down writes the position into its buddy; that is no edit by the user.
  if (buddyWidget == nullptr) {
    apply();
    return;
  }
  EchoGuard guard(*buddyWidget);
  apply();
}

void Win32Widget::setIcon(const std::string& resourceName) {
  const auto load = [&](int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_ICON, size, size, 0)));
  };
  // Each previous icon goes only once the window has let go of it.
  if (kind_ == WidgetKind::Image) {
    UniqueIcon icon = load(32);
    SendMessageA(window(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    bigIcon_ = std::move(icon);
  } else if (kind_ == WidgetKind::Form || kind_ == WidgetKind::ApplicationWindow) {
    UniqueIcon big = load(GetSystemMetrics(SM_CXICON));
    UniqueIcon small = load(GetSystemMetrics(SM_CXSMICON));
    SendMessageA(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
  }
}

void Win32Widget::setHint(const std::string& hint) {
  if (hint.empty()) {
    hintTip_.reset();
    return;
  }
  if (!hintTip_) {
    // Always a tip, also while the form is not the active window.
    hintTip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    if (!hintTip_) return;
  }
  // The whole window is the tool; the tip watches its mouse messages itself.
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window());
  tool.uId = reinterpret_cast<UINT_PTR>(window());
  tool.lpszText = const_cast<char*>(hint.c_str());
  SendMessageA(hintTip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(hintTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Widget::setTabs(const std::vector<std::string>& captions, int active) {
  if (kind_ != WidgetKind::PageControl) return;
  // The program repeats its tabs after every change of page: only a real change rebuilds.
  if (captions != tabs_) {
    SendMessageA(window(), TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(captions[i].c_str());
      SendMessageA(window(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    tabs_ = captions;
    layoutSheets();
  }
  if (SendMessageA(window(), TCM_GETCURSEL, 0, 0) != active) {
    SendMessageA(window(), TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
  }
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

void Win32Widget::show(bool centred) {
  if (kind_ != WidgetKind::Form) return;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(window(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const UINT keepPlace = centred ? 0 : SWP_NOMOVE;
  SetWindowPos(window(), HWND_TOP, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | keepPlace);
  ShowWindow(window(), SW_SHOW);
  SetForegroundWindow(window());
}

}  // namespace platform::win32
