#pragma once
// Plays a known stereo signal (one tone per channel) into the test daemon's null sink,
// whose monitor is the default source, and measures tones with the Goertzel filter.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

extern char** environ;

namespace tone {

// e2e tests run wherever the daemon was started, and always under CI.
inline bool PulseExpected() { return std::getenv("CORVALE_TEST_PULSE") || std::getenv("CI"); }

#define SKIP_WITHOUT_PULSE()                                                          \
  do {                                                                                \
    if (!tone::PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)"; \
  } while (0)

class TFeeder {
 public:
  // Writes seconds of 44.1 kHz 16-bit stereo and starts playing it on the null sink.
  TFeeder(const std::string& dir, int leftHz, int rightHz, int seconds = 30, double amp = 0.5) {
    std::string file = dir + "/feed.wav";
    const std::uint32_t rate = 44100, frames = rate * static_cast<std::uint32_t>(seconds);
    std::ofstream f(file, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4); u32(36 + frames * 4); f.write("WAVEfmt ", 8); u32(16); u16(1); u16(2);
    u32(rate); u32(rate * 4); u16(4); u16(16); f.write("data", 4); u32(frames * 4);
    std::vector<std::int16_t> buf(2 * rate);
    for (std::uint32_t s = 0; s < static_cast<std::uint32_t>(seconds); ++s) {
      for (std::uint32_t i = 0; i < rate; ++i) {
        double t = static_cast<double>(i) / rate;
        buf[2 * i] = static_cast<std::int16_t>(std::lround(amp * 32767 * std::sin(2 * std::numbers::pi * leftHz * t)));
        buf[2 * i + 1] = static_cast<std::int16_t>(std::lround(amp * 32767 * std::sin(2 * std::numbers::pi * rightHz * t)));
      }
      f.write(reinterpret_cast<const char*>(buf.data()), static_cast<std::streamsize>(buf.size() * 2));
    }
    f.close();
    std::vector<std::string> args = {"paplay", "-d", "nullsink", "--latency-msec=50", file};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&FPid, "paplay", nullptr, nullptr, argv.data(), environ) != 0) FPid = 0;
  }
  ~TFeeder() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }
  bool Running() const { return FPid > 0; }

 private:
  pid_t FPid = 0;
};

// Relative power of frequency hz in samples (Goertzel), normalised by the sample count.
inline double Goertzel(const std::vector<double>& x, double hz, double rate) {
  double k = 2 * std::cos(2 * std::numbers::pi * hz / rate), s1 = 0, s2 = 0;
  for (double v : x) {
    double s0 = v + k * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  double p = s1 * s1 + s2 * s2 - k * s1 * s2;
  return p / (static_cast<double>(x.size()) * static_cast<double>(x.size()));
}

// One channel of interleaved PCM as doubles in -1..1 (8-bit unsigned or 16-bit signed).
inline std::vector<double> Channel(const std::vector<char>& pcm, int channels, int bits, int ch) {
  std::vector<double> out;
  size_t step = static_cast<size_t>(channels * bits / 8);
  for (size_t i = static_cast<size_t>(ch * bits / 8); i + bits / 8 <= pcm.size(); i += step) {
    if (bits == 8) out.push_back((static_cast<unsigned char>(pcm[i]) - 128) / 128.0);
    else out.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(pcm[i]) |
                                                (static_cast<unsigned char>(pcm[i + 1]) << 8)) / 32768.0);
  }
  return out;
}

}  // namespace tone
