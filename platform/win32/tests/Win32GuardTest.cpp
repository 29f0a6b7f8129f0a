#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "components/OnlyOne.h"
#include "framework/Application.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

using testing::topLevelWindow;

// A name no other program holds.
std::string OwnName(const char* stem) {
  return stem + std::to_string(GetCurrentProcessId());
}

TEST(Win32GlobalAtomsTest, EachAddIsAReferenceThatADeleteTakesAway) {
  Win32GlobalAtoms atoms;
  const std::string name = OwnName("WumpexAtomTest");
  ASSERT_EQ(atoms.find(name), 0);
  const Atom atom = atoms.add(name);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(atoms.add(name), atom);
  EXPECT_TRUE(atoms.remove(atom));
  EXPECT_EQ(atoms.find(name), atom) << "one reference is left";
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  EXPECT_EQ(atoms.find(lower), atom) << "names are compared ignoring case";
  EXPECT_TRUE(atoms.remove(atom));
  EXPECT_EQ(atoms.find(name), 0);
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
