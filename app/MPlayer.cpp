#include "app/MPlayer.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/Exceptions.h"

namespace wumpex {
namespace {

constexpr int kButtonCount = 9;

// The name part of each button's pictures and the pictures' size, in bar order.
struct Picture {
  const char* name;
  int width;
  int height;
};
constexpr Picture kPictures[kButtonCount] = {
    {"MPPLAY", 12, 16}, {"MPPAUSE", 13, 16},  {"MPSTOP", 13, 16},
    {"MPNEXT", 21, 16}, {"MPPREV", 21, 16},   {"MPSTEP", 21, 16},
    {"MPBACK", 21, 16}, {"MPRECORD", 13, 13}, {"MPEJECT", 15, 16},
};

// The smallest button: the widest picture with 4 pixels either side, the tallest with 2.
constexpr platform::Point kMinButton = [] {
  platform::Point size;
  for (const Picture& p : kPictures) {
    size.x = std::max(size.x, p.width + 8);
    size.y = std::max(size.y, p.height + 4);
  }
  return size;
}();

const TButtonSet kAllButtons{TMPBtnType::btPlay, TMPBtnType::btPause,  TMPBtnType::btStop,
                             TMPBtnType::btNext, TMPBtnType::btPrev,   TMPBtnType::btStep,
                             TMPBtnType::btBack, TMPBtnType::btRecord, TMPBtnType::btEject};

TMPBtnType ButtonAt(int index) {
  return static_cast<TMPBtnType>(index);
}

}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner, std::string name)
    : TControl(owner, std::move(name), platform::WidgetKind::Custom),
      visible_(kAllButtons),
      enabled_(kAllButtons),
      colored_(kAllButtons) {
  SetBounds({0, 0, 240, 30});
  device_.onButtonsChanged = [this] { Invalidate(); };
  device_.onNotify = [this] { Guarded([this] { Notified(); }); };
}

void TMediaPlayer::Notified() {
  if (autoEnable_ && device_.Mode() == TMPModes::mpStopped) {
    device_.ApplyTransition(TMPBtnType::btStop);
  }
  Fire(OnNotify, this);
}

void TMediaPlayer::Loaded() {
  TControl::Loaded();
  EndLoading();
  if (!autoOpen_) return;
  try {
    device_.Open();
  } catch (const EMCIDeviceError&) {
    // Error keeps the code; the player stays closed.
  }
}

void TMediaPlayer::SetAutoEnable(bool autoEnable) {
  if (autoEnable == autoEnable_) return;
  autoEnable_ = autoEnable;
  Invalidate();
}

void TMediaPlayer::EndLoading() {
  loading_ = false;
  // The layout runs even when the width stays, so that a low bar still grows.
  if (widthPending_) {
    SetWidthFromButtons();
    Resized();
  }
}

void TMediaPlayer::SetVisibleButtons(const TButtonSet& buttons) {
  visible_ = buttons;
  if (loading_) {
    Resized();
    widthPending_ = true;
  } else {
    SetWidthFromButtons();
  }
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(const TButtonSet& buttons) {
  enabled_ = buttons;
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(const TButtonSet& buttons) {
  colored_ = buttons;
  Invalidate();
}

void TMediaPlayer::SetWidthFromButtons() {
  Bounds bounds = BoundsRect();
  bounds.width = VisibleCount() * (buttonWidth_ - 1) + 1;
  SetBounds(bounds);
}

int TMediaPlayer::VisibleCount() const {
  int count = 0;
  for (int i = 0; i < kButtonCount; ++i) count += visible_.Contains(ButtonAt(i)) ? 1 : 0;
  return std::max(count, 1);
}

int TMediaPlayer::ButtonLeft(TMPBtnType button) const {
  int left = 0;
  for (int i = 0; i < static_cast<int>(button); ++i) {
    if (visible_.Contains(ButtonAt(i))) left += buttonWidth_ - 1;
  }
  return left;
}

bool TMediaPlayer::Pressable(TMPBtnType button) const {
  return autoEnable_ ? device_.AutomaticButtons().Contains(button) : enabled_.Contains(button);
}

// The buttons follow the width; the bar grows to hold buttons of the smallest size.
void TMediaPlayer::Resized() {
  const int count = VisibleCount();
  Bounds bounds = BoundsRect();
  buttonWidth_ = (bounds.width - 1) / count + 1;
  if (loading_) return;
  const int width = std::max(count * (buttonWidth_ - 1), count * (kMinButton.x - 1)) + 1;
  const int height = std::max(bounds.height, kMinButton.y);
  if (width == bounds.width && height == bounds.height) return;
  bounds.width = width;
  bounds.height = height;
  SetBounds(bounds);
}

void TMediaPlayer::Paint(TCanvas& canvas) {
  canvas.Pen().Color = clWindowFrame;
  canvas.Brush().Style = TBrushStyle::bsClear;
  canvas.Rectangle(ClientRect());
  for (int i = 0; i < kButtonCount; ++i) {
    const TMPBtnType button = ButtonAt(i);
    if (visible_.Contains(button)) DrawButton(canvas, button, ButtonLeft(button));
  }
}

void TMediaPlayer::DrawButton(TCanvas& canvas, TMPBtnType button, int x) {
  const int w = buttonWidth_;
  const int height = BoundsRect().height;
  canvas.Pen().Color = clWindowFrame;
  canvas.Brush().Style = TBrushStyle::bsSolid;
  canvas.Brush().Color = clBtnFace;
  canvas.Rectangle({x, 0, x + w, height});

  const bool down = button == currentButton_ && down_;
  canvas.Pen().Color = down ? clBtnShadow : clBtnHighlight;
  canvas.Polyline({{x + 1, height - 2}, {x + 1, 1}, {x + w - 1, 1}});
  if (!down) {
    canvas.Pen().Color = clBtnShadow;
    canvas.Polyline({{x + 2, height - 2}, {x + w - 2, height - 2}, {x + w - 2, 1}});
  }

  const char* state = "DI";
  if (Enabled() && Pressable(button)) state = colored_.Contains(button) ? "CL" : "EN";
  const Picture& picture = kPictures[static_cast<int>(button)];
  const int shift = down ? 1 : 0;
  canvas.DrawTransparent(x + w / 2 - picture.width / 2 + shift,
                         height / 2 - picture.height / 2 + shift,
                         std::string(state) + "_" + picture.name, clOlive);

  if (focused_ && button == focusedButton_) {
    canvas.DrawFocusRect(OffsetRect({x + 3, 3, x + w - 3, height - 3}, shift, shift));
  }
}

void TMediaPlayer::mousePressed(platform::Point at) {
  Guarded([this, at] {
    for (int i = 0; i < kButtonCount; ++i) {
      const TMPBtnType button = ButtonAt(i);
      if (!visible_.Contains(button)) continue;
      const int left = ButtonLeft(button);
      if (at.x < left || at.x > left + buttonWidth_) continue;
      if (!Pressable(button)) return;
      currentButton_ = focusedButton_ = button;
      currentRect_ = {left, 0, left + buttonWidth_, BoundsRect().height};
      pressed_ = down_ = true;
      Invalidate();
      if (Peer() != nullptr) Peer()->setMouseCapture(true);
      return;
    }
  });
}

void TMediaPlayer::mouseMoved(platform::Point at) {
  if (!pressed_) return;
  const bool inside = at.x >= currentRect_.left && at.x < currentRect_.right &&
                      at.y >= currentRect_.top && at.y < currentRect_.bottom;
  if (inside == down_) return;
  down_ = inside;
  Invalidate();
}

void TMediaPlayer::mouseReleased(platform::Point /*at*/) {
  if (Peer() != nullptr) Peer()->setMouseCapture(false);
  const bool clicked = pressed_ && down_;
  pressed_ = false;
  if (!clicked) return;
  down_ = false;
  Invalidate();
  Guarded([this] {
    Click(currentButton_);
    if (autoEnable_ && device_.Error() == 0 && device_.Opened()) {
      device_.ApplyTransition(currentButton_);
    }
  });
}

// Space presses the focused button when the enabled set allows it, whatever the device's
// state; the arrows move the focus along the visible buttons.
void TMediaPlayer::keyPressed(unsigned key) {
  Guarded([this, key] {
    if (key == platform::vk::kSpace) {
      if (!enabled_.Contains(focusedButton_)) return;
      Click(focusedButton_);
      if (autoEnable_) device_.ApplyTransition(focusedButton_);
      return;
    }
    if (key != platform::vk::kLeft && key != platform::vk::kRight) return;
    const int step = key == platform::vk::kLeft ? -1 : 1;
    for (int i = static_cast<int>(focusedButton_) + step; i >= 0 && i < kButtonCount; i += step) {
      if (!visible_.Contains(ButtonAt(i))) continue;
      focusedButton_ = ButtonAt(i);
      Invalidate();
      return;
    }
  });
}

void TMediaPlayer::focusChanged(bool focused) {
  focused_ = focused;
  Invalidate();
}

void TMediaPlayer::Click(TMPBtnType button) {
  bool doDefault = true;
  if (OnClick) OnClick(this, button, doDefault);
  if (!doDefault) return;
  RunCommand(button);
  if (OnPostClick) OnPostClick(this, button);
}

void TMediaPlayer::RunCommand(TMPBtnType button) {
  switch (button) {
    case TMPBtnType::btPlay:
      device_.Play();
      break;
    case TMPBtnType::btPause:
      device_.Pause();
      break;
    case TMPBtnType::btStop:
      device_.Stop();
      break;
    case TMPBtnType::btNext:
      device_.Next();
      break;
    case TMPBtnType::btPrev:
      device_.Previous();
      break;
    case TMPBtnType::btStep:
      device_.Step();
      break;
    case TMPBtnType::btBack:
      device_.Back();
      break;
    case TMPBtnType::btRecord:
      device_.StartRecording();
      break;
    case TMPBtnType::btEject:
      device_.Eject();
      break;
  }
}

}  // namespace wumpex
