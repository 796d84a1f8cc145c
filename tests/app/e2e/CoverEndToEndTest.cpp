// Covers made end to end: the real program on the test X server plays a video into the
// test sound server's null sink and records that sink's monitor, so the take is the
// video's own sound after the real output and input path. The export must put it back
// where the video's picture is; pauses and seeks made with the X server's pointer and
// keys must show in the cover.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/audio/Audio.h"
#include "tests/app/e2e/CoverAnalysis.h"
#include "tests/app/e2e/RealProgram.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

using e2etest::Shell;
using e2etest::Sleep;
using namespace coveranalysis;

namespace {
class CoverEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("CORVALE_TEST_DISPLAY") || !testsupport::PulseExpected())
      GTEST_SKIP() << "needs the test X server and sound server (scripts/services.sh)";
    dir = testsupport::MakeTempDir("cover");
    ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), 0u);
    std::remove(kSidecar.c_str());
  }
  // Opens video in the real program, records while it plays, and drives the take with
  // during(cx, cy); true when the take was saved with its information box.
  void Take(const std::string& video, double seconds, const std::function<void(e2etest::TRealProgram&, int, int)>& during) {
    e2etest::TRealProgram program(testsupport::MakeTempDir("cover-profile"));
    int cx = 0, cy = 0;
    ASSERT_TRUE(program.FindMainWindow(cx, cy)) << "the program's window did not show";
    Sleep(1000);
    ASSERT_TRUE(program.OpenVideo(cx, cy, video)) << "the open dialog did not take the video";
    Sleep(1500);  // playing
    program.Record(cx, cy);
    if (during) during(program, cx, cy);
    Sleep(int(seconds * 1000));
    ASSERT_TRUE(program.Stop(cx, cy)) << "no information box after stop";
    ASSERT_TRUE(program.Alive());
  }
  std::string dir;
};

TEST_F(CoverEndToEnd, TheVoiceLandsWhereThePictureIsWithinTenMilliseconds) {
  const std::string video = dir + "/sync.mp4";
  ASSERT_TRUE(MakeCountingVideo(video, 14));
  Take(video, 5.0, nullptr);
  std::ifstream sidecar(kSidecar);
  ASSERT_TRUE(sidecar.good()) << "no timeline beside the take";
  nlohmann::json record = nlohmann::json::parse(sidecar);
  ASSERT_EQ(record["segments"].size(), 1u) << record.dump();

  const std::vector<float> original = DecodeSound(video);
  auto measure = [&](const std::string& name, double input, double output) {
    nlohmann::json r = record;
    r["latency"]["input"] = input;
    r["latency"]["output"] = output;
    std::ofstream(kSidecar) << r.dump();
    const std::string cover = dir + "/" + name + ".mp4";
    std::string messages;
    EXPECT_EQ(Export(cover, "--backing none", &messages), 0) << messages;
    const double start = PictureStart(cover);
    return Offset(DecodeSound(cover), original, start);
  };
  const double in = record["latency"]["input"], out = record["latency"]["output"];
  const double none = measure("uncorrected", 0, 0);
  const double inputOnly = measure("input-only", in, 0);
  const double both = measure("corrected", in, out);
  std::ofstream(kSidecar) << record.dump();
  std::printf("latency reported: input %.1f ms, output %.1f ms\n", in * 1000, out * 1000);
  std::printf("cover sound against picture: uncorrected %+.1f ms, input only %+.1f ms, both %+.1f ms\n", none * 1000,
              inputOnly * 1000, both * 1000);
  EXPECT_LE(std::fabs(both), 0.010);

  // The cover as ffprobe sees it, and in the program's own player.
  const std::string cover = dir + "/corrected.mp4";
  std::string probe;
  Shell("ffprobe -v error -show_entries stream=codec_type,codec_name:format=duration -of csv=p=0 '" + cover + "'",
        &probe);
  const double rate = record["take"]["rate"];
  const double span = double(record["segments"][0]["to"].get<long>() - record["segments"][0]["from"].get<long>()) / rate;
  EXPECT_NE(probe.find("h264,video"), std::string::npos) << probe;
  EXPECT_NE(probe.find("aac,audio"), std::string::npos) << probe;
  const double duration = std::stod(probe.substr(probe.rfind('\n', probe.size() - 2) + 1));
  EXPECT_NEAR(duration, span, 0.1) << probe;

  Application_Initialize();
  RegisterWindowsMediaPlayerClass();
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* player = new TWindowsMediaPlayer(&form);
  player->SetParent(&form);
  player->SetBounds(0, 0, 320, 240);
  form.Show();
  player->SetURL(Utf8ToUtf16(cover));
  EXPECT_TRUE(testsupport::WaitUntil(
      [&] { return player->Player()->OpenState() == mediaplayer::osMediaOpen && player->Player()->FramesRendered() > 3; },
      15000));
  EXPECT_NEAR(player->currentMedia().duration, duration, 0.1);
  player->SetURL(u"");
}

// Tone k (400 + 100 k Hz) sounds during second k of the test video.
int ToneAt(const std::vector<float>& s, long from, long len) {
  std::vector<double> w(s.begin() + from, s.begin() + from + len);
  double total = 0;
  for (double v : w) total += v * v;
  if (total / double(len) < 1e-5) return -1;  // silence
  int best = -1;
  double bestPower = 0;
  for (int k = 0; k < 16; ++k)
    if (double p = testsupport::TonePower(w, 44100, 400 + 100 * k); p > bestPower) bestPower = p, best = k;
  return best;
}

TEST_F(CoverEndToEnd, APauseAndASeekInTheTakeShowInTheCover) {
  const std::string video = dir + "/tones.mp4";
  std::string tones;
  for (int k = 0; k < 16; ++k)
    tones += (k ? "+" : "") + std::string("between(t\\,") + std::to_string(k) + "\\," + std::to_string(k + 1) +
             ")*sin(2*PI*" + std::to_string(400 + 100 * k) + "*t)";
  ASSERT_EQ(Shell("ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=16 -f lavfi -i "
                  "\"aevalsrc=0.4*(" + tones + "):s=44100:d=16\" -c:v libx264 -preset ultrafast -pix_fmt yuv420p"
                  " -c:a aac -b:a 192k -shortest '" + video + "'"),
            0);
  // A click on the picture pauses and resumes; Right jumps 5 s on.
  Take(video, 2.0, [](e2etest::TRealProgram& p, int cx, int cy) {
    Sleep(1500);
    p.ClickVideo(cx, cy);
    Sleep(1500);
    p.ClickVideo(cx, cy);
    Sleep(1500);
    p.Key("Right");
  });
  std::ifstream sidecar(kSidecar);
  ASSERT_TRUE(sidecar.good()) << "no timeline beside the take";
  nlohmann::json record = nlohmann::json::parse(sidecar);
  EXPECT_EQ(record["segments"].size(), 3u) << record.dump();

  // The backing alone, placed by the timeline; the voice alone, what was heard.
  std::string messages;
  ASSERT_EQ(Export(dir + "/backing.mkv", "--backing stereo --voice-gain -120", &messages), 0) << messages;
  EXPECT_NE(messages.find("encoded again"), std::string::npos) << messages;
  ASSERT_EQ(Export(dir + "/voice.mkv", "--backing none", &messages), 0) << messages;
  const auto backing = DecodeSound(dir + "/backing.mkv"), voice = DecodeSound(dir + "/voice.mkv");
  ASSERT_GT(backing.size(), 44100u * 4);

  const long window = 4410;
  int agree = 0, compared = 0, silent = 0, jumps = 0, last = -2;
  std::string seen;
  for (long at = 0; at + window <= long(std::min(backing.size(), voice.size())); at += window) {
    const int b = ToneAt(backing, at, window), v = ToneAt(voice, at, window);
    seen += std::to_string(b) + "/" + std::to_string(v) + " ";
    ++compared;
    agree += b == v;
    silent += b == -1;
    if (b >= 0 && last >= 0 && b >= last + 4) ++jumps;
    if (b >= 0) last = b;
  }
  // Windows astride a change may differ; the rest must agree.
  EXPECT_GE(agree, compared * 8 / 10) << seen;
  EXPECT_GE(silent, 10) << "no held silence for the pause: " << seen;
  EXPECT_EQ(jumps, 1) << "no jump of the seek: " << seen;
}

}  // namespace

namespace {
// A take killed outright keeps its timeline with its journal; the next start rescues
// both, and the rescued take makes a cover.
TEST_F(CoverEndToEnd, AKilledTakeKeepsItsTimelineThroughTheRescue) {
  const std::string video = dir + "/killed.mp4";
  ASSERT_TRUE(MakeCountingVideo(video, 14));
  const std::string folder = std::string(CORVALE_BINARY_DIR) + "/";
  auto rescued = [&](const std::string& ending) {
    std::vector<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
      const std::string n = e.path().filename();
      if (n.rfind("Temp-", 0) == 0 && n.size() > ending.size() && n.substr(n.size() - ending.size()) == ending)
        found.push_back(e.path());
    }
    return found;
  };
  for (const auto& f : rescued(".wav")) std::filesystem::remove(f);
  for (const auto& f : rescued(".cover.json")) std::filesystem::remove(f);
  {
    e2etest::TRealProgram program(testsupport::MakeTempDir("cover-profile"));
    int cx = 0, cy = 0;
    ASSERT_TRUE(program.FindMainWindow(cx, cy));
    Sleep(1000);
    ASSERT_TRUE(program.OpenVideo(cx, cy, video));
    Sleep(1500);
    program.Record(cx, cy);
    Sleep(3500);
  }  // killed here, as by SIGKILL
  const std::string journalRecord = folder + ".Temp.wav.recording.cover.json";
  ASSERT_TRUE(std::filesystem::exists(journalRecord)) << "no timeline kept with the journal";
  EXPECT_FALSE(nlohmann::json::parse(std::ifstream(journalRecord))["complete"].get<bool>());
  {
    e2etest::TRealProgram again(testsupport::MakeTempDir("cover-profile"));
    EXPECT_TRUE(again.WaitWindow("信息", 20000)) << "no box about the rescued take";
  }
  const auto wavs = rescued(".wav"), records = rescued(".cover.json");
  ASSERT_EQ(wavs.size(), 1u);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(journalRecord));
  nlohmann::json record = nlohmann::json::parse(std::ifstream(records[0]));
  EXPECT_TRUE(record["complete"].get<bool>());
  EXPECT_EQ(record["take"]["bytes"].get<std::uint64_t>() + 44, std::filesystem::file_size(wavs[0]));
  std::string messages;
  EXPECT_EQ(Export(dir + "/rescued.mp4", "--take '" + wavs[0] + "' --backing none", &messages), 0) << messages;
  const double start = PictureStart(dir + "/rescued.mp4");
  std::printf("rescued take: cover sound against picture %+.1f ms\n",
              1000 * Offset(DecodeSound(dir + "/rescued.mp4"), DecodeSound(video), start));
  for (const auto& f : wavs) std::filesystem::remove(f);
  for (const auto& f : records) std::filesystem::remove(f);
}
}  // namespace
