#pragma once

#include "framework/Canvas.h"
#include "framework/Control.h"

namespace wumpex {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The plain label is the system's static control. Alignment, ShowAccelChar, Transparent and
// Color take effect in labels that paint themselves; the static control shows its text
// left-aligned, with accelerator prefixes, on the window's background.
class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TLabel"; }

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  // An auto-sized label takes the room its caption needs in its font, from its after-loading
  // step on: a word-wrapped one breaks its lines within its width, a right-aligned one keeps
  // its right edge.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Whether "&" marks the next character as the accelerator (and "&&" stands for "&").
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  // A transparent label leaves its background as it is.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  TNotifyEvent OnClick;

 protected:
  // A label whose peer is of another kind: a custom one for labels that paint themselves.
  TLabel(TComponent* owner, std::string name, platform::WidgetKind kind);
  platform::WidgetStyle Style() const override { return {.wordWrap = wordWrap_}; }
  void userClicked() override;
  void FontChanged() override { AdjustBounds(); }
  // The layout gives a label its properties one by one; it takes its size once all are in.
  void Loaded() override;
  // How far the label draws beyond its caption's text, to the right and below; an auto-sized
  // label takes that room too.
  virtual platform::Size Overhang() const { return {}; }
  void AdjustBounds();

 private:
  bool loaded_ = false;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  TColor color_ = clBtnFace;
};

}  // namespace wumpex
