#pragma once

#include "framework/Control.h"

namespace wumpex {

class TEdit;

// Up-down buttons that step a whole number shown in an associated edit box. Stepping keeps
// the number within Min..Max; typing into the box is not limited by them.
class TUpDown : public TControl {
 public:
  TUpDown(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TUpDown"; }

  TEdit* Associate() const { return associate_; }
  // The box shows the position from then on.
  void SetAssociate(TEdit* edit);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  int Increment() const { return increment_; }
  void SetIncrement(int increment) { increment_ = increment; }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap) { wrap_ = wrap; }

  // One press of the up or down button: steps from the number in the box when it holds one.
  void StepUp() { Step(increment_); }
  void StepDown() { Step(-increment_); }

 protected:
  void InitPeer(platform::Widget& peer) override;
  // The box may come after the up-down in tab order, its peer made later.
  void SiblingsCreated() override { Mirror(); }
  void userStepped(int by) override;

 private:
  void Step(int delta);
  void Mirror();

  TEdit* associate_ = nullptr;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int increment_ = 1;
  bool wrap_ = false;
};

}  // namespace wumpex
