#pragma once

#include "framework/Control.h"

namespace wumpex {

// A picture: one of the program's icons, named by its resource.
class TImage : public TControl {
 public:
  TImage(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TImage"; }

  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& resourceName);

 protected:
  void InitPeer(platform::Widget& peer) override;

 private:
  std::string icon_;
};

}  // namespace wumpex
