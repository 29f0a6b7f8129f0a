#pragma once
// The program's own windows that hold other controls: the hidden application window, the
// forms, the sheets of a page control and group boxes.

#include "platform/win32/Win32Widget.h"

namespace platform::win32 {

// The program's own window classes of these containers.
inline constexpr char kApplicationClass[] = "WumpexApplication";
inline constexpr char kFormClass[] = "WumpexForm";
inline constexpr char kTabSheetClass[] = "WumpexTabSheet";
inline constexpr char kGroupBoxClass[] = "WumpexGroupBox";

// Registers the containers' window classes, once.
void registerContainerClasses();

// A top-level window with the program's icon on its caption and in the task switcher.
class Win32TopLevelWidget : public Win32Widget {
 public:
  void setIcon(const std::string& resourceName) override;

 protected:
  using Win32Widget::Win32Widget;

 private:
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
};

// Never shown: the owner of the program's message boxes and forms.
class Win32ApplicationWidget final : public Win32TopLevelWidget {
 public:
  Win32ApplicationWidget(Win32Widget* parent, WidgetEvents& events);
  // A window never shown never gets a task-bar button.
  void setVisible(bool /*visible*/) override {}

 private:
  // It keeps its place mid-screen.
  void applyBounds() override {}
};

// A dialog-bordered top-level window that the dialog manager serves.
class Win32FormWidget final : public Win32TopLevelWidget {
 public:
  Win32FormWidget(Win32Widget* parent, const WidgetStyle& style, WidgetEvents& events);
  void show(bool centred) override;
  bool isDialog() const override { return true; }

 private:
  bool handleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void applyBounds() override;
  void restoreFocus(bool activated);

  HWND lastFocus_ = nullptr;
};

// One page of a page control, filling its display area.
class Win32TabSheetWidget final : public Win32Widget {
 public:
  Win32TabSheetWidget(Win32Widget* parent, WidgetEvents& events);
  void placeInArea(const RECT& area) override;

 private:
  // The page control places its sheets.
  void applyBounds() override {}
};

// A frame with a caption around a group of controls.
class Win32GroupBoxWidget final : public Win32Widget {
 public:
  Win32GroupBoxWidget(Win32Widget* parent, WidgetEvents& events);

 private:
  bool handleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void faceChanged() override { invalidate(); }
  void paintFrame();
};

}  // namespace platform::win32
