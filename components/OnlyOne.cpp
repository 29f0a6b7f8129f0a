#include "components/OnlyOne.h"

#include <cstdio>

#include "framework/Application.h"
#include "platform/Atoms.h"
#include "platform/WindowRaising.h"

namespace wumpex {
namespace {

char markerName[TOnlyOne::kMarkerNameSize];

}  // namespace

TOnlyOne::TOnlyOne(TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

TOnlyOne::~TOnlyOne() {
  if (!enforceOnlyOne_) return;
  platform::GlobalAtoms& atoms = platform::globalAtoms();
  if (const platform::Atom atom = atoms.find(markerName); atom != 0) atoms.remove(atom);
}

const char* TOnlyOne::InstanceMarkerName() {
  return markerName;
}

void TOnlyOne::Loaded() {
  TComponent::Loaded();
  if (enforceOnlyOne_) CheckOnlyOne();
}

void TOnlyOne::CheckOnlyOne() {
  platform::GlobalAtoms& atoms = platform::globalAtoms();
  std::snprintf(markerName, sizeof markerName, "OnlyOne%.20s", Application->Title().c_str());
  if (atoms.find(markerName) != 0) {
    const std::string title = Application->Title();
    char windowName[kWindowNameSize];
    std::snprintf(windowName, sizeof windowName, "%s", title.c_str());
    // A title too long for the buffer is looked for whole: cut short, it would name no
    // window, and the other instance would stay hidden.
    const char* lookFor = title.size() < sizeof windowName ? windowName : title.c_str();
    // Our own application window must not be the one found.
    Application->SetTitle("destroy me");
    platform::WindowRaising& windows = platform::windowRaising();
    if (const platform::Handle other = windows.findWindow(lookFor); other != 0) {
      if (windows.isMinimised(other)) {
        windows.restore(other);
      } else {
        windows.bringToTop(other);
      }
      Application->Terminate();
      gaveWay_ = true;
    } else {
      // No instance bears the title: the marker outlived an instance that ended without
      // giving it up. Ending here would keep the program from ever starting again, so this
      // start runs as the first one.
      Application->SetTitle(title);
    }
  }
  atoms.add(markerName);
}

}  // namespace wumpex
