// The Linux wave-audio devices beside the in-memory ones, over a sound server whose default
// sink is a null sink (scripts/desktop.sh makes one where none answers).
#include "platform/linux/LinuxMedia.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/headless/HeadlessMedia.h"
#include "platform/linux/tests/SinkRecorder.h"
#include "tests/HeadlessServices.h"

namespace platform::linuxdesktop {
namespace {

using namespace std::chrono_literals;
using Clock = SinkRecorder::Clock;
const std::string kAbout = WUMPEX_RESOURCES "/about.wav";  // 5069 ms

struct Notice {
  std::uintptr_t how;
  std::intptr_t device;
  bool operator==(const Notice&) const = default;
  friend void PrintTo(const Notice& n, std::ostream* out) { *out << n.how << "@" << n.device; }
};

// The Linux devices, with the notices they post from either thread, stamped as they come.
struct Linux {
  std::mutex lock;
  std::vector<std::pair<Notice, Clock::time_point>> notices;
  LinuxMedia media{[this](Handle, unsigned message, std::uintptr_t how, std::intptr_t device) {
    const std::scoped_lock hold(lock);
    if (message == mci::kNotifyMessage) notices.push_back({{how, device}, Clock::now()});
    return true;
  }};
  std::vector<Notice> received() {
    const std::scoped_lock hold(lock);
    std::vector<Notice> all;
    for (const auto& [notice, at] : notices) all.push_back(notice);
    return all;
  }
};

// The in-memory devices, with a window that keeps their notices.
struct Headless : MessageEvents {
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t how,
                                              std::intptr_t device) override {
    if (message == mci::kNotifyMessage) notices.push_back({how, device});
    return 0;
  }
  headless::HeadlessDesktop desktop;
  headless::HeadlessMedia media{desktop};
  std::unique_ptr<MessageWindow> window = desktop.createMessageWindow(*this, false);
  std::vector<Notice> notices;
};

struct Step {
  const char* what;
  std::uint16_t device;
  std::uint32_t message;
  std::uint32_t flags;
  std::string name;                // open: the element, or the type with kOpenType
  std::uint32_t from, to;          // play
  std::uint32_t item;              // status
  std::chrono::milliseconds then;  // time let pass afterwards
};

struct Answer {
  std::uint32_t result;
  std::uint32_t value;  // of a status
  bool operator==(const Answer&) const = default;
  friend void PrintTo(const Answer& a, std::ostream* out) { *out << a.result << "/" << a.value; }
};

Answer Send(Media& media, const Step& step, Handle window) {
  MciParams params;
  params.callback = window;
  (step.flags & mci::kOpenType ? params.deviceType : params.elementName) = step.name;
  params.from = step.from;
  params.to = step.to;
  params.item = step.item;
  const std::uint32_t result = media.sendCommand(step.device, step.message, step.flags, params);
  return {result, step.message == mci::kStatus ? params.returnValue : 0};
}

// The same commands meet the same answers and post the same notices, the plays heard through
// the sound server on one side and timed on the virtual clock on the other.
TEST(LinuxMediaTest, AnswersAsTheInMemoryDevices) {
  const wumpex::TempFolder folder;
  const std::string damaged = (folder.path() / "damaged.wav").string();
  {
    std::ifstream in(kAbout, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, 40);
  }
  using namespace mci;
  const std::uint32_t element = kOpenElement | kNotify;
  // A play's end is waited for 2.5 s: an idle null sink has passed up to two seconds of
  // silence on ahead, which a new play waits behind.
  const Step steps[] = {
      {"open the sound", 0, kOpen, element, kAbout, 0, 0, 0, 0ms},
      {"open a damaged file", 0, kOpen, element, damaged, 0, 0, 0, 0ms},
      {"open a missing file", 0, kOpen, element, damaged + ".wav", 0, 0, 0, 0ms},
      {"open by type", 0, kOpen, kOpenType, "WaveAudio", 0, 0, 0, 0ms},
      {"play what has no element", 2, kPlay, 0, "", 0, 0, 0, 0ms},
      {"length", 1, kStatus, kStatusItem, "", 0, 0, kStatusLength, 0ms},
      {"play a part", 1, kPlay, kFrom | kTo | kNotify, "", 3000, 3600, 0, 0ms},
      {"mode while it plays", 1, kStatus, kStatusItem, "", 0, 0, kStatusMode, 0ms},
      {"stop it", 1, kStop, kNotify, "", 0, 0, 0, 0ms},
      {"mode when stopped", 1, kStatus, kStatusItem, "", 0, 0, kStatusMode, 0ms},
      {"play another part", 1, kPlay, kFrom | kTo | kNotify, "", 3000, 3300, 0, 0ms},
      {"a notifying status", 1, kStatus, kStatusItem | kNotify, "", 0, 0, kStatusMode, 2500ms},
      {"where the part ended", 1, kStatus, kStatusItem, "", 0, 0, kStatusPosition, 0ms},
      {"play to the end", 1, kPlay, kFrom | kNotify, "", 4700, 0, 0, 0ms},
      {"pause", 1, kPause, 0, "", 0, 0, 0, 0ms},
      {"mode when paused", 1, kStatus, kStatusItem, "", 0, 0, kStatusMode, 0ms},
      {"resume", 1, kResume, kNotify, "", 0, 0, 0, 2500ms},
      {"mode after the end", 1, kStatus, kStatusItem, "", 0, 0, kStatusMode, 0ms},
      {"a waited play", 1, kPlay, kFrom | kWait | kNotify, "", 4800, 0, 0, 0ms},
      {"where it ended", 1, kStatus, kStatusItem, "", 0, 0, kStatusPosition, 0ms},
      {"close", 1, kClose, kNotify, "", 0, 0, 0, 0ms},
      {"a closed device", 1, kStatus, kStatusItem, "", 0, 0, kStatusMode, 0ms},
  };
  Linux host;
  Headless memory;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const Answer heard = Send(host.media, step, memory.window->handle());
    const Answer timed = Send(memory.media, step, memory.window->handle());
    std::this_thread::sleep_for(step.then);
    memory.desktop.advance(static_cast<std::uint64_t>(step.then.count()));
    memory.desktop.processMessages();
    EXPECT_EQ(heard, timed);
    EXPECT_EQ(host.received(), memory.notices);
  }
}

// Without a sound server, a play fails with a text that names it.
TEST(LinuxMediaTest, APlayWithoutASoundServerSaysWhatIsMissing) {
  const char* server = std::getenv("PULSE_SERVER");
  const std::string previous = server != nullptr ? server : "";
  setenv("PULSE_SERVER", "unix:/nonexistent/native", 1);
  Linux host;
  MciParams params;
  params.elementName = kAbout;
  ASSERT_EQ(host.media.sendCommand(0, mci::kOpen, mci::kOpenElement, params), 0u);
  const std::uint32_t failed = host.media.sendCommand(params.deviceId, mci::kPlay, 0, params);
  server != nullptr ? setenv("PULSE_SERVER", previous.c_str(), 1) : unsetenv("PULSE_SERVER");
  EXPECT_EQ(failed, mci::kErrHardware);
  EXPECT_NE(host.media.errorString(failed).value_or("").find("sound server"), std::string::npos);
}

// A notifying play says it ended only once the last of it has been heard.
TEST(LinuxMediaTest, NoticeComesAfterTheSound) {
  const SinkRecorder recorder;
  ASSERT_TRUE(recorder.connected()) << "no sound server";
  Linux host;
  MciParams params;
  params.callback = 1;
  params.elementName = kAbout;
  ASSERT_EQ(host.media.sendCommand(0, mci::kOpen, mci::kOpenElement, params), 0u);
  params.from = 3000;
  params.to = 3600;
  ASSERT_EQ(host.media.sendCommand(params.deviceId, mci::kPlay,
                                   mci::kFrom | mci::kTo | mci::kNotify, params),
            0u);
  // The same wait; the recorder keeps the sink's latency short only once it listens.
  for (int waited = 0; host.received().empty() && waited < 500; ++waited) {
    std::this_thread::sleep_for(10ms);
  }
  std::this_thread::sleep_for(300ms);
  const std::scoped_lock hold(host.lock);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].first, (Notice{mci::kNotifySuccessful, params.deviceId}));
  EXPECT_GE(recorder.heard(), 0.5);
  const auto early = std::chrono::duration_cast<std::chrono::milliseconds>(recorder.lastHeard() -
                                                                           host.notices[0].second);
  // The monitor hears a block some milliseconds after the sink played it; a notice told by the
  // clock, or when the last piece was written, comes the sink's latency early.
  EXPECT_LE(early, 100ms);
}

}  // namespace
}  // namespace platform::linuxdesktop
