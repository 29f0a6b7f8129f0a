#pragma once
// What widgets report, for tests to compare.

#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::contract {

// Logs every report as one line, e.g. "selected 2" or "edited abc".
class RecordingEvents : public WidgetEvents {
 public:
  void userClicked() override { log.push_back("clicked"); }
  void userEditedText(const std::string& text) override { log.push_back("edited " + text); }
  void userSelected(int index) override { log.push_back("selected " + std::to_string(index)); }
  void userToggled(bool checked) override { log.push_back(checked ? "toggled on" : "toggled off"); }
  void closeRequested() override { log.push_back("close"); }

  std::vector<std::string> log;
};

}  // namespace platform::contract
