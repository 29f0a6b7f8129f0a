#pragma once

#include "framework/Control.h"

namespace wumpex {

class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TLabel"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetTextValue(caption); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
  // Stored for the layout; a label never resizes itself to its text here.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

  TNotifyEvent OnClick;

 protected:
  platform::WidgetStyle Style() const override { return {.wordWrap = wordWrap_}; }
  void userClicked() override;

 private:
  bool wordWrap_ = false;
  bool autoSize_ = true;
};

}  // namespace wumpex
