#include <gtest/gtest.h>

#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class BeQuietTest : public DesktopTest {
 protected:
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
};

TEST_F(BeQuietTest, PatternInsideAnyTitleKeepsQuiet) {
  const std::string longTitle = std::string(250, 'x') + "DEFRAG";  // pattern at 251..256
  const struct {
    const char* what;
    std::vector<std::string> patterns;
    std::vector<std::string> titles;
    bool mayPlay;
  } cases[] = {
      {"empty list", {}, {"Disk Defragmenter"}, true},
      {"pattern in title, any case", {"Defrag"}, {"Disk Defragmenter"}, false},
      {"lower-case pattern, upper-case title", {"scandisk"}, {"SCANDISK - drive C"}, false},
      {"no title holds it", {"ScanDisk", "Defrag"}, {"Notepad", "Calculator"}, true},
      {"pattern longer than the title", {"Notepad and more"}, {"Notepad"}, true},
      {"accented letters keep their case", {"\xe9t\xe9"}, {"\xc9T\xc9"}, true},
      {"same accented letters match", {"\xe9t\xe9"}, {"l'\xe9t\xe9"}, false},
      {"empty pattern never blocks", {""}, {"Notepad"}, true},
      {"the program's own title", {"1.11"}, {}, false},
      {"title cut after 254 characters", {"Defrag"}, {longTitle}, true},
      {"pattern within the first 254", {"xxDEF"}, {longTitle}, false},
      {"second pattern matches", {"aaa", "calc"}, {"Calculator"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form->BeQuietListBox->Clear();
    for (const auto& p : c.patterns) form->BeQuietListBox->Add(p);
    std::vector<platform::Handle> opened;
    for (const auto& t : c.titles) opened.push_back(desktop.openForeignWindow(t));
    EXPECT_EQ(form->BeQuietCheck(), c.mayPlay);
    for (auto w : opened) desktop.closeForeignWindow(w);
  }
}

}  // namespace
}  // namespace wumpex
