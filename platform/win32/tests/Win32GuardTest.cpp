// The single-instance guard's parts on the real system: the global atom table, and the
// first instance's window brought back by a second start.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "components/OnlyOne.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using testing::topLevelWindow;

// A name no other program holds.
std::string OwnName(const char* stem) {
  return stem + std::to_string(GetCurrentProcessId());
}

// The same adds, finds and deletes through the system's table and the in-memory one: each
// answer must agree. An atom is told by whether it is none, or the one that the last add of
// the name it stands for gave; a delete takes away a reference to that one.
TEST(GlobalAtomsTest, TheInMemoryTableAnswersAsTheSystemsDoes) {
  const std::string name = OwnName("WumpexAtomTest");
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const std::string longest = OwnName("WumpexLongest") + std::string(230, 'n');
  const std::string longer = name + std::string(256 - name.size(), 'n');
  const struct {
    char call;  // add, find or remove
    std::string name;
    std::string standsFor;
  } steps[] = {{'f', name, name},       {'a', name, name},       {'a', name, name},
               {'r', name, name},       {'f', name, name},       {'f', lower, name},
               {'r', name, name},       {'f', name, name},       {'r', name, name},
               {'a', "", ""},           {'a', longer, longer},   {'f', longer, longer},
               {'a', longest, longest}, {'f', longest, longest}, {'r', longest, longest},
               {'f', longest, longest}};
  const auto run = [&](GlobalAtoms& atoms) {
    std::map<std::string, Atom> lastAdds;
    std::vector<std::string> answers;
    for (const auto& step : steps) {
      Atom& known = lastAdds[step.standsFor];
      if (step.call == 'r') {
        answers.push_back(atoms.remove(known) ? "removed" : "not removed");
        continue;
      }
      const Atom atom = step.call == 'a' ? atoms.add(step.name) : atoms.find(step.name);
      answers.push_back(std::string(1, step.call) + (atom == 0       ? " none"
                                                     : atom == known ? " same"
                                                                     : " new"));
      if (step.call == 'a' && atom != 0) known = atom;
    }
    return answers;
  };
  Win32GlobalAtoms real;
  headless::HeadlessGlobalAtoms inMemory;
  const std::vector<std::string> system = run(real);
  EXPECT_EQ(run(inMemory), system);
  EXPECT_EQ(system[1], "a new") << "the system's table takes the name";
}

// Whether the first window lies above the second in Z-order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == upper) return true;
    if (w == lower) return false;
  }
  return false;
}

TEST(Win32GuardTest, SecondStartRestoresOrRaisesTheFirstsWindowAndEnds) {
  for (const bool minimised : {false, true}) {
    SCOPED_TRACE(minimised ? "minimised" : "covered");
    Win32Services services;
    wumpex::TApplication application;
    const std::string title = OwnName("Wumpex guard ");
    // Visible top-level windows of the test's own, as another instance's would be.
    const auto first = topLevelWindow(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const auto cover = topLevelWindow(OwnName("Wumpex cover "), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(first.get() != nullptr && cover.get() != nullptr);
    if (minimised) ShowWindow(first.get(), SW_MINIMIZE);
    ASSERT_EQ(IsIconic(first.get()) != FALSE, minimised);
    // The first instance's reference.
    const Atom marker = services.atoms.add("OnlyOne" + title.substr(0, 20));
    ASSERT_NE(marker, 0);
    application.SetTitle(title);
    {
      wumpex::TComponent form(nullptr, "WumpexForm");
      form.Make<wumpex::TOnlyOne>("OnlyOne1");
      form.LoadedAll();
      EXPECT_FALSE(IsIconic(first.get()));
      if (!minimised) {
        EXPECT_TRUE(Above(first.get(), cover.get()));
      }
      MSG quit{};
      EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
      EXPECT_EQ(application.Title(), "destroy me");
    }
    EXPECT_EQ(services.atoms.find("OnlyOne" + title.substr(0, 20)), marker)
        << "the guard took away only its own reference";
    services.atoms.remove(marker);
  }
}

}  // namespace
}  // namespace platform::win32
