// The whole recording path against the test sound server: header file, media player,
// wave device, capture from the null sink's monitor, save, and the saved file measured.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "media/MediaPlayer.h"
#include "platform/audio/Audio.h"
#include "platform/mci/WaveFile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace {
using testsupport::PulseExpected;

void WriteHeader(const std::string& path, const TAudioFormat& fmt) {
  auto h = MakeWaveHeader(fmt, 0);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(h.data(), 1, h.size(), f);
  std::fclose(f);
}

class RecordingFormat : public ::testing::TestWithParam<TAudioFormat> {};
}  // namespace

TEST_P(RecordingFormat, RecordsTwoSecondsWithEachChannelsOwnTone) {
  if (!PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)";
  const TAudioFormat fmt = GetParam();
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
  testsupport::ToneFeeder feed;  // left 440 Hz, right 1000 Hz
  ASSERT_TRUE(feed.Active());
  std::string path = testsupport::MakeTempDir("e2erec") + "/Temp.wav";
  WriteHeader(path, fmt);

  TMediaPlayer player(nullptr);
  player.SetFileName(path);
  player.Open();
  player.StartRecording();
  ASSERT_EQ(player.Error(), 0u) << player.ErrorMessage();
  auto t0 = std::chrono::steady_clock::now();
  testsupport::Pump(2000);
  player.Stop();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ASSERT_EQ(player.Error(), 0u) << player.ErrorMessage();
  player.Save();
  ASSERT_EQ(player.Error(), 0u) << player.ErrorMessage();
  player.Close();
  ASSERT_EQ(player.Error(), 0u);
  // The record command's notification: the stop aborted it.
  EXPECT_TRUE(testsupport::WaitUntil([&] { return player.NotifyValue() == TMPNotifyValues::nvAborted; }, 2000));

  testsupport::WaveData wave;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(path, wave, why)) << why;
  EXPECT_EQ(wave.Channels, fmt.Channels);
  EXPECT_EQ(wave.BitsPerSample, fmt.BitsPerSample);
  EXPECT_EQ(wave.SampleRate, fmt.SamplesPerSec);
  EXPECT_EQ(wave.DataSize % static_cast<std::uint32_t>(fmt.BlockAlign()), 0u);
  EXPECT_EQ(wave.RiffSize, 36 + wave.DataSize + (wave.DataSize & 1));
  double recorded = double(wave.DataSize) / fmt.BytesPerSec();
  EXPECT_NEAR(recorded, seconds, seconds * 0.1);

  const auto& left = wave.Samples[0];
  double l440 = testsupport::TonePower(left, fmt.SamplesPerSec, 440);
  double l1k = testsupport::TonePower(left, fmt.SamplesPerSec, 1000);
  if (fmt.Channels == 2) {
    const auto& right = wave.Samples[1];
    double r440 = testsupport::TonePower(right, fmt.SamplesPerSec, 440);
    double r1k = testsupport::TonePower(right, fmt.SamplesPerSec, 1000);
    EXPECT_GT(l440, 20 * l1k);
    EXPECT_GT(r1k, 20 * r440);
    EXPECT_GT(l440, 0.005);
  } else {
    // One channel carries the mix of both.
    EXPECT_GT(l440, 0.002);
    EXPECT_GT(l1k, 0.002);
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RecordingFormat,
                         ::testing::Values(TAudioFormat{1, 11025, 8}, TAudioFormat{1, 22050, 8},
                                           TAudioFormat{1, 44100, 8}, TAudioFormat{1, 11025, 16},
                                           TAudioFormat{1, 22050, 16}, TAudioFormat{1, 44100, 16},
                                           TAudioFormat{2, 11025, 8}, TAudioFormat{2, 22050, 8},
                                           TAudioFormat{2, 44100, 8}, TAudioFormat{2, 11025, 16},
                                           TAudioFormat{2, 22050, 16}, TAudioFormat{2, 44100, 16}),
                         [](const auto& info) {
                           const TAudioFormat& f = info.param;
                           return std::to_string(f.Channels) + "ch" + std::to_string(f.BitsPerSample) + "bit" +
                                  std::to_string(f.SamplesPerSec);
                         });

// With no server at the address, the open succeeds (the file is fine) and the record
// command fails with a device error at once; stop, save and close still work.
TEST(RecordingWithoutServer, RecordFailsFastWithAnMciError) {
  std::string old = std::getenv("PULSE_SERVER") ? std::getenv("PULSE_SERVER") : "";
  setenv("PULSE_SERVER", "unix:/nonexistent/corvale-none.sock", 1);
  std::string path = testsupport::MakeTempDir("e2enone") + "/Temp.wav";
  WriteHeader(path, {2, 22050, 16});
  TMediaPlayer player(nullptr);
  player.SetFileName(path);
  auto t0 = std::chrono::steady_clock::now();
  player.Open();
  player.StartRecording();
  EXPECT_EQ(player.Error(), MCIERR_WAVE_INPUTSUNSUITABLE);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 10.0);
  player.Stop();
  player.Save();
  EXPECT_EQ(player.Error(), 0u);
  player.Close();
  TWaveFileInfo info = ReadWaveFileInfo(path);
  EXPECT_EQ(info.DataSize, 0u);
  if (old.empty()) unsetenv("PULSE_SERVER"); else setenv("PULSE_SERVER", old.c_str(), 1);
}
