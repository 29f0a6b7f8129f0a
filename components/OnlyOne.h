#pragma once
// Keeps the program from running twice at a time: a running instance holds a reference to a
// global atom named after the application title, the instance marker. A later start that
// finds the marker raises the first instance's window and ends itself.

#include <cstddef>
#include <string>

#include "framework/Component.h"

namespace wumpex {

class TOnlyOne : public TComponent {
 public:
  static constexpr std::size_t kMarkerNameSize = 32;  // "OnlyOne" and 20 title characters
  static constexpr std::size_t kWindowNameSize = 31;

  TOnlyOne(TComponent* owner, std::string name);
  // Gives up this instance's reference to the marker.
  ~TOnlyOne() override;
  const char* ClassName() const override { return "TOnlyOne"; }

  // Whether the guard acts at all: checking, adding and deleting.
  bool EnforceOnlyOne() const { return enforceOnlyOne_; }
  void SetEnforceOnlyOne(bool enforce) { enforceOnlyOne_ = enforce; }

  // Names the marker after the application title and looks for it. When another instance
  // holds it and its window is found, that window is restored or raised and this instance
  // is asked to end. In every case this instance adds its own reference.
  void CheckOnlyOne();
  // The check found another instance and asked this one to end.
  bool GaveWay() const { return gaveWay_; }

  // The marker name of the process, shared by all guards; empty until a check has run.
  static const char* InstanceMarkerName();

 protected:
  void Loaded() override;

 private:
  bool enforceOnlyOne_ = true;
  bool gaveWay_ = false;
};

}  // namespace wumpex
