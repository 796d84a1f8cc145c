// The whole program path against the test sound server: click record, sing (a known
// stereo tone), click stop, and measure Temp.wav.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "app/Unt_main.h"
#include "skin/controls/SkinButton.h"
#include "framework/controls/Label.h"
#include "skin/controls/SkinRadioGroup.h"
#include "framework/controls/TrackBar.h"
#include "framework/windows/Application.h"
#include "platform/audio/Audio.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace {

struct Format {
  int ssd, syz, spl;
  int channels, bits, rate;
};

void RegisterOnce() {
  static bool registered = false;
  if (!registered) {
    Application_Initialize();
    RegisterProgramClasses();
    registered = true;
  }
}

// The program's classes, a fresh profile folder and the test sound server.
class WithSoundServer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("PULSE_SERVER")) {
      if (std::getenv("CI")) FAIL() << "the test sound server is not running";
      GTEST_SKIP() << "no test sound server";
    }
    RegisterOnce();
    setenv("XDG_CONFIG_HOME", testsupport::MakeTempDir("profile").c_str(), 1);
  }
};

class RecordingEndToEnd : public WithSoundServer, public ::testing::WithParamInterface<Format> {
 protected:
  void SetUp() override {
    WithSoundServer::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // Both channels at full volume, whatever an earlier test left behind.
    ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), 0u);
    Application->SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned) {
      boxes.push_back(text + "/" + caption);
      return 1;
    });
    form = new TForm1(Application);
  }
  void TearDown() override {
    delete form;
    Application->SetMessageBoxHook(nullptr);
  }
  TForm1* form = nullptr;
  std::vector<std::string> boxes;
};

TEST_P(RecordingEndToEnd, RecordsEachChannelsOwnToneForTheTimeRecorded) {
  const Format f = GetParam();
  testsupport::ToneFeeder tone;
  ASSERT_TRUE(tone.Active());
  form->ssd->SetItemIndex(f.ssd);
  form->syz->SetItemIndex(f.syz);
  form->spl->SetItemIndex(f.spl);
  form->Btstart->Click();
  // Capture runs from here: the click returns once the input stream has started, which
  // takes a varying while on a busy machine.
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(boxes.empty()) << boxes[0];
  ASSERT_TRUE(form->Btstop->Enabled());
  testsupport::Pump(2000);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  form->Btstop->Click();
  ASSERT_EQ(boxes, std::vector<std::string>{"声音录制完毕!/信息"});

  testsupport::WaveData w;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(TForm1::RecordingPath(), w, why)) << why;
  EXPECT_EQ(w.Channels, f.channels);
  EXPECT_EQ(w.BitsPerSample, f.bits);
  EXPECT_EQ(w.SampleRate, f.rate);
  EXPECT_EQ(w.RiffSize, w.FileSize - 8);
  double recorded = double(w.Samples[0].size()) / f.rate;
  EXPECT_NEAR(recorded, seconds, seconds * 0.10);
  // Skip the first 0.3 s (stream start) and measure both tones in each channel.
  for (int c = 0; c < w.Channels; ++c) {
    std::vector<double> s(w.Samples[c].begin() + std::min<size_t>(w.Samples[c].size(), f.rate * 3 / 10),
                          w.Samples[c].end());
    double p440 = testsupport::TonePower(s, f.rate, 440), p1000 = testsupport::TonePower(s, f.rate, 1000);
    SCOPED_TRACE(testing::Message() << "channel " << c << " 440: " << p440 << " 1000: " << p1000);
    if (w.Channels == 1) {
      EXPECT_GT(p440, 1e-4);
      EXPECT_GT(p1000, 1e-4);
    } else if (c == 0) {
      EXPECT_GT(p440, 1e-4);
      EXPECT_GT(p440, 50 * p1000);
    } else {
      EXPECT_GT(p1000, 1e-4);
      EXPECT_GT(p1000, 50 * p440);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RecordingEndToEnd,
                         ::testing::Values(Format{0, 0, 0, 1, 8, 11025}, Format{0, 0, 1, 1, 8, 22050},
                                           Format{0, 0, 2, 1, 8, 44100}, Format{0, 1, 0, 1, 16, 11025},
                                           Format{0, 1, 1, 1, 16, 22050}, Format{0, 1, 2, 1, 16, 44100},
                                           Format{1, 0, 0, 2, 8, 11025}, Format{1, 0, 1, 2, 8, 22050},
                                           Format{1, 0, 2, 2, 8, 44100}, Format{1, 1, 0, 2, 16, 11025},
                                           Format{1, 1, 1, 2, 16, 22050}, Format{1, 1, 2, 2, 16, 44100}),
                         [](const ::testing::TestParamInfo<Format>& i) {
                           return std::to_string(i.param.channels) + "ch" + std::to_string(i.param.bits) + "bit" +
                                  std::to_string(i.param.rate);
                         });

TEST(RecordingFailures, NoSoundServerMeansTheStartFailsAndTheWindowStaysIdle) {
  RegisterOnce();
  const char* saved = std::getenv("PULSE_SERVER");
  std::string keep = saved ? saved : "";
  setenv("PULSE_SERVER", "unix:/nonexistent/corvale-no-server", 1);
  std::vector<std::string> boxes;
  Application->SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned) {
    boxes.push_back(text + "/" + caption);
    return 1;
  });
  auto* form = new TForm1(Application);
  form->Btstart->Click();
  EXPECT_EQ(boxes, std::vector<std::string>{"媒体设备初始化失败！/错误"});
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  delete form;
  Application->SetMessageBoxHook(nullptr);
  if (saved)
    setenv("PULSE_SERVER", keep.c_str(), 1);
  else
    unsetenv("PULSE_SERVER");
}

using OutputVolume = WithSoundServer;

TEST_F(OutputVolume, TheSliderSetsTheRightChannelAndKeepsTheLeft) {
  auto* form = new TForm1(Application);
  ASSERT_EQ(waveOutSetVolume(0, 0x8000 | (0xFFFFu << 16)), 0u);
  form->TrackBar1->SetPosition(255);
  DWORD v = 0;
  ASSERT_EQ(waveOutGetVolume(0, &v), 0u);
  EXPECT_NEAR(double(v >> 16), 0xFF00, 2);
  EXPECT_NEAR(double(v & 0xFFFF), 0x8000, 2);
  form->TrackBar1->SetPosition(0);
  ASSERT_EQ(waveOutGetVolume(0, &v), 0u);
  EXPECT_EQ(v >> 16, 0u);
  EXPECT_NEAR(double(v & 0xFFFF), 0x8000, 2);
  form->TrackBar1->SetPosition(1);
  ASSERT_EQ(waveOutGetVolume(0, &v), 0u);
  EXPECT_NEAR(double(v >> 16), 0x0100, 2);
  delete form;
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), 0u);
}

}  // namespace
