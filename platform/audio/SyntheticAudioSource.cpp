// A computed sine per channel. Whole-hertz frequencies make the signal repeat every
// second, so one second of samples is computed once and then copied.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <numbers>
#include <thread>
#include <vector>

#include "platform/audio/Audio.h"

int SyntheticSample(const TSyntheticSignal& s, const TAudioFormat& f, std::uint64_t frame, int channel) {
  int hz = channel == 0 ? s.LeftHz : s.RightHz;
  auto rate = static_cast<std::uint64_t>(f.SamplesPerSec);
  std::uint64_t phase = (frame % rate) * static_cast<std::uint64_t>(hz < 0 ? -hz : hz) % rate;
  double v = s.Amplitude * std::sin(2 * std::numbers::pi * static_cast<double>(phase) / static_cast<double>(rate));
  if (f.BitsPerSample == 8) return 128 + static_cast<int>(std::lround(v * 127));
  return static_cast<int>(std::lround(v * 32767));
}

namespace {
class TSyntheticAudioSource : public IAudioSource {
 public:
  explicit TSyntheticAudioSource(const TSyntheticSignal& s) : FSignal(s) {}

  MMRESULT Open(const TAudioFormat& format) override {
    if (!IsSupportedFormat(format)) return WAVERR_BADFORMAT;
    FFormat = format;
    FFrame = 0;
    FSecond.clear();
    for (int i = 0; i < format.SamplesPerSec; ++i)
      for (int c = 0; c < format.Channels; ++c) {
        int v = SyntheticSample(FSignal, format, static_cast<std::uint64_t>(i), c);
        if (format.BitsPerSample == 8) {
          FSecond.push_back(static_cast<char>(v));
        } else {
          FSecond.push_back(static_cast<char>(v & 0xFF));
          FSecond.push_back(static_cast<char>((v >> 8) & 0xFF));
        }
      }
    FStart = std::chrono::steady_clock::now();
    FOpen = true;
    return MMSYSERR_NOERROR;
  }

  long Read(void* buffer, size_t bytes, int timeoutMs) override {
    if (!FOpen) return -1;
    auto block = static_cast<std::uint64_t>(FFormat.BlockAlign());
    std::uint64_t frames = bytes / block;
    if (FSignal.TotalFrames) {
      if (FFrame >= FSignal.TotalFrames) return -1;
      frames = std::min(frames, FSignal.TotalFrames - FFrame);
    }
    if (FSignal.RealTime) {
      // Only what the clock has produced so far, waiting up to the timeout for more.
      auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
      std::uint64_t due = 0;
      for (;;) {
        auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - FStart).count();
        due = static_cast<std::uint64_t>(elapsed * FFormat.SamplesPerSec);
        if (due > FFrame || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      frames = due > FFrame ? std::min(frames, due - FFrame) : 0;
    }
    auto rate = static_cast<std::uint64_t>(FFormat.SamplesPerSec);
    char* out = static_cast<char*>(buffer);
    std::uint64_t left = frames;
    while (left > 0) {
      std::uint64_t at = FFrame % rate;
      std::uint64_t run = std::min(left, rate - at);
      std::memcpy(out, FSecond.data() + at * block, run * block);
      out += run * block;
      FFrame += run;
      left -= run;
    }
    return static_cast<long>(frames * block);
  }

  void Close() override { FOpen = false; }

  bool Clock(std::uint64_t& framesReceived, std::uint64_t& latencyFrames) override {
    framesReceived = FFrame.load();
    latencyFrames = 0;
    return true;
  }

 private:
  TSyntheticSignal FSignal;
  TAudioFormat FFormat;
  std::vector<char> FSecond;
  std::atomic<std::uint64_t> FFrame{0};
  std::chrono::steady_clock::time_point FStart;
  bool FOpen = false;
};
}  // namespace

std::unique_ptr<IAudioSource> CreateSyntheticAudioSource(const TSyntheticSignal& signal) {
  return std::make_unique<TSyntheticAudioSource>(signal);
}
