#pragma once
// The native counterpart of one control: a window of a system control class, or of one of
// the program's own classes. What every kind of control shares lives here; each family of
// controls adds its own behaviour in a class of its own.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

// The window class and styles a widget's window is created with.
struct NativeClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

// The styles every child control starts with.
inline constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;

class Win32Widget : public Widget {
 public:
  // Registers one of the program's own window classes with the widgets' window procedure;
  // it stays registered until the process ends.
  static void registerClass(const char* name, UINT classStyle);

  ~Win32Widget() override = default;

  Handle handle() const override { return toHandle(window_.get()); }
  void setText(const std::string& text) override;
  void setBounds(Bounds bounds) override;
  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;
  void setFont(const Font& font) override;
  void setChecked(bool /*checked*/) override {}
  void setItems(const std::vector<std::string>& /*items*/) override {}
  void setItemIndex(int /*index*/) override {}
  void setUpDown(int /*min*/, int /*max*/, int /*position*/, Widget* /*buddy*/) override {}
  void setIcon(const std::string& /*resourceName*/) override {}
  void setTabs(const std::vector<std::string>& /*captions*/, int /*active*/) override {}
  void setHint(const std::string& hint) override;
  void show(bool /*centred*/) override {}
  void focus() override;
  void invalidate() override;
  void setMouseCapture(bool capture) override;

  // Whether the message loop hands this window's keys to the dialog manager.
  virtual bool isDialog() const { return false; }
  HWND window() const { return window_.get(); }
  // The widget a window of this program belongs to, or null.
  static Win32Widget* fromWindow(HWND window);
  // Creates a widget's window; throws when the system refuses, and a child control's
  // without a parent.
  static HWND createWindow(const NativeClass& native, HWND parent, int x, int y);
  static HWND createChild(const NativeClass& native, Win32Widget* parent);

  // Containers that place some of their children themselves: a new child asks for that,
  // and each child is offered the area it may fill.
  virtual void placeChildren() {}
  virtual void placeInArea(const RECT& /*area*/) {}
  // Silences the widget's notifications while the program itself changes the control: an
  // up-down writes into its box, too.
  auto echoing() {
    ++echoGuards_;
    return ScopeGuard([this] { --echoGuards_; });
  }

 protected:
  // Takes over a created window; a child starts in its parent's font.
  Win32Widget(HWND window, Win32Widget* parent, WidgetEvents& events);

  // The messages of the program's own window classes that this family answers itself;
  // false leaves a message to the system.
  virtual bool handleOwnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                LRESULT& /*result*/) {
    return false;
  }
  // A control's report to its parent (WM_COMMAND or WM_NOTIFY), unless the program itself
  // is changing the control.
  virtual void command(WORD /*code*/) {}
  virtual void notify(UINT /*code*/) {}
  // Places the window at bounds().
  virtual void applyBounds();
  // After a new font: controls whose measures follow the font adjust them here.
  virtual void fontApplied() { faceChanged(); }
  // The text, the enabled state or the font changed: controls that draw their own face
  // repaint it here.
  virtual void faceChanged() {}

  Bounds bounds() const { return bounds_; }
  WidgetEvents& events() const { return events_; }
  HFONT font() const;
  std::string text() const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  WidgetEvents& events_;
  OwnedWindow window_;
  int echoGuards_ = 0;
  Bounds bounds_;
  // Shared with children created later, which start in their parent's font.
  std::shared_ptr<UniqueFont> font_;
  // The tip that shows the hint, made with the first one. It has no owner, so that it lives
  // exactly as long as this widget.
  UniqueWindow hintTip_;
};

}  // namespace platform::win32
