#include "tests/support/ToneAnalysis.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/TestSupport.h"

namespace testsupport {

namespace {
std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at) { return std::uint16_t(b[at] | (b[at + 1] << 8)); }
}  // namespace

bool ReadWave(const std::string& path, WaveData& out, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  out = WaveData{};
  out.FileSize = b.size();
  if (b.size() < 44) return why = "shorter than a header", false;
  if (std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return why = "not RIFF/WAVE", false;
  out.RiffSize = U32(b, 4);
  size_t pos = 12;
  bool fmt = false;
  while (pos + 8 <= b.size()) {
    std::string id(b.begin() + pos, b.begin() + pos + 4);
    std::uint32_t size = U32(b, pos + 4);
    size_t body = pos + 8;
    if (id == "fmt ") {
      if (body + 16 > b.size()) return why = "truncated fmt", false;
      if (U16(b, body) != 1) return why = "not PCM", false;
      out.Channels = U16(b, body + 2);
      out.SampleRate = int(U32(b, body + 4));
      out.BitsPerSample = U16(b, body + 14);
      fmt = true;
    } else if (id == "data") {
      if (!fmt) return why = "data before fmt", false;
      out.DataSize = size;
      if (body + size > b.size()) return why = "data chunk longer than the file", false;
      int bytes = out.BitsPerSample / 8;
      if (bytes < 1 || out.Channels < 1) return why = "bad format", false;
      size_t frames = size / (bytes * out.Channels);
      out.Samples.assign(out.Channels, std::vector<double>(frames));
      for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < out.Channels; ++c) {
          size_t at = body + (f * out.Channels + c) * bytes;
          out.Samples[c][f] = bytes == 1 ? (b[at] - 128) / 128.0 : std::int16_t(U16(b, at)) / 32768.0;
        }
      return true;
    }
    pos = body + size + (size & 1);
  }
  return why = "no data chunk", false;
}

std::vector<double> PcmChannel(const std::vector<char>& pcm, int channels, int bits, int channel) {
  std::vector<double> out;
  const size_t bytes = size_t(bits / 8), step = size_t(channels) * bytes;
  for (size_t i = size_t(channel) * bytes; i + bytes <= pcm.size(); i += step) {
    const auto lo = static_cast<unsigned char>(pcm[i]);
    if (bytes == 1) out.push_back((lo - 128) / 128.0);
    else out.push_back(std::int16_t(lo | (static_cast<unsigned char>(pcm[i + 1]) << 8)) / 32768.0);
  }
  return out;
}

bool PulseExpected() { return std::getenv("CORVALE_TEST_PULSE") || std::getenv("CI"); }

double TonePower(const std::vector<double>& x, int rate, double f) {
  if (x.empty() || rate <= 0) return 0;
  const double w = 2 * M_PI * f / rate, coeff = 2 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (double v : x) {
    double s = v + coeff * s1 - s2;
    s2 = s1;
    s1 = s;
  }
  return (s1 * s1 + s2 * s2 - coeff * s1 * s2) / (double(x.size()) * x.size());
}

ToneFeeder::ToneFeeder() {
  if (!std::getenv("PULSE_SERVER")) return;
  std::string file = MakeTempDir("tone") + "/tone.wav";
  std::string cmd = "sox -n -r 44100 -c 2 -b 16 '" + file + "' synth 12 sine 440 sine 1000 vol 0.5 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return;
  pid_t pid = fork();
  if (pid == 0) {
    execlp("paplay", "paplay", "-d", "nullsink", file.c_str(), (char*)nullptr);
    _exit(127);
  }
  FPid = pid;
  usleep(300 * 1000);  // let the stream start before anyone records
}

ToneFeeder::~ToneFeeder() {
  if (FPid > 0) {
    kill(FPid, SIGTERM);
    waitpid(FPid, nullptr, 0);
  }
}

}  // namespace testsupport
