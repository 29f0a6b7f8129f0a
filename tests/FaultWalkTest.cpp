#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/WumpexProps.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace fs = std::filesystem;
using platform::headless::Call;

// The settings of a user with a pattern, beside a section of another program's.
constexpr const char* kStored =
    "[Other]\r\nkept=1\r\n[WumpexSettings]\r\nWAVPath=C:\\Sounds\r\nRandomTime=10\r\n"
    "RandomTimeType=0\r\nVariableTime=5\r\nVariableTimeType=0\r\nNumBeQuietItems=1\r\n"
    "BeQuietItem0=Defrag\r\n";
constexpr const char* kWriteRefused = "Unable to write to WUMPEX.INI.";
constexpr const char* kLastResort = "Application Error";

// What a refused call may bring before the user, in the program's words: a settings file
// that cannot be read looks like a first start, and the rest names what failed.
const std::set<std::string> kFailureBoxes = {
    kFirstStartPrompt,
    kWriteRefused,
    "File access denied.",
    "Not enough timers available.",
    "No wave device that can play files in the current format is installed..",
    "The specified device exhibits a problem. Check that the device is working correctly or "
    "contact the device manufacturer..",
};

// Drive C: with a sound in C:\Sounds and another in C:\Waves, and the stored settings.
struct Session : HeadlessServices {
  Session() {
    SetRandSeed(0);
    WriteSilentWave(driveC.path() / "Sounds" / "a.wav", 100);
    fs::create_directory(driveC.path() / "Waves");
    WriteSilentWave(driveC.path() / "Waves" / "b.wav", 100);
    WriteSettings(kStored);
  }
};

struct Journey {
  const char* what;
  // Before the start: files and the user's answers.
  std::function<void(Session&)> setUp = [](Session&) {};
  // At 1 s, before the calls are counted: the user's way to the journey. Without it the
  // start is the journey.
  std::function<void(Session&)> lead = nullptr;
  // At 2 s: what the user does.
  std::function<void(Session&)> act = [](Session&) {};
  // When the program is looked at and ended.
  std::uint64_t seenAt = 0;
  // The refusals that the user must hear of.
  std::set<Call> told = {};
};

struct Outcome {
  std::uint64_t calls = 0;
  std::optional<Call> refused;
  int exitCode = -1;
  // Whether the program still ran when looked at, and then whether the settings window was
  // shown and the next tick's timer ran, no sooner than the settings' shortest interval, 10 s.
  bool running = false, shown = false, scheduled = false;
  bool folderNamed = false;        // whether the folder box named a folder to keep
  std::vector<std::string> boxes;  // their texts; the last-resort report by its caption
  std::string before, settings;    // the settings file at start and at the end
  bool scratchLeft = false;
  bool windowsLeft = false;  // a start that failed must not leave its windows behind either
};

// The program's whole life, with the k-th call of the journey refused; k = 0 refuses none.
Outcome Walk(const Journey& journey, std::uint64_t k) {
  Session s;
  journey.setUp(s);
  Outcome run;
  run.before = ReadBytes(s.SettingsPath());
  const auto count = [&] { k == 0 ? s.faults.refuseNothing() : s.faults.refuse({}, k, k); };
  if (!journey.lead) count();
  s.desktop.actAfter(1000, [&] {
    if (!journey.lead) return;
    journey.lead(s);
    count();
  });
  s.desktop.actAfter(2000, [&] { journey.act(s); });
  s.desktop.actAfter(journey.seenAt, [&] {
    run.calls = s.faults.counted();
    s.faults.refuseNothing();  // ending is no part of the journey
    run.running = true;
    run.shown = WumpexForm->Visible();
    run.folderNamed = !WumpexForm->SoundPathEB->Text().empty();
    run.scheduled = s.desktop.runningTimers() > 0 && WumpexForm->Timer1->Interval() >= 10'000;
    Application->Terminate();
  });
  run.exitCode = RunWumpex();
  if (!run.running) run.calls = s.faults.counted();
  if (!s.faults.refused().empty()) run.refused = s.faults.refused().front();
  for (const auto& box : s.desktop.messageBoxes) {
    run.boxes.push_back(box.caption == kLastResort ? kLastResort : box.text);
  }
  run.settings = ReadBytes(s.SettingsPath());
  run.windowsLeft = !s.desktop.threadWindows().empty();
  for (const auto& entry : fs::recursive_directory_iterator(s.driveC.path())) {
    run.scratchLeft |= entry.path().extension() == ".new";
  }
  return run;
}

void OpenSettings(Session&) {
  WumpexForm->TrayIcon1DblClick(WumpexForm->TrayIcon1);
}

// The settings window opened, a count and the folder typed.
void EditSettings(Session& s) {
  OpenSettings(s);
  s.User(WumpexForm->RandomTimeEB).userEditedText("20");
  s.User(WumpexForm->SoundPathEB).userEditedText("C:\\Waves");
}

TEST(FaultWalkTest, NoRefusedCallLosesSettingsLeavesScratchOrStopsTheProgramUnsaid) {
  const auto click = [](auto TWumpexForm::*control) {
    return [control](Session& s) { s.User(WumpexForm->*control).userClicked(); };
  };
  const Journey journeys[] = {
      {.what = "start with a settings file", .seenAt = 500},
      {.what = "first start",
       .setUp =
           [](Session& s) {
             fs::remove(s.SettingsPath());
             s.folderBrowser.chooseNextFolder("C:\\Sounds");
           },
       .seenAt = 500},
      {.what = "OK", .lead = EditSettings, .act = click(&TWumpexForm::OKBtn), .seenAt = 3000},
      {.what = "Apply", .lead = EditSettings, .act = click(&TWumpexForm::ApplyBtn), .seenAt = 3000},
      // The file turns from the code page to UTF-16 on the way.
      {.what = "OK with a folder named in Cyrillic",
       .setUp =
           [](Session& s) {
             fs::create_directory(s.driveC.path() / u8"\xD0\x97\xD0\xB2\xD1\x83\xD0\xBA");
           },
       .lead =
           [](Session& s) {
             OpenSettings(s);
             s.User(WumpexForm->SoundPathEB).userEditedText("C:\\\xD0\x97\xD0\xB2\xD1\x83\xD0\xBA");
           },
       .act = click(&TWumpexForm::OKBtn),
       .seenAt = 3000},
      {.what = "tick",
       .lead = [](Session&) {},
       .seenAt = 15'000,
       .told = {Call::OpenDevice, Call::PlayDevice}},
      {.what = "preview",
       .lead = OpenSettings,
       .act =
           [](Session& s) {
             s.User(WumpexForm->FileListBox1).userSelected(0);
             s.User(WumpexForm->MediaPlayer2).mousePressed({10, 10});
             s.User(WumpexForm->MediaPlayer2).mouseReleased({10, 10});
           },
       .seenAt = 3000,
       .told = {Call::OpenDevice}},
      {.what = "About sound",
       .lead = OpenSettings,
       .act = click(&TWumpexForm::Label1),
       .seenAt = 9000},
      {.what = "second instance",
       .setUp =
           [](Session& s) {
             s.atoms.add("OnlyOneWumpex! 1.11");
             s.desktop.openForeignWindow(kProgramTitle);
           },
       .seenAt = 500},
  };
  for (const Journey& journey : journeys) {
    const Outcome clean = Walk(journey, 0);
    for (std::uint64_t k = 1; k <= clean.calls; ++k) {
      const Outcome run = Walk(journey, k);
      ASSERT_TRUE(run.refused);
      SCOPED_TRACE(std::string(journey.what) + ", call " + std::to_string(k) +
                   " refused, of kind " + std::to_string(static_cast<int>(*run.refused)));
      EXPECT_TRUE(run.settings == run.before || run.settings == clean.settings);
      EXPECT_FALSE(run.scratchLeft);
      EXPECT_FALSE(run.windowsLeft);
      // The boxes that the refusal brought.
      std::vector<std::string> brought = run.boxes;
      for (const auto& box : clean.boxes) {
        if (auto found = std::ranges::find(brought, box); found != brought.end()) {
          brought.erase(found);
        }
      }
      const auto said = [&](const std::string& text) {
        return std::ranges::find(brought, text) != brought.end();
      };
      if (run.exitCode == 1) {
        // Only what the program cannot run without ends it, with the last-resort report.
        EXPECT_TRUE(*run.refused == Call::CreateWindow || *run.refused == Call::StartTimer);
        EXPECT_EQ(brought, std::vector<std::string>{kLastResort});
        continue;
      }
      EXPECT_TRUE(clean.running || brought.empty()) << "a start that gives way says nothing";
      for (const auto& box : brought) EXPECT_TRUE(kFailureBoxes.contains(box)) << box;
      // A picker that fails at the first start leaves nothing to keep.
      EXPECT_TRUE(run.settings == clean.settings || said(kWriteRefused) || !run.folderNamed);
      EXPECT_TRUE(!journey.told.contains(*run.refused) || !brought.empty());
      if (clean.running) {
        EXPECT_TRUE(run.running);
        // A refused timer cannot be scheduled; it is said instead.
        EXPECT_TRUE(run.shown || run.scheduled ||
                    (*run.refused == Call::StartTimer && said("Not enough timers available.")));
      }
    }
  }
}

}  // namespace
}  // namespace wumpex
