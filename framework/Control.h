#pragma once
// Controls are the model: each control object holds its own state and events. When the
// control has a native peer, the peer mirrors that state and reports the user's input back;
// without one (no window system) the object alone is the control.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "platform/Desktop.h"

namespace wumpex {

using platform::Bounds;

class TCanvas;
class TPopupMenu;

// The control is its peer's events: what the peer reports arrives at the control's own
// virtuals, which the controls that answer it override.
class TControl : public TComponent, protected platform::WidgetEvents {
 public:
  TControl(TComponent* owner, std::string name, platform::WidgetKind kind);
  ~TControl() override;

  const char* ClassName() const override { return "TControl"; }

  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Controls() const { return children_; }

  Bounds BoundsRect() const { return bounds_; }
  void SetBounds(Bounds bounds);
  platform::Rect ClientRect() const { return {0, 0, bounds_.width, bounds_.height}; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Position in the tab sequence among the siblings; -1 for controls that take no focus.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  // The font of the nearest control that has one of its own.
  platform::Font Font() const;
  void SetFont(const platform::Font& font);

  // The application cursor slot shown over the control; crDefault leaves the system's.
  int Cursor() const { return cursor_; }
  void SetCursor(int slot) { cursor_ = slot; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // Whether the hint shows: the control's own choice, or while it follows its parent
  // (ParentShowHint), the parent's; setting it stops the following. Without a parent,
  // following shows none.
  bool ShowHint() const;
  void SetShowHint(bool show);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool follow);
  // Shown where the right mouse button comes up over the control; not owned.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  bool HandleAllocated() const { return peer_ != nullptr; }
  // Makes the native peer of this control and of its children, in tab order.
  void CreateHandle();
  platform::Widget* Peer() const { return peer_.get(); }

 protected:
  virtual platform::WidgetStyle Style() const { return {}; }
  // Hands the whole state to a newly made peer.
  virtual void InitPeer(platform::Widget& peer);
  // Runs once the parent has made the peers of all its children: a peer that refers to a
  // sibling's (an up-down to its box) may have been made before that sibling's.
  virtual void SiblingsCreated() {}

  const std::string& GetText() const { return text_; }
  // Stores the text and mirrors it into the peer unless the peer reported it; true when it
  // really changed.
  bool SetTextValue(const std::string& text, bool fromPeer = false);

  // Runs a handler reached from the user's input inside the application's exception guard.
  static void Guarded(const std::function<void()>& handler);

  // A control that paints itself draws its whole face here when the peer asks for it.
  virtual void Paint(TCanvas& /*canvas*/) {}
  // Has the peer paint the control again.
  void Invalidate();
  // Runs after every change of the bounds, for controls that lay out their own face.
  virtual void Resized() {}
  // Runs when the font this control shows changes, its own or the one it takes from its
  // parent.
  virtual void FontChanged() {}

 private:
  // The right click, the cursor and the painting the control answers from its own state.
  void userRightClicked(platform::Point at) override;
  platform::CursorHandle cursorRequested() override;
  void paintRequested(platform::Painter& painter) override;

  void FontReached();
  // Hands the hint, or none while it does not show, to this peer and to the followers'.
  void HintReached();

  platform::WidgetKind kind_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  Bounds bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  int tabOrder_ = -1;
  std::optional<platform::Font> font_;
  std::string text_;
  int cursor_ = 0;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  std::unique_ptr<platform::Widget> peer_;
};

}  // namespace wumpex
