#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/audio/Audio.h"
#include "tests/support/ToneAnalysis.h"
#include "tests/support/TestSupport.h"

using testsupport::PcmChannel;
using testsupport::TonePower;

namespace {
#define SKIP_WITHOUT_PULSE() \
  if (!testsupport::PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)"

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
  testsupport::ToneFeeder feed;
  ASSERT_TRUE(feed.Active());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  for (TAudioFormat fmt : {TAudioFormat{2, 22050, 16}, TAudioFormat{2, 11025, 8}}) {
    auto pcm = Capture(fmt, 1.0);
    ASSERT_GE(pcm.size(), static_cast<size_t>(fmt.BytesPerSec() * 0.9));
    auto l = PcmChannel(pcm, 2, fmt.BitsPerSample, 0), r = PcmChannel(pcm, 2, fmt.BitsPerSample, 1);
    double l440 = TonePower(l, fmt.SamplesPerSec, 440), l1k = TonePower(l, fmt.SamplesPerSec, 1000);
    double r440 = TonePower(r, fmt.SamplesPerSec, 440), r1k = TonePower(r, fmt.SamplesPerSec, 1000);
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
  testsupport::ToneFeeder feed;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  auto pcm = Capture({2, 22050, 16}, 1.0);
  auto l = PcmChannel(pcm, 2, 16, 0), r = PcmChannel(pcm, 2, 16, 1);
  double l440 = TonePower(l, 22050, 440), r1k = TonePower(r, 22050, 1000);
  EXPECT_GT(l440, 10 * r1k);
  EXPECT_GT(r1k, 0.0);
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
}

// A sink channel above normal volume reads as full; writing back the word it read keeps
// its exact volume, so changing one channel leaves the other alone.
TEST(PulseVolume, AChannelWrittenAsReadKeepsAVolumeAboveNormal) {
  SKIP_WITHOUT_PULSE();
  auto volumes = [] {
    std::string text;
    if (FILE* p = ::popen("pactl get-sink-volume nullsink 2>/dev/null", "r")) {
      char buf[256];
      while (std::fgets(buf, sizeof buf, p)) text += buf;
      ::pclose(p);
    }
    auto raw = [&text](const std::string& channel) {
      auto at = text.find(channel + ":");
      return at == std::string::npos ? -1L : std::strtol(text.c_str() + at + channel.size() + 1, nullptr, 10);
    };
    return std::pair<long, long>{raw("front-left"), raw("front-right")};
  };
  ASSERT_EQ(std::system("pactl set-sink-volume nullsink 130% 90% >/dev/null 2>&1"), 0);
  const long left = volumes().first;
  ASSERT_GT(left, 65536);
  DWORD v = 0;
  ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v & 0xFFFF, 0xFFFFu);
  ASSERT_EQ(waveOutSetVolume(0, (v & 0xFFFF) | (0x1200u << 16)), MMSYSERR_NOERROR);
  EXPECT_EQ(volumes().first, left);
  // The same right word again changes nothing, to the last step.
  long rightNow = volumes().second;
  ASSERT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutSetVolume(0, v), MMSYSERR_NOERROR);
  EXPECT_EQ(volumes(), (std::pair<long, long>{left, rightNow}));
  // A different word does set the channel: full is 100 %, not 130 %.
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFE | (0x1200u << 16)), MMSYSERR_NOERROR);
  EXPECT_LT(volumes().first, 65536);
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
}
