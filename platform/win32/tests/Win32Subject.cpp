// The Windows desktop under the desktop contract: its services on the system's own files, and
// its windows.
#include <windows.h>

#include <commctrl.h>

#include "platform/tests/DesktopContract.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32GlobalAtoms.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::contract {
namespace {

class Win32Subject final : public Subject {
 public:
  FileSystem& fileSystem() override { return files_; }
  Profile& profile() override { return profile_; }
  GlobalAtoms& atoms() override { return atoms_; }
  std::string folder() override { return folder_.path().string(); }
  std::filesystem::path hostFolder() override { return folder_.path(); }
  void setAttributes(const std::string& name, std::uint32_t bits) override {
    SetFileAttributesW((folder_.path() / name).c_str(), bits | FILE_ATTRIBUTE_ARCHIVE);
  }

 private:
  HostFolder folder_;
  win32::Win32FileSystem files_;
  win32::Win32Profile profile_;
  win32::Win32GlobalAtoms atoms_;
};

std::unique_ptr<Subject> makeWin32() {
  return std::make_unique<Win32Subject>();
}

INSTANTIATE_TEST_SUITE_P(Win32, DesktopContract, ::testing::Values(&makeWin32));

std::unique_ptr<Desktop> makeDesktop() {
  return std::make_unique<win32::Win32Desktop>();
}

INSTANTIATE_TEST_SUITE_P(Win32, WindowContract, ::testing::Values(&makeDesktop));

// The messages that read a list's, a combo box's or a tab control's items.
struct ItemMessages {
  UINT count;
  UINT text;
  UINT selection;
  UINT rect;
};

// Reads the controls through the system's messages and sends them the mouse and keys.
class Win32Hand final : public Hand {
 public:
  Desktop& desktop() override { return desktop_; }
  std::string text(const Widget& widget) override {
    return win32::testing::windowText(window(widget));
  }
  std::vector<std::string> items(const Widget& widget) override {
    const HWND control = window(widget);
    const ItemMessages messages = itemMessages(control);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < SendMessageA(control, messages.count, 0, 0); ++i) {
      char text[64] = {};
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(control, messages.text, static_cast<WPARAM>(i),
                   messages.text == TCM_GETITEMA ? reinterpret_cast<LPARAM>(&item)
                                                 : reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  int selected(const Widget& widget) override {
    const HWND control = window(widget);
    return static_cast<int>(SendMessageA(control, itemMessages(control).selection, 0, 0));
  }
  bool checked(const Widget& widget) override {
    return SendMessageA(window(widget), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  bool shown(const Widget& widget) override { return IsWindowVisible(window(widget)) != FALSE; }
  // A combo box's list is not dropped: the choice is made as the list makes it, and reported
  // to the box's parent as the list reports it.
  void click(Widget& widget, int item) override {
    const HWND control = window(widget);
    if (item < 0) {
      win32::testing::clickAt(control, 2, 2);
    } else if (win32::testing::className(control) == "ComboBox") {
      SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
      SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
    } else {
      RECT at{};
      SendMessageA(control, itemMessages(control).rect, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&at));
      win32::testing::clickAt(control, (at.left + at.right) / 2, (at.top + at.bottom) / 2);
    }
  }
  void doubleClick(Widget& widget) override {
    SendMessageA(window(widget), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(window(widget), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  void pressAndLeave(Widget& widget) override {
    SendMessageA(window(widget), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(window(widget), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, -30));
    SendMessageA(window(widget), WM_LBUTTONUP, 0, MAKELPARAM(-30, -30));
  }
  void type(Widget& widget, const std::string& keys) override {
    HWND edit = window(widget);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(edit, &info)) edit = info.hwndItem;
    const auto end = static_cast<WPARAM>(GetWindowTextLengthA(edit));
    SendMessageA(edit, EM_SETSEL, end, end);
    for (const char key : keys) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
  }

 private:
  static HWND window(const Widget& widget) { return win32::toWindow(widget.handle()); }
  static ItemMessages itemMessages(HWND control) {
    const std::string name = win32::testing::className(control);
    if (name == "ListBox") return {LB_GETCOUNT, LB_GETTEXT, LB_GETCURSEL, LB_GETITEMRECT};
    if (name == "ComboBox") return {CB_GETCOUNT, CB_GETLBTEXT, CB_GETCURSEL, 0};
    return {TCM_GETITEMCOUNT, TCM_GETITEMA, TCM_GETCURSEL, TCM_GETITEMRECT};
  }
  win32::Win32Desktop desktop_;
};

std::unique_ptr<Hand> makeHand() {
  return std::make_unique<Win32Hand>();
}

INSTANTIATE_TEST_SUITE_P(Win32, PeerContract, ::testing::Values(&makeHand));

// The system's devices post their notices to a hidden window of the program's.
class Win32Sounds final : public Sounds {
 public:
  Media& media() override { return media_; }
  Handle window() override { return window_.handle(); }
  void pass(std::chrono::milliseconds time) override {
    win32::testing::pumpFor(desktop_, time);
    desktop_.processMessages();
  }
  Notices notices() override { return window_.notices; }

 private:
  win32::Win32Desktop desktop_;
  win32::Win32Media media_;
  NoticeWindow window_{desktop_};
};

std::unique_ptr<Sounds> makeSounds() {
  return std::make_unique<Win32Sounds>();
}

INSTANTIATE_TEST_SUITE_P(Win32, MediaContract, ::testing::Values(&makeSounds));

}  // namespace
}  // namespace platform::contract
