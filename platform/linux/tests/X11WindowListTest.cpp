// Runs on a private X server without a window manager (xvfb-run, 1024x768): the test sets
// the root window's properties where a manager would.
// gtest comes before X11's headers, whose macros would break it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on

#include "platform/linux/X11WindowList.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::linuxdesktop {
namespace {

class X11WindowListTest : public ::testing::Test {
 protected:
  // The windows go with the connection; what a manager would set on the root stays.
  ~X11WindowListTest() override {
    for (const char* name : {"_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW"}) {
      XDeleteProperty(display.get(), Root(), Intern(name));
    }
    XSync(display.get(), False);
  }

  Window Root() const { return DefaultRootWindow(display.get()); }
  Atom Intern(const char* name) const { return XInternAtom(display.get(), name, False); }

  // A mapped window at {10, 20, 310, 220}, titled in UTF-8 as a current program titles its
  // windows, or with a Latin-1 WM_NAME only, as an old one does.
  Window Make(const char* utf8Title, const char* latin1Name) {
    const Window window = XCreateSimpleWindow(display.get(), Root(), 10, 20, 300, 200, 0, 0, 0);
    if (utf8Title != nullptr) {
      XChangeProperty(display.get(), window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"), 8,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(utf8Title),
                      static_cast<int>(std::char_traits<char>::length(utf8Title)));
    }
    if (latin1Name != nullptr) XStoreName(display.get(), window, latin1Name);
    XMapWindow(display.get(), window);
    XSync(display.get(), False);
    return window;
  }

  void Set(Window window, const char* name, Atom type, const std::vector<unsigned long>& items) {
    XChangeProperty(display.get(), window, Intern(name), type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
    XSync(display.get(), False);
  }

  std::unique_ptr<Display, int (*)(Display*)> display{XOpenDisplay(nullptr), XCloseDisplay};
};

TEST_F(X11WindowListTest, WalksTopmostFirstWithTitlesInAnyEncoding) {
  ASSERT_TRUE(display) << "no X display";
  const Window utf8 = Make("Defrag \xE2\x80\x93 caf\xC3\xA9", nullptr);
  const Window latin1 = Make(nullptr, "Notes caf\xE9");
  const Window untitled = Make(nullptr, nullptr);
  XRaiseWindow(display.get(), utf8);
  XSync(display.get(), False);

  X11WindowList list;
  const std::vector<Handle> tree = list.topLevelWindows();
  const auto at = [&](Window w) { return std::ranges::find(tree, Handle{w}) - tree.begin(); };
  EXPECT_LT(at(utf8), at(untitled));
  EXPECT_LT(at(untitled), at(latin1));
  EXPECT_LT(at(latin1), static_cast<std::ptrdiff_t>(tree.size()));
  EXPECT_EQ(list.title(utf8), "Defrag \xE2\x80\x93 caf\xC3\xA9");
  EXPECT_EQ(list.title(latin1), "Notes caf\xC3\xA9");
  EXPECT_EQ(list.title(untitled), "");

  // A window manager's stacking list names only the client windows.
  Set(Root(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW, {latin1, utf8});
  EXPECT_EQ(list.topLevelWindows(), (std::vector<Handle>{utf8, latin1}));
}

TEST_F(X11WindowListTest, FrontWindowIsTheActiveOneUnlessItIsTheDesktop) {
  ASSERT_TRUE(display) << "no X display";
  const Window window = Make("Slides", nullptr);
  X11WindowList list;
  EXPECT_FALSE(list.frontWindow()) << "no manager names an active window";
  Set(Root(), "_NET_ACTIVE_WINDOW", XA_WINDOW, {window});
  const Rect screen{0, 0, 1024, 768};
  const std::pair<const char*, std::optional<Rect>> states[] = {
      {nullptr, Rect{10, 20, 310, 220}},
      {"_NET_WM_STATE_FULLSCREEN", screen},
  };
  for (const auto& [state, seen] : states) {
    if (state != nullptr) Set(window, "_NET_WM_STATE", XA_ATOM, {Intern(state)});
    const auto front = list.frontWindow();
    ASSERT_TRUE(front) << (state ? state : "plain");
    EXPECT_EQ(front->window, *seen);
    EXPECT_EQ(front->monitor, screen);
  }
  for (const char* type : {"_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE_DOCK"}) {
    Set(window, "_NET_WM_WINDOW_TYPE", XA_ATOM, {Intern(type)});
    EXPECT_FALSE(list.frontWindow()) << type;
  }
}

}  // namespace
}  // namespace platform::linuxdesktop
