#pragma once
// A label that hands its URL to the shell when clicked and offers "Copy" on right-click:
// its own pop-up menu, which it owns. Every link label loads the hand cursor again and puts
// it in the application's slot for it.

#include <string>

#include "framework/Label.h"
#include "framework/Screen.h"

namespace wumpex {

// The application cursor slot of the link label's hand.
inline constexpr int crHand = 5;

class TUrlLabel : public TLabel {
 public:
  TUrlLabel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TUrlLabel"; }

  // Handed to the shell; when blank, the caption is.
  const std::string& URL() const { return url_; }
  void SetURL(const std::string& url) { url_ = url; }
  // The plain label's click, then the target goes to the shell.
  void Click();

 protected:
  void userClicked() override;

 private:
  void CopyCaption();

  std::string url_;
};

}  // namespace wumpex
