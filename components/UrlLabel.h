#pragma once
// A label that hands its URL to the shell when clicked and offers "Copy" on right-click.
// Every link label loads the hand cursor again and puts it in the application's slot for it.

#include <string>

#include "framework/Label.h"
#include "framework/PopupMenu.h"
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
  // The application cursor slot shown over the label.
  int Cursor() const { return cursor_; }
  void SetCursor(int slot) { cursor_ = slot; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // A hint of its own shows only with ShowHint; setting it stops following the parent.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  // Following the parent shows no hint: no window of this program shows hints.
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool follow);
  // The label's own right-click menu with its one item, "Copy".
  TPopupMenu* PopupMenu() const { return menu_; }

  // The plain label's click, then the target goes to the shell.
  void Click();

 protected:
  void InitPeer(platform::Widget& peer) override;
  void userClicked() override;
  void userRightClicked(platform::Point at) override;
  platform::CursorHandle cursor() override;

 private:
  void CopyCaption();
  std::string ShownHint() const;
  void UpdateHint();

  std::string url_;
  TPopupMenu* menu_ = nullptr;
  int cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
};

}  // namespace wumpex
