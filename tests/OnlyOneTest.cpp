#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/OnlyOne.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

const std::string kTitle = kProgramTitle;
const std::string kMarker = "OnlyOneWumpex! 1.11";

// One start of the program up to the end of its start-up: its application object and a
// main window that holds the guard. All runs share the desktop and the atom table, as the
// processes of one session do.
struct Instance {
  Instance(const std::string& title, bool enforce) {
    application.SetTitle(title);
    guard->SetEnforceOnlyOne(enforce);
    form.LoadedAll();
  }
  TApplication application;
  TComponent form{nullptr, "WumpexForm"};
  TOnlyOne* guard = form.Make<TOnlyOne>("OnlyOne1");
};

TEST(OnlyOneTest, LaterStartsRaiseTheRunningInstanceAndEnd) {
  struct Session;
  using Step = std::function<void(Session&)>;
  struct Session : HeadlessServices {
    std::vector<std::unique_ptr<Instance>> runs;
    platform::Handle window(int run) const { return runs.at(run)->application.Handle(); }
  };
  const auto start = [](const std::string& title, bool enforce = true) -> Step {
    return [=](Session& s) { s.runs.push_back(std::make_unique<Instance>(title, enforce)); };
  };
  const auto end = [](int run) -> Step { return [=](Session& s) { s.runs.at(run).reset(); }; };
  const auto minimise = [](int run) -> Step {
    return [=](Session& s) { s.windowRaising.minimise(s.window(run)); };
  };
  // An instance that ended without giving up its reference.
  const Step leftBehind = [](Session& s) { s.atoms.add(kMarker); };
  const std::string longTitle = kTitle + " with a title of more than thirty characters";
  const std::string tailA = kTitle + " and then some A";
  const std::string tailB = kTitle + " and then some B";
  const Step wumpex = start(kTitle);
  const Step longStart = start(longTitle);
  const std::string longMarker = "OnlyOne" + longTitle.substr(0, 20);
  const std::string tailMarker = "OnlyOne" + tailA.substr(0, 20);

  const struct {
    const char* what;
    std::vector<Step> steps;
    bool quit = false;
    int references = 1;              // after the steps
    std::vector<int> raised = {};    // runs whose window was brought to top
    std::vector<int> restored = {};  // runs whose window was restored
    int referencesAtEnd = 0;         // once every run has ended
    std::string marker = kMarker;
  } cases[] = {
      {"first start", {wumpex}},
      {"second start raises the first", {wumpex, wumpex}, true, 2, {0}},
      {"a minimised first is restored", {wumpex, minimise(0), wumpex}, true, 2, {}, {0}},
      {"after the first ended, a start runs", {wumpex, end(0), wumpex}},
      {"marker left behind: the start runs", {leftBehind, wumpex}, false, 2, {}, {}, 1},
      {"left behind: next start gives way", {leftBehind, wumpex, wumpex}, true, 3, {0}, {}, 1},
      {"guard off does nothing", {start(kTitle, false)}, false, 0},
      {"guard off beside a running instance", {wumpex, start(kTitle, false), end(1)}},
      {"title past the name buffer", {longStart, longStart}, true, 2, {0}, {}, 0, longMarker},
      {"same first 20 characters", {start(tailA), start(tailB)}, false, 2, {}, {}, 0, tailMarker},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session s;
    for (const Step& step : c.steps) step(s);
    EXPECT_EQ(s.desktop.quitPosted(), c.quit);
    EXPECT_EQ(s.atoms.references(c.marker), c.references);
    std::vector<platform::Handle> raised, restored;
    for (int run : c.raised) raised.push_back(s.window(run));
    for (int run : c.restored) restored.push_back(s.window(run));
    EXPECT_EQ(s.windowRaising.broughtToTop, raised);
    EXPECT_EQ(s.windowRaising.restored, restored);
    // Only a start that gives way renames itself; one that runs keeps the title looked for.
    if (const Instance* last = s.runs.back().get(); last != nullptr) {
      EXPECT_EQ(last->application.Title() == "destroy me", c.quit);
    }
    s.runs.clear();
    EXPECT_EQ(s.atoms.references(c.marker), c.referencesAtEnd);
  }
}

}  // namespace
}  // namespace wumpex
