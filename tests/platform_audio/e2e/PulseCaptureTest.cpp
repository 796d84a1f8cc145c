#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/audio/Audio.h"
#include "tests/platform_audio/e2e/ToneFeeder.h"
#include "tests/support/TestSupport.h"

namespace {
// Captures about seconds of sound from the default source in fmt.
std::vector<char> Capture(const TAudioFormat& fmt, double seconds) {
  auto src = CreatePulseAudioSource();
  EXPECT_EQ(src->Open(fmt), MMSYSERR_NOERROR);
  std::vector<char> pcm;
  size_t want = static_cast<size_t>(fmt.BytesPerSec() * seconds);
  std::vector<char> buf(4096);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (pcm.size() < want && std::chrono::steady_clock::now() < deadline) {
    long n = src->Read(buf.data(), buf.size(), 500);
    if (n < 0) break;
    pcm.insert(pcm.end(), buf.begin(), buf.begin() + n);
  }
  src->Close();
  return pcm;
}
}  // namespace

TEST(PulseCapture, StereoChannelsCarryTheirOwnTones) {
  SKIP_WITHOUT_PULSE();
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
  tone::TFeeder feed(testsupport::MakeTempDir("pulsecap"), 440, 1000);
  ASSERT_TRUE(feed.Running());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  for (TAudioFormat fmt : {TAudioFormat{2, 22050, 16}, TAudioFormat{2, 11025, 8}}) {
    auto pcm = Capture(fmt, 1.0);
    ASSERT_GE(pcm.size(), static_cast<size_t>(fmt.BytesPerSec() * 0.9));
    auto l = tone::Channel(pcm, 2, fmt.BitsPerSample, 0), r = tone::Channel(pcm, 2, fmt.BitsPerSample, 1);
    double l440 = tone::Goertzel(l, 440, fmt.SamplesPerSec), l1k = tone::Goertzel(l, 1000, fmt.SamplesPerSec);
    double r440 = tone::Goertzel(r, 440, fmt.SamplesPerSec), r1k = tone::Goertzel(r, 1000, fmt.SamplesPerSec);
    EXPECT_GT(l440, 20 * l1k) << fmt.BitsPerSample;
    EXPECT_GT(r1k, 20 * r440) << fmt.BitsPerSample;
    EXPECT_GT(l440, 0.01);  // amplitude 0.5 gives about 0.0625
  }
}

TEST(PulseVolume, RightChannelWriteKeepsLeftAndIsHeard) {
  SKIP_WITHOUT_PULSE();
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFF | (0xFFFFu << 16)), MMSYSERR_NOERROR);
  DWORD v = 0;
  ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v, 0xFFFFFFFFu);
  // Each word comes back as written, within one step.
  for (DWORD w : {0x00000000u, 0x12345678u, 0xFF00ABCDu, 0x0100FFFFu}) {
    ASSERT_EQ(waveOutSetVolume(0, w), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
    EXPECT_NEAR(double(v & 0xFFFF), double(w & 0xFFFF), 1.0) << std::hex << w;
    EXPECT_NEAR(double(v >> 16), double(w >> 16), 1.0) << std::hex << w;
  }
  // The volume handler's write: the right word from a position, the left as read.
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFF), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutSetVolume(0, (v & 0xFFFF) | (DWORD(64 * 256) << 16)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v & 0xFFFF, 0xFFFFu);
  EXPECT_NEAR(double(v >> 16), 0x4000, 1.0);

  // The monitor carries the sink's output: the right tone is now much quieter.
  tone::TFeeder feed(testsupport::MakeTempDir("pulsevol"), 440, 1000);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  auto pcm = Capture({2, 22050, 16}, 1.0);
  auto l = tone::Channel(pcm, 2, 16, 0), r = tone::Channel(pcm, 2, 16, 1);
  double l440 = tone::Goertzel(l, 440, 22050), r1k = tone::Goertzel(r, 1000, 22050);
  EXPECT_GT(l440, 10 * r1k);
  EXPECT_GT(r1k, 0.0);
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
}
