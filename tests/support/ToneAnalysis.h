#pragma once
// Reading recorded wave files and measuring tones in them (Goertzel), and feeding a
// known stereo signal into the test sound server.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct WaveData {
  int Channels = 0;
  int BitsPerSample = 0;
  int SampleRate = 0;
  std::uint32_t RiffSize = 0;
  std::uint32_t DataSize = 0;
  std::uint64_t FileSize = 0;
  // Samples per channel, scaled to -1..1.
  std::vector<std::vector<double>> Samples;
};

// Parses a canonical RIFF/WAVE PCM file; false with a reason when it is not one.
bool ReadWave(const std::string& path, WaveData& out, std::string& why);
// One channel of interleaved PCM (8-bit unsigned or 16-bit signed) scaled to -1..1.
std::vector<double> PcmChannel(const std::vector<char>& pcm, int channels, int bits, int channel);
// Relative power of a frequency in a signal (Goertzel over the whole block).
double TonePower(const std::vector<double>& signal, int sampleRate, double frequency);

// e2e tests run wherever the test daemon was started, and always under CI.
bool PulseExpected();

// Plays a 12 s tone (left 440 Hz, right 1000 Hz) into the test daemon's null sink,
// in the background; stops it on destruction. Active() is false without a daemon.
class ToneFeeder {
 public:
  ToneFeeder();
  ~ToneFeeder();
  bool Active() const { return FPid > 0; }

 private:
  int FPid = -1;
};

}  // namespace testsupport
