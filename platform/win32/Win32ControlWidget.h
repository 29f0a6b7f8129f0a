#pragma once
// The system's simple controls, each holding one value: push buttons, check boxes, edit
// fields, up-down arrows and icons.

#include <string>

#include "platform/win32/Win32Widget.h"

namespace platform::win32 {

class Win32ButtonWidget final : public Win32Widget {
 public:
  Win32ButtonWidget(Win32Widget* parent, WidgetEvents& events);

 private:
  void command(WORD code) override;
};

class Win32CheckBoxWidget final : public Win32Widget {
 public:
  Win32CheckBoxWidget(Win32Widget* parent, WidgetEvents& events);
  void setChecked(bool checked) override;

 private:
  void command(WORD code) override;
};

class Win32EditWidget final : public Win32Widget {
 public:
  Win32EditWidget(Win32Widget* parent, WidgetEvents& events);

 private:
  void command(WORD code) override;
};

class Win32UpDownWidget final : public Win32Widget {
 public:
  Win32UpDownWidget(Win32Widget* parent, WidgetEvents& events);
  void setUpDown(int min, int max, int position, Widget* buddy) override;
};

class Win32ImageWidget final : public Win32Widget {
 public:
  Win32ImageWidget(Win32Widget* parent, WidgetEvents& events);
  // An icon control would read its text as the name of an icon to load.
  void setText(const std::string& /*text*/) override {}
  void setIcon(const std::string& resourceName) override;

 private:
  UniqueIcon icon_;
};

}  // namespace platform::win32
