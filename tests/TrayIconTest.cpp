#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "components/TrayIcon.h"
#include "platform/headless/HeadlessNotificationArea.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using Told = std::vector<std::uint32_t>;
constexpr std::uint32_t kAdd = platform::nim::kAdd;
constexpr std::uint32_t kModify = platform::nim::kModify;
constexpr std::uint32_t kDelete = platform::nim::kDelete;

class TrayIconTest : public DesktopTest {
 protected:
  TrayIconTest() {
    tray->OnClick = [this](TComponent*) { log.push_back("click"); };
    tray->OnDblClick = [this](TComponent*) { log.push_back("double"); };
    tray->OnRightClick = [this](TComponent* sender, TMouseButton button, TShiftState shift, int x,
                                int y) {
      EXPECT_TRUE(sender == tray.get() && button == TMouseButton::Right &&
                  !(shift.shift || shift.ctrl || shift.alt));
      log.push_back("right " + std::to_string(x) + "," + std::to_string(y));
    };
  }
  void Send(unsigned message, std::intptr_t lParam = 0) {
    ASSERT_TRUE(desktop.postMessage(tray->WindowHandle(), message, 0, lParam));
    desktop.processMessages();
  }
  Told Messages() const {
    Told told;
    for (const auto& call : area.calls) told.push_back(call.message);
    return told;
  }
  const platform::NotifyIconRecord* Shown() const { return area.shown(tray->WindowHandle(), 0); }

  platform::headless::HeadlessNotificationArea area;
  platform::NotificationAreaScope areaScope{area};
  std::unique_ptr<TTrayIcon> tray = std::make_unique<TTrayIcon>(nullptr, "TrayIcon1");
  std::vector<std::string> log;
};

TEST_F(TrayIconTest, ShellIsToldOfEveryRealChangeOnly) {
  using Step = std::function<void()>;
  const Step on = [&] { tray->SetActive(true); };
  const Step off = [&] { tray->SetActive(false); };
  const Step noTip = [&] { tray->SetToolTip(""); };
  const Step otherTip = [&] { tray->SetToolTip("other"); };
  const Step otherIcon = [&] { tray->SetIcon(TIcon("MAINICON")); };
  const Step ownIcon = [&] { tray->SetIcon(tray->Icon()); };
  const Step destroy = [&] { tray.reset(); };
  const Step shellRestart = [&] {
    area.restartShell();
    Send(desktop.registerWindowMessage("TaskbarCreated"));
  };
  // What happens, in steps; what the shell is told.
  const std::tuple<const char*, std::vector<Step>, Told> cases[] = {
      {"inactive stays inactive", {off}, {}},
      {"active twice", {on, on}, {kAdd}},
      {"on, off, on", {on, off, on}, {kAdd, kDelete, kAdd}},
      {"changes while inactive", {otherTip, otherIcon}, {}},
      {"its own icon object", {on, ownIcon}, {kAdd}},
      {"added without tip, which is then set again", {noTip, on}, {kAdd, kModify}},
      {"destroyed while active", {on, destroy}, {kAdd, kDelete}},
      {"destroyed while inactive", {destroy}, {}},
      {"shell restarts while active", {on, shellRestart}, {kAdd, kAdd}},
      {"shell restarts while inactive", {on, off, shellRestart}, {kAdd, kDelete}},
  };
  for (const auto& [what, steps, told] : cases) {
    SCOPED_TRACE(what);
    tray = std::make_unique<TTrayIcon>(nullptr, "TrayIcon1");
    tray->SetToolTip("Wumpex!");
    area.restartShell();
    area.calls.clear();
    for (const Step& step : steps) step();
    desktop.processMessages();
    EXPECT_EQ(Messages(), told);
    EXPECT_TRUE(std::all_of(area.calls.begin(), area.calls.end(),
                            [](const auto& call) { return call.succeeded; }));
  }
  EXPECT_EQ(area.loadedIcons(), 0u);
}

TEST_F(TrayIconTest, RecordNamesTheWindowAndMessageOfTheReportsAndTheTipCutTo62) {
  const std::string seventy = "0123456789" + std::string(60, 'x');
  // 62 UTF-16 units, cut between characters: an emoji takes two.
  for (const auto& [tip, kept] :
       {std::pair<std::string, std::string>{std::string(61, 'x') + "\xF0\x9F\x94\x94",
                                            std::string(61, 'x')},
        {std::string(60, 'x') + "\xC3\xA9\xF0\x9F\x94\x94", std::string(60, 'x') + "\xC3\xA9"}}) {
    tray->SetToolTip(tip);
    EXPECT_EQ(tray->ToolTip(), kept);
  }
  tray->SetToolTip(seventy);
  EXPECT_EQ(tray->ToolTip(), seventy.substr(0, 62));
  tray->SetActive(true);
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->callbackMessage, TTrayIcon::kCallbackMessage);
  // The in-memory shell keeps every field; the system's takes only those the flags name.
  EXPECT_EQ(Shown()->flags, platform::nif::kMessage | platform::nif::kIcon | platform::nif::kTip);
  EXPECT_EQ(Shown()->size, platform::kNotifyIconRecordV1Size);
  EXPECT_EQ(std::string(Shown()->tip.data()), seventy.substr(0, 62));
  tray->SetIcon(TIcon("PROGRAMOFF"));
  EXPECT_EQ(area.iconName(Shown()->icon), "PROGRAMOFF");
  // The shell's restart notice goes to top-level windows only.
  const auto windows = desktop.threadWindows();
  EXPECT_NE(std::find(windows.begin(), windows.end(), tray->WindowHandle()), windows.end());
}

TEST_F(TrayIconTest, MouseReportsBecomeEvents) {
  area.setCursorPos({300, 700});
  const struct {
    std::vector<std::intptr_t> reports;  // mouse messages
    std::vector<std::string> events;
  } cases[] = {
      {{0x0202, 0x0203, 0x0202}, {"click", "double", "click"}},
      {{0x0205}, {"right 300,700"}},
      {{0x0200, 0x0201, 0x0204, 0x0207, 0x0208}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.reports));
    log.clear();
    for (std::intptr_t report : c.reports) Send(TTrayIcon::kCallbackMessage, report);
    EXPECT_EQ(log, c.events);
  }
  EXPECT_TRUE(area.foregroundWindows.empty()) << "without a menu nothing comes forward";
}

TEST_F(TrayIconTest, RightClickShowsTheMenuForTheApplicationThenReports) {
  TPopupMenu menu(nullptr, "PopupMenu1");
  for (const char* name : {"Item1", "Item2"}) {
    TMenuItem* item = menu.Make<TMenuItem>(name);
    item->OnClick = [this, name](TComponent*) {
      EXPECT_EQ(area.foregroundWindows, std::vector<platform::Handle>{application.Handle()});
      log.push_back(name);
    };
    menu.Add(item);
  }
  // A submenu's items come after the item that opens it, one level down.
  menu.Items()[0]->Add(menu.Make<TMenuItem>("Sub"));
  tray->SetPopupMenu(&menu);
  area.setCursorPos({640, 480});
  desktop.chooseNextMenuItem(2);
  Send(TTrayIcon::kCallbackMessage, 0x0205);
  EXPECT_EQ(log, (std::vector<std::string>{"Item2", "right 640,480"}));
  std::vector<int> levels;
  for (const platform::MenuItemState& item : desktop.menuShown) levels.push_back(item.level);
  EXPECT_EQ(levels, (std::vector<int>{0, 1, 0}));
}

}  // namespace
}  // namespace wumpex
