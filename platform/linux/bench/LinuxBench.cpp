// The Linux program's measuring probe, one program with modes, run by scripts/bench-linux.sh:
//   tick <folder> <ticks>      the program's tick on its timer over a folder, one a second,
//                              printing when each tick's timer fired (tick_ms, system clock)
//   bare-tick <file> <ticks>   the same file played straight through libsndfile and
//                              PulseAudio's simple interface, without the program's player,
//                              once a second, printing when each play was asked for
//   tray [seconds]             the smallest program of the kind: a Qt application with one
//                              tray icon and its event loop, nothing more (10 s by default)
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <pulse/error.h>
#include <pulse/simple.h>
#include <sndfile.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "platform/linux/LinuxServices.h"

namespace {

double SystemClockMilliseconds() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void PrintTick() {
  std::printf("tick_ms %.1f\n", SystemClockMilliseconds());
  std::fflush(stdout);
}

int Tick(const std::string& folder, int ticks) {
  platform::linuxdesktop::LinuxServices services;
  wumpex::TApplication application;
  auto* form = application.CreateForm<wumpex::TWumpexForm>();
  form->SoundPathEB->SetText(folder);
  form->FileListBox1->SetDirectory(folder);
  // One second, whatever the settings file says.
  form->RandomTimeEB->SetText("1");
  form->RandomTimeCB->SetItemIndex(0);
  form->VariableTimeEB->SetText("0");
  int left = ticks;
  form->Timer1->SetOnTimer([&](wumpex::TComponent* sender) {
    PrintTick();
    form->Timer1Timer(sender);
    if (--left == 0) application.Terminate();
  });
  form->ScheduleNextSound();
  return application.Run();
}

// The smallest play there is: libsndfile reads the file anew for each play and PulseAudio's
// simple interface plays it whole with the server's own buffering, then drains.
int BareTick(const std::string& path, int ticks) {
  for (int i = 0; i < ticks; ++i) {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    PrintTick();
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_READ, &info),
                                                           sf_close);
    const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(info.samplerate),
                                static_cast<std::uint8_t>(info.channels)};
    int error = 0;
    const std::unique_ptr<pa_simple, void (*)(pa_simple*)> stream(
        file ? pa_simple_new(nullptr, "bare", PA_STREAM_PLAYBACK, nullptr, "tone", &format, nullptr,
                             nullptr, &error)
             : nullptr,
        pa_simple_free);
    if (!stream) {
      std::fprintf(stderr, "bare-tick: %s\n", file ? pa_strerror(error) : sf_strerror(nullptr));
      return 1;
    }
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_short(file.get(), samples.data(), info.frames);
    pa_simple_write(stream.get(), samples.data(), samples.size() * sizeof(short), &error);
    pa_simple_drain(stream.get(), &error);
  }
  return 0;
}

int Tray(int seconds) {
  int count = 1;
  char name[] = "tray_baseline";
  char* arguments[] = {name, nullptr};
  QApplication application(count, arguments);
  QPixmap picture(32, 32);
  picture.fill(Qt::darkBlue);
  QSystemTrayIcon icon{QIcon(picture)};
  icon.setToolTip("Tray baseline");
  icon.show();
  QTimer::singleShot(std::chrono::seconds(seconds), &application, &QApplication::quit);
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "tick" && argc == 4) return Tick(argv[2], std::atoi(argv[3]));
  if (mode == "bare-tick" && argc == 4) return BareTick(argv[2], std::atoi(argv[3]));
  if (mode == "tray") return Tray(argc > 2 ? std::atoi(argv[2]) : 10);
  std::fprintf(stderr,
               "usage: linux_bench tick <folder> <ticks> | bare-tick <file> <ticks> | tray "
               "[seconds]\n");
  return 2;
}
