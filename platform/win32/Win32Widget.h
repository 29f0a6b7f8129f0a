#pragma once
// The native counterpart of one control: a window of a system control class, or of one of
// the program's own classes for the application window, forms and containers.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

// The program's own window classes.
inline constexpr char kApplicationClass[] = "WumpexApplication";
inline constexpr char kFormClass[] = "WumpexForm";
inline constexpr char kTabSheetClass[] = "WumpexTabSheet";
inline constexpr char kGroupBoxClass[] = "WumpexGroupBox";
inline constexpr char kCustomClass[] = "WumpexCustom";

class Win32Widget final : public Widget {
 public:
  // Registers the program's window classes; they stay registered until the process ends.
  static void registerClasses();

  Win32Widget(WidgetKind kind, Win32Widget* parent, const WidgetStyle& style, WidgetEvents& events);
  ~Win32Widget() override = default;

  Handle handle() const override { return toHandle(window_.get()); }
  void setText(const std::string& text) override;
  void setBounds(Bounds bounds) override;
  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;
  void setFont(const Font& font) override;
  void setChecked(bool checked) override;
  void setItems(const std::vector<std::string>& items) override;
  void setItemIndex(int index) override;
  void setUpDown(int min, int max, int position, Widget* buddy) override;
  void setIcon(const std::string& resourceName) override;
  void setTabs(const std::vector<std::string>& captions, int active) override;
  void setHint(const std::string& hint) override;
  void show(bool centred) override;
  void focus() override;
  void invalidate() override;
  void setMouseCapture(bool capture) override;

  WidgetKind kind() const { return kind_; }
  HWND window() const { return window_.get(); }
  // The widget a window of this program belongs to, or null.
  static Win32Widget* fromWindow(HWND window);

 private:
  // Silences the widget's notifications while the program itself changes the control.
  class EchoGuard {
   public:
    explicit EchoGuard(Win32Widget& widget) : widget_(widget) { ++widget_.echoGuards_; }
    ~EchoGuard() { --widget_.echoGuards_; }
    EchoGuard(const EchoGuard&) = delete;
    EchoGuard& operator=(const EchoGuard&) = delete;

   private:
    Win32Widget& widget_;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The system's label sees the mouse first here, so that a label clicks on release.
  static LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // A click is a press and a release of the left button inside the control, as on a button:
  // pressing and moving away before the release clicks nothing.
  void trackClick(UINT message, LPARAM lParam);
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void command(WORD code);
  void notify(UINT code);
  void restoreFocus(bool activated);
  void paintGroupFrame();
  void paintCustom();
  void layoutSheets();
  void applyBounds();
  std::string text() const;

  WidgetKind kind_;
  WidgetEvents& events_;
  OwnedWindow window_;
  int itemHeight_;  // list boxes; 0 leaves the font's
  int echoGuards_ = 0;
  bool pressed_ = false;  // the left button went down inside and is not up yet
  Bounds bounds_;
  // Shared with children created later, which start in their parent's font.
  std::shared_ptr<UniqueFont> font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  std::vector<std::string> items_;
  std::vector<std::string> tabs_;
  HWND lastFocus_ = nullptr;
  // The tip that shows the hint, made with the first one. It has no owner, so that it lives
  // exactly as long as this widget.
  UniqueWindow hintTip_;
};

}  // namespace platform::win32
