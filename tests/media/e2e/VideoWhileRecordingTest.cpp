// A video playing (and being replaced) while a recording runs, against the test sound
// server: the recording is complete and carries the input's tones, and the video's own
// sound reached the default output (its tone is in the capture of the sink's monitor).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "media/MediaPlayer.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/audio/Audio.h"
#include "platform/mci/WaveFile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace {
using testsupport::PulseExpected;

// A bars video whose tone (2500 Hz) is apart from the input's 440 / 1000 Hz.
std::string MakeVideo(const std::string& dir, const std::string& name, const std::string& source) {
  std::string out = dir + "/" + name;
  std::string cmd = "ffmpeg -v error -y -f lavfi -i " + source +
                    ":rate=25:duration=8 -f lavfi -i sine=frequency=2500:duration=8 -c:v libx264 -preset "
                    "ultrafast -pix_fmt yuv420p -c:a aac -shortest '" + out + "'";
  if (std::system(cmd.c_str()) != 0) return "";
  return out;
}
}  // namespace

TEST(VideoWhileRecording, RecordingStaysCompleteWhileVideosPlayAndChange) {
  if (!PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)";
  RegisterWindowsMediaPlayerClass();
  std::string dir = testsupport::MakeTempDir("videorec");
  std::string bars = MakeVideo(dir, "bars.mp4", "smptebars=size=320x240");
  std::string red = MakeVideo(dir, "red.mp4", "color=c=red:size=320x240");
  ASSERT_FALSE(bars.empty());
  ASSERT_FALSE(red.empty());

  ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
  testsupport::ToneFeeder feed;  // left 440 Hz, right 1000 Hz
  ASSERT_TRUE(feed.Active());

  TForm form(nullptr);
  form.SetBounds(0, 0, 640, 480);
  auto* video = new TWindowsMediaPlayer(&form);
  video->SetParent(&form);
  video->SetBounds(144, 8, 465, 433);
  form.Show();

  const TAudioFormat fmt{2, 44100, 16};
  std::string path = dir + "/Temp.wav";
  {
    auto h = MakeWaveHeader(fmt, 0);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(h.data(), 1, h.size(), f);
    std::fclose(f);
  }
  TMediaPlayer recorder(nullptr);
  recorder.SetFileName(path);
  recorder.Open();
  recorder.StartRecording();
  ASSERT_EQ(recorder.Error(), 0u) << recorder.ErrorMessage();
  auto t0 = std::chrono::steady_clock::now();

  // Opened during the recording, then replaced by another while both run.
  video->SetURL(Utf8ToUtf16(bars));
  EXPECT_TRUE(testsupport::WaitUntil([&] { return video->Player()->Position() > 1.5; }, 10000));
  video->SetURL(Utf8ToUtf16(red));
  testsupport::WaitUntil([&] { return video->Player()->FramesRendered() > 0 && video->Player()->Position() > 1.5; },
                         10000);
  testsupport::Pump(500);
  TColor centre = video->Player()->FrameImage().Pixel(232, 216);
  EXPECT_GT(centre & 0xFF, 200) << "the second video is not showing";

  recorder.Stop();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ASSERT_EQ(recorder.Error(), 0u) << recorder.ErrorMessage();
  recorder.Save();
  ASSERT_EQ(recorder.Error(), 0u) << recorder.ErrorMessage();
  recorder.Close();
  video->SetURL(u"");

  testsupport::WaveData wave;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(path, wave, why)) << why;
  EXPECT_EQ(wave.Channels, 2);
  EXPECT_EQ(wave.BitsPerSample, 16);
  EXPECT_EQ(wave.SampleRate, 44100);
  EXPECT_EQ(wave.RiffSize, 36 + wave.DataSize + (wave.DataSize & 1));
  EXPECT_EQ(wave.DataSize % 4, 0u);
  double recorded = double(wave.DataSize) / fmt.BytesPerSec();
  EXPECT_NEAR(recorded, seconds, seconds * 0.1);

  const auto& left = wave.Samples[0];
  const auto& right = wave.Samples[1];
  double l440 = testsupport::TonePower(left, 44100, 440), l1k = testsupport::TonePower(left, 44100, 1000);
  double r440 = testsupport::TonePower(right, 44100, 440), r1k = testsupport::TonePower(right, 44100, 1000);
  EXPECT_GT(l440, 0.005);
  EXPECT_GT(l440, 20 * l1k);
  EXPECT_GT(r1k, 20 * r440);
  // The player's sound went to the default output, in both channels.
  double l2500 = testsupport::TonePower(left, 44100, 2500), r2500 = testsupport::TonePower(right, 44100, 2500);
  std::printf("tone power: input 440 Hz %.4f, 1000 Hz %.4f; video 2500 Hz %.5f / %.5f\n", l440, r1k, l2500, r2500);
  EXPECT_GT(l2500, 1e-4);
  EXPECT_GT(r2500, 1e-4);
}
