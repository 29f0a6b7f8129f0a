#pragma once
// The null sink's monitor, recorded in 10-ms blocks with little latency, so that nothing is
// lost: how much sound was heard, and when the last of it came.

#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform::linuxdesktop {

class SinkRecorder {
 public:
  using Clock = std::chrono::steady_clock;

  SinkRecorder() {
    const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(10'000, &format));
    int error = 0;
    stream_ = pa_simple_new(nullptr, "wumpex-test", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                            "monitor", &format, nullptr, &buffer, &error);
    thread_ = std::jthread([this](std::stop_token stop) {
      std::vector<short> block(441);
      int failure = 0;
      while (stream_ != nullptr && !stop.stop_requested() &&
             pa_simple_read(stream_, block.data(), block.size() * sizeof(short), &failure) == 0) {
        double sum = 0;
        for (const short s : block) sum += static_cast<double>(s) * s;
        if (std::sqrt(sum / static_cast<double>(block.size())) > 1000) {
          lastHeard_ = Clock::now();
          ++loudBlocks_;
        }
      }
    });
  }
  ~SinkRecorder() {
    thread_.request_stop();
    thread_.join();
    if (stream_ != nullptr) pa_simple_free(stream_);
  }
  SinkRecorder(const SinkRecorder&) = delete;
  SinkRecorder& operator=(const SinkRecorder&) = delete;

  bool connected() const { return stream_ != nullptr; }
  // Seconds of sound heard so far.
  double heard() const { return loudBlocks_ * 0.01; }
  Clock::time_point lastHeard() const { return lastHeard_; }

 private:
  pa_simple* stream_ = nullptr;
  std::atomic<int> loudBlocks_ = 0;
  std::atomic<Clock::time_point> lastHeard_{};
  std::jthread thread_;
};

}  // namespace platform::linuxdesktop
