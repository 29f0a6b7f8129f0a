#pragma once
// The controls that click when the left button is released over them, as buttons do: the
// program's own self-drawn widgets and the system's labels.

#include "platform/win32/Win32Widget.h"

namespace platform::win32 {

// The program's own window class of self-drawn widgets.
inline constexpr char kCustomClass[] = "WumpexCustom";

// A click is a press and a release of the left button inside the control, as on a button:
// pressing and moving away before the release clicks nothing.
class Win32ClickingWidget : public Win32Widget {
 protected:
  using Win32Widget::Win32Widget;
  void trackClick(UINT message, LPARAM lParam);

 private:
  bool pressed_ = false;  // the left button went down inside and is not up yet
};

// A plain child window that the program paints itself, and that reports the mouse, the
// keys and the focus.
class Win32CustomWidget final : public Win32ClickingWidget {
 public:
  // Registers the window class, once.
  static void registerClass();

  Win32CustomWidget(Win32Widget* parent, const WidgetStyle& style, WidgetEvents& events);

 private:
  bool handleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void faceChanged() override { invalidate(); }
  void paint();
};

class Win32LabelWidget final : public Win32ClickingWidget {
 public:
  Win32LabelWidget(Win32Widget* parent, const WidgetStyle& style, WidgetEvents& events);

 private:
  // The system's label sees the mouse first here, so that a label clicks on release.
  static LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace platform::win32
