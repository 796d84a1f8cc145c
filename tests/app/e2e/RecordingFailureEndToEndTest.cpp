// The program against real trouble: the sound server dies mid-take, Temp.wav cannot be
// replaced at stop, and the sink's left channel stands above normal volume.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/Unt_main.h"
#include "skin/controls/SkinButton.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "platform/audio/Audio.h"
#include "tests/app/e2e/PrivateSoundServer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace fs = std::filesystem;

namespace {
std::string Run(const std::string& cmd) {
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    ::pclose(p);
  }
  return out;
}

// The raw volumes of the shared daemon's null sink, left and right (0 when unreadable).
std::pair<long, long> SinkVolumes() {
  std::string text = Run("pactl get-sink-volume nullsink 2>/dev/null");
  auto raw = [&text](const std::string& channel) {
    auto at = text.find(channel + ":");
    return at == std::string::npos ? 0L : std::strtol(text.c_str() + at + channel.size() + 1, nullptr, 10);
  };
  return {raw("front-left"), raw("front-right")};
}

class RecordingTrouble : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)";
    static bool registered = false;
    if (!registered) {
      Application_Initialize();
      RegisterProgramClasses();
      registered = true;
    }
    setenv("XDG_CONFIG_HOME", testsupport::MakeTempDir("profile").c_str(), 1);
    fs::remove_all(TForm1::RecordingPath());
    Application->SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned) {
      boxes.push_back(text + "/" + caption);
      return 1;
    });
  }
  void TearDown() override {
    delete form;
    Application->SetMessageBoxHook(nullptr);
  }
  TForm1* form = nullptr;
  std::vector<std::string> boxes;
};

// What the saved file must be: a true header over exactly the samples it holds, and
// the 440 Hz tone in the left channel.
void ExpectAWholeTakeOfTheTone(const std::string& path, double minSeconds, double maxSeconds) {
  testsupport::WaveData w;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(path, w, why)) << path << ": " << why;
  EXPECT_EQ(w.Channels, 2);
  EXPECT_EQ(w.BitsPerSample, 16);
  EXPECT_EQ(w.SampleRate, 22050);
  EXPECT_EQ(w.RiffSize, w.FileSize - 8);
  EXPECT_EQ(w.DataSize, w.FileSize - 44);
  double seconds = double(w.Samples[0].size()) / w.SampleRate;
  ::testing::Test::RecordProperty("seconds", std::to_string(seconds));
  EXPECT_GT(seconds, minSeconds);
  EXPECT_LT(seconds, maxSeconds);
  const auto& left = w.Samples[0];
  std::vector<double> s(left.begin() + std::min<size_t>(left.size(), 22050 * 3 / 10), left.end());
  double p440 = testsupport::TonePower(s, 22050, 440), p1000 = testsupport::TonePower(s, 22050, 1000);
  EXPECT_GT(p440, 1e-4);
  EXPECT_GT(p440, 50 * p1000);
}
}  // namespace

// The server dies while the user sings: stop says the save went wrong, and Temp.wav is
// a complete wave file of everything that came before.
TEST_F(RecordingTrouble, ASoundServerThatGoesAwayMidTakeIsReportedAndTheTakeKept) {
  e2etest::TPrivateSoundServer server;
  ASSERT_TRUE(server.Up());
  form = new TForm1(Application);
  auto t0 = std::chrono::steady_clock::now();
  form->Btstart->Click();
  ASSERT_TRUE(boxes.empty()) << boxes[0];
  ASSERT_TRUE(form->Btstop->Enabled());
  testsupport::Pump(1500);
  server.Kill();
  double killedAt = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  testsupport::Pump(1500);
  form->Btstop->Click();
  EXPECT_EQ(boxes, std::vector<std::string>{"保存声音文件出错!/错误"});
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  // The source may deliver a little ahead of the clock; nothing after the kill counts.
  ExpectAWholeTakeOfTheTone(TForm1::RecordingPath(), 0.8, killedAt + 0.5);
}

// Temp.wav is taken over by a folder during the take, so the save fails: the take is
// rescued under a new name beside it.
TEST_F(RecordingTrouble, ATakeThatCannotBeSavedIsRescuedBesideTemp) {
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), 0u);
  const std::string exeDir = ExtractFilePath(TForm1::RecordingPath());
  auto rescued = [&] {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(exeDir)) {
      std::string n = e.path().filename().string();
      if (n.rfind("Temp-", 0) == 0 && e.path().extension() == ".wav") names.insert(e.path().string());
    }
    return names;
  };
  const auto before = rescued();
  testsupport::ToneFeeder tone;
  ASSERT_TRUE(tone.Active());
  form = new TForm1(Application);
  form->Btstart->Click();
  ASSERT_TRUE(boxes.empty()) << boxes[0];
  testsupport::Pump(1500);
  fs::remove(TForm1::RecordingPath());
  fs::create_directory(TForm1::RecordingPath());
  std::ofstream(TForm1::RecordingPath() + "/keep") << "keep";
  form->Btstop->Click();
  EXPECT_EQ(boxes, std::vector<std::string>{"保存声音文件出错!/错误"});
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  EXPECT_TRUE(fs::exists(TForm1::RecordingPath() + "/keep"));
  std::vector<std::string> added;
  for (const auto& n : rescued())
    if (!before.count(n)) added.push_back(n);
  ASSERT_EQ(added.size(), 1u);
  ExpectAWholeTakeOfTheTone(added[0], 1.2, 3.0);
  fs::remove(added[0]);
  fs::remove_all(TForm1::RecordingPath());
}

// The slider changes the right channel only: a left channel at 130 % stays there.
TEST_F(RecordingTrouble, TheSliderKeepsALeftChannelAboveNormalVolume) {
  ASSERT_EQ(std::system("pactl set-sink-volume nullsink 130% 90% >/dev/null 2>&1"), 0);
  const auto [left, right] = SinkVolumes();
  ASSERT_GT(left, 65536);  // above normal volume
  ASSERT_LT(right, 65536);
  form = new TForm1(Application);
  form->TrackBar1->SetPosition(255);
  auto [l1, r1] = SinkVolumes();
  EXPECT_EQ(l1, left);
  EXPECT_NEAR(double(r1), 65536.0 * 0xFF00 / 0xFFFF, 2);
  form->TrackBar1->SetPosition(0);
  auto [l2, r2] = SinkVolumes();
  EXPECT_EQ(l2, left);
  EXPECT_EQ(r2, 0);
  EXPECT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), 0u);
}
