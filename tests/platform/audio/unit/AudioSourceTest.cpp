#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio/Audio.h"

TEST(AudioFormat, SupportedFormatsAndSizes) {
  for (int ch : {1, 2})
    for (int bits : {8, 16})
      for (int rate : {11025, 22050, 44100}) {
        TAudioFormat f{ch, rate, bits};
        EXPECT_TRUE(IsSupportedFormat(f));
        EXPECT_EQ(f.BlockAlign(), ch * bits / 8);
        EXPECT_EQ(f.BytesPerSec(), ch * bits / 8 * rate);
      }
  EXPECT_FALSE(IsSupportedFormat({3, 22050, 16}));
  EXPECT_FALSE(IsSupportedFormat({0, 22050, 16}));
  EXPECT_FALSE(IsSupportedFormat({2, 22050, 12}));
  EXPECT_FALSE(IsSupportedFormat({2, 100, 16}));
}

TEST(SyntheticSource, DeliversTheComputedSamplesAcrossReadsAndEnds) {
  TSyntheticSignal sig;
  sig.LeftHz = 440;
  sig.RightHz = 1000;
  sig.TotalFrames = 30000;  // crosses the one-second period at 22050
  TAudioFormat fmt{2, 22050, 16};
  auto src = CreateSyntheticAudioSource(sig);
  ASSERT_EQ(src->Open(fmt), MMSYSERR_NOERROR);
  std::vector<char> all;
  char buf[4099];  // not a whole number of frames: reads must stay frame-aligned
  for (;;) {
    long n = src->Read(buf, sizeof buf, 100);
    if (n < 0) break;
    ASSERT_EQ(n % 4, 0);
    all.insert(all.end(), buf, buf + n);
  }
  ASSERT_EQ(all.size(), 30000u * 4);
  for (std::uint64_t fr : {0ull, 1ull, 22049ull, 22050ull, 22051ull, 29999ull})
    for (int c = 0; c < 2; ++c) {
      auto lo = static_cast<unsigned char>(all[fr * 4 + c * 2]);
      auto hi = static_cast<signed char>(all[fr * 4 + c * 2 + 1]);
      EXPECT_EQ(lo | (hi * 256), SyntheticSample(sig, fmt, fr, c)) << fr << "/" << c;
    }
  // The two channels differ (different tones) and 16-bit samples reach their amplitude.
  int peak = 0;
  for (std::uint64_t fr = 0; fr < 22050; ++fr) peak = std::max(peak, SyntheticSample(sig, fmt, fr, 0));
  EXPECT_NEAR(peak, 16384, 20);
  EXPECT_NE(SyntheticSample(sig, fmt, 5, 0), SyntheticSample(sig, fmt, 5, 1));
}

TEST(SyntheticSource, EightBitIsUnsignedAroundMidpoint) {
  TSyntheticSignal sig;
  TAudioFormat fmt{1, 11025, 8};
  EXPECT_EQ(SyntheticSample(sig, fmt, 0, 0), 128);
  int lo = 255, hi = 0;
  for (std::uint64_t fr = 0; fr < 11025; ++fr) {
    int v = SyntheticSample(sig, fmt, fr, 0);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_NEAR(hi, 128 + 64, 1);
  EXPECT_NEAR(lo, 128 - 64, 1);
  auto src = CreateSyntheticAudioSource(sig);
  EXPECT_EQ(src->Open({2, 22050, 12}), WAVERR_BADFORMAT);
}

TEST(SyntheticSource, RealTimeDeliversNoMoreThanTheClockAllows) {
  TSyntheticSignal sig;
  sig.RealTime = true;
  TAudioFormat fmt{1, 11025, 16};
  auto src = CreateSyntheticAudioSource(sig);
  ASSERT_EQ(src->Open(fmt), MMSYSERR_NOERROR);
  std::vector<char> buf(11025 * 2 * 4);
  auto t0 = std::chrono::steady_clock::now();
  long n = src->Read(buf.data(), buf.size(), 200);
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ASSERT_GE(n, 0);
  // Never more than elapsed time's worth (plus a frame of slack), never the 4 s asked for.
  EXPECT_LE(n, static_cast<long>((elapsed + 0.05) * 11025 * 2) + 2);
  EXPECT_LT(n, static_cast<long>(buf.size()));
}

TEST(SourceFactory, ReplacesAndRestoresTheDefault) {
  int made = 0;
  SetAudioSourceFactory([&] {
    ++made;
    return CreateSyntheticAudioSource({});
  });
  auto a = CreateAudioSource();
  EXPECT_EQ(made, 1);
  EXPECT_EQ(a->Open({1, 8000, 8}), MMSYSERR_NOERROR);
  SetAudioSourceFactory(nullptr);
  auto b = CreateAudioSource();
  EXPECT_EQ(made, 1);
  EXPECT_NE(b, nullptr);
}

// With no server at the address the calls fail at once with the classic codes.
TEST(NoSoundServer, CaptureAndVolumeFailFast) {
  std::string old = std::getenv("PULSE_SERVER") ? std::getenv("PULSE_SERVER") : "";
  setenv("PULSE_SERVER", "unix:/nonexistent/corvale-no-server.sock", 1);
  auto t0 = std::chrono::steady_clock::now();
  auto src = CreatePulseAudioSource();
  EXPECT_EQ(src->Open({2, 22050, 16}), MMSYSERR_NODRIVER);
  char buf[64];
  EXPECT_EQ(src->Read(buf, sizeof buf, 10), 0);
  src->Close();
  DWORD v = 0x12345678;
  EXPECT_EQ(waveOutGetVolume(0, &v), MMSYSERR_NODRIVER);
  EXPECT_EQ(v, 0x12345678u);
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFF0000u), MMSYSERR_NODRIVER);
  EXPECT_EQ(waveOutGetVolume(1, &v), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutSetVolume(3, 0), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutGetVolume(0, nullptr), MMSYSERR_INVALPARAM);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 10.0);
  if (old.empty()) unsetenv("PULSE_SERVER"); else setenv("PULSE_SERVER", old.c_str(), 1);
}
