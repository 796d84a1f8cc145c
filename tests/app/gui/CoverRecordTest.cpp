// The main window keeps a take's video timeline with the take: beside a take rescued
// after a failed save, and an old one goes when the next take has no video; a video
// opened during the take starts it, the next one opened ends it. The real
// wave device records a computed tone in real time; the real player plays a video.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/Unt_main.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/audio/Audio.h"
#include "platform/ole/MediaPlayerControl.h"
#include "skin/controls/SkinButton.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

TEST(CoverRecord, TheTimelineFollowsARescuedTakeAndGoesWithATakeWithoutVideo) {
  Application_Initialize();
  RegisterProgramClasses();
  setenv("XDG_CONFIG_HOME", testsupport::MakeTempDir("cover-profile").c_str(), 1);
  TSyntheticSignal tone;
  tone.RealTime = true;
  SetAudioSourceFactory([tone] { return CreateSyntheticAudioSource(tone); });
  std::vector<std::string> boxes;
  Application->SetMessageBoxHook([&](const std::string& text, const std::string&, unsigned) {
    boxes.push_back(text);
    return 1;
  });
  const std::string dir = testsupport::MakeTempDir("cover-record");
  const std::string video = dir + "/clip.mp4";
  ASSERT_EQ(std::system(("ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=10 -f lavfi -i "
                         "sine=frequency=440:duration=10 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "
                         "-shortest '" + video + "'").c_str()),
            0);
  const std::string take = TForm1::RecordingPath(), folder = ExtractFilePath(take);
  const std::string sidecar = folder + "Temp.cover.json";
  auto rescued = [&](const char* ending) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(folder)) {
      const std::string n = e.path().filename();
      if (n.rfind("Temp-", 0) == 0 && n.size() > std::strlen(ending) && n.substr(n.size() - std::strlen(ending)) == ending)
        found.push_back(e.path());
    }
    return found;
  };
  for (const auto& f : rescued(".wav")) fs::remove(f);
  for (const auto& f : rescued(".cover.json")) fs::remove(f);

  auto* form = new TForm1(Application);
  form->Show();
  form->WindowsMediaPlayer1->SetURL(Utf8ToUtf16(video));
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] { return form->WindowsMediaPlayer1->Player()->PlayState() == mediaplayer::psPlaying; }, 20000));
  form->Btstart->Click();
  ASSERT_TRUE(boxes.empty()) << boxes[0];
  testsupport::Pump(1500);
  // Temp.wav cannot be replaced now: the save fails and the take is rescued beside it.
  fs::remove(take);
  fs::create_directory(take);
  form->Btstop->Click();
  fs::remove(take);
  ASSERT_EQ(boxes, std::vector<std::string>{"保存声音文件出错!"});
  const auto wavs = rescued(".wav"), records = rescued(".cover.json");
  ASSERT_EQ(wavs.size(), 1u);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], wavs[0].substr(0, wavs[0].size() - 4) + ".cover.json");
  nlohmann::json record = nlohmann::json::parse(std::ifstream(records[0]));
  EXPECT_EQ(record["take"]["bytes"].get<std::uint64_t>() + 44, fs::file_size(wavs[0]));
  EXPECT_EQ(record["video"]["path"], video);
  ASSERT_EQ(record["segments"].size(), 1u);
  EXPECT_GT(record["segments"][0]["to"].get<long>() - record["segments"][0]["from"].get<long>(), 22050);
  EXPECT_FALSE(fs::exists(sidecar));

  // A take with the video stopped: no record, and an old one beside Temp.wav goes.
  std::ofstream(sidecar) << "{}";
  form->WindowsMediaPlayer1->SetURL(u"");
  testsupport::Pump(300);
  boxes.clear();
  form->Btstart->Click();
  testsupport::Pump(500);
  form->Btstop->Click();
  EXPECT_EQ(boxes, std::vector<std::string>{"声音录制完毕!"});
  EXPECT_FALSE(fs::exists(sidecar));

  // A video opened a while into the take starts the timeline there; another one opened
  // after it ends the timeline, and the record says why.
  const std::string second = dir + "/second.mp4";
  fs::copy_file(video, second);
  auto playing = [&] { return form->WindowsMediaPlayer1->Player()->PlayState() == mediaplayer::psPlaying; };
  boxes.clear();
  form->Btstart->Click();
  testsupport::Pump(1000);
  form->WindowsMediaPlayer1->SetURL(Utf8ToUtf16(video));
  ASSERT_TRUE(testsupport::WaitUntil(playing, 20000));
  testsupport::Pump(1500);
  form->WindowsMediaPlayer1->SetURL(Utf8ToUtf16(second));
  ASSERT_TRUE(testsupport::WaitUntil(playing, 20000));
  testsupport::Pump(1000);
  form->Btstop->Click();
  EXPECT_EQ(boxes, std::vector<std::string>{"声音录制完毕!"});
  ASSERT_TRUE(fs::exists(sidecar));
  record = nlohmann::json::parse(std::ifstream(sidecar));
  EXPECT_EQ(record["video"]["path"], video);
  EXPECT_EQ(record["end"], "replaced");
  ASSERT_EQ(record["segments"].size(), 1u) << record.dump();
  const double rate = record["take"]["rate"].get<double>();
  const double from = record["segments"][0]["from"].get<double>() / rate,
               to = record["segments"][0]["to"].get<double>() / rate;
  EXPECT_GT(from, 0.9) << record.dump();
  EXPECT_NEAR(to - from, 1.5, 0.7) << record.dump();  // the first video's stretch only
  fs::remove(sidecar);

  delete form;
  for (const auto& f : wavs) fs::remove(f);
  for (const auto& f : records) fs::remove(f);
  SetAudioSourceFactory(nullptr);
  Application->SetMessageBoxHook(nullptr);
}
