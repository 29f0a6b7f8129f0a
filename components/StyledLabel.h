#pragma once
// A label that draws its caption raised, recessed or with a drop shadow: offset copies of
// the text in other colours go down first, then the text itself.

#include <cstdint>
#include <memory>
#include <string>

#include "components/ComponentInfo.h"
#include "framework/Label.h"

namespace wumpex {

enum class TTextStyle : std::uint8_t { tsNone, tsRaised, tsRecessed, tsShadow };

class TStyledLabel : public TLabel {
 public:
  TStyledLabel(TComponent* owner, std::string name);
  ~TStyledLabel() override;
  const char* ClassName() const override { return "TStyledLabel"; }

  const TAboutInfo& About() const { return *about_; }
  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle style);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor color);
  // Pixels right and down, or left and up when negative, of the shadow copy.
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(int depth);

 protected:
  void Paint(TCanvas& canvas) override;
  platform::Size Overhang() const override;

 private:
  void DrawStyledText(TCanvas& canvas, const TRect& rect, unsigned flags);

  std::unique_ptr<TAboutInfo> about_;
  TTextStyle textStyle_ = TTextStyle::tsRecessed;
  TColor shadowColor_ = clBtnShadow;
  int shadowDepth_ = 2;
};

}  // namespace wumpex
