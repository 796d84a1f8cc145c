// corvale --export-cover as a user runs it, on a take cut from a test video's own sound
// at a known place, with the take's timeline written here by hand: the cover's sound
// must sit where the picture is, and every bad input must end with status 1 or 2 and a
// clear message, leaving every file as it was.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <nlohmann/json.hpp>

#include "framework/core/SysUtils.h"
#include "tests/app/e2e/CoverAnalysis.h"
#include "tests/support/TestSupport.h"

using namespace coveranalysis;
using nlohmann::json;

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The timeline of a take that is the video's sound from videoAt on, as the recorder
// would write it, with the given latencies folded into the position.
json Timeline(const std::string& take, const std::string& video, double videoAt, double input, double output) {
  const std::string wav = ReadAll(take);
  std::size_t at = 12, data = 0, size = 0;
  while (at + 8 <= wav.size()) {
    std::uint32_t n = 0;
    std::memcpy(&n, wav.data() + at + 4, 4);
    if (wav.compare(at, 4, "data") == 0) {
      data = at + 8;
      size = n;
      break;
    }
    at += 8 + n + (n & 1);
  }
  struct stat st {};
  ::stat(video.c_str(), &st);
  const auto head = std::min<std::size_t>(size, 1 << 20);
  const long frames = long(size / 4);
  return {{"corvale-cover", 1},
          {"take",
           {{"channels", 2}, {"bits", 16}, {"rate", 22050}, {"bytes", size},
            {"head-crc32", crc32(0, reinterpret_cast<const Bytef*>(wav.data() + data), uInt(head))}}},
          {"video", {{"path", video}, {"size", st.st_size}, {"mtime-ns", std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec}}},
          {"latency", {{"input", input}, {"output", output}}},
          {"end", "stop"},
          // The player reports the position output seconds ahead of what is heard;
          // the input hands frames over input seconds after they were captured.
          {"segments", json::array({{{"from", 0}, {"to", frames - long(input * 22050)}, {"position", videoAt + output + input}}})},
          {"volume", json::array({{{"frame", 0}, {"right", 65535}}})}};
}

class CoverExport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = testsupport::MakeTempDir("cover-export");
    video = dir + "/clip.mp4";
    ASSERT_TRUE(MakeCountingVideo(video, 14));
    take = dir + "/Take.wav";
    // Six seconds of the video's own sound from 3.3 s on, as a 22050 Hz stereo take.
    ASSERT_EQ(Shell("ffmpeg -v error -y -i '" + video + "' -map 0:a -af atrim=start=3.3:duration=6,asetpts=PTS-STARTPTS"
                    " -ac 2 -ar 22050 -c:a pcm_s16le -fflags +bitexact -map_metadata -1 '" + take + "'"),
              0);
  }
  void Write(const json& j) { std::ofstream(dir + "/Take.cover.json") << j.dump(); }
  static std::string dir, video, take;
};
std::string CoverExport::dir, CoverExport::video, CoverExport::take;

struct Placement {
  const char* Name;
  const char* Out;
  double Input, Output;
  // Matroska has no edit list: the picture starts at the keyframe before (one a second).
  double Lead;
};

TEST_F(CoverExport, TheTakeSitsWhereThePictureIsWhateverTheLatencies) {
  const Placement cases[] = {
      {"no latency", "a.mp4", 0, 0, 0},
      {"both latencies", "b.mp4", 0.040, 0.120, 0},
      {"in Matroska", "c.mkv", 0.010, 0.030, 1.0},
  };
  const auto original = DecodeSound(video);
  for (const Placement& c : cases) {
    SCOPED_TRACE(c.Name);
    Write(Timeline(take, video, 3.3, c.Input, c.Output));
    const std::string out = dir + "/" + c.Out;
    std::string messages;
    ASSERT_EQ(Export(out, "--take '" + take + "' --backing none", &messages), 0) << messages;
    EXPECT_NE(messages.find("copied"), std::string::npos) << messages;
    const double start = PictureStart(out);
    // The first of the video's pictures (one each 40 ms) at or after the timeline's start.
    EXPECT_GE(start, 3.3 + c.Input - 0.001 - c.Lead);
    EXPECT_LT(start, 3.3 + c.Input + 0.040);
    EXPECT_NEAR(Offset(DecodeSound(out), original, start), 0.0, 0.002);
  }
}

TEST_F(CoverExport, BadInputEndsWithAMessageAndLeavesEveryFileAsItWas) {
  const json good = Timeline(take, video, 3.3, 0, 0);
  const std::string sidecar = dir + "/Take.cover.json";
  const std::string videoBytes = ReadAll(video), takeBytes = ReadAll(take);
  struct Case {
    const char* Name;
    std::function<void()> Prepare;
    std::string Args;
    int Status;
    const char* Says;
  };
  const std::string out = dir + "/out.mp4";
  const std::string takeArg = " --take '" + take + "'";
  auto writeJson = [&](json j) { return [this, j] { Write(j); }; };
  auto modified = [&](const char* path, json value) {
    json j = good;
    j[json::json_pointer(path)] = std::move(value);
    return writeJson(j);
  };
  const std::vector<Case> cases = {
      {"an unknown option", writeJson(good), "'" + out + "' --fast" + takeArg, 2, "unknown option '--fast'"},
      {"an output that is no .mp4 or .mkv", writeJson(good), "'" + dir + "/out.avi'" + takeArg, 2, ".mp4 or .mkv"},
      {"no output", writeJson(good), takeArg, 2, "needs the output"},
      {"an unknown backing", writeJson(good), "'" + out + "' --backing loud" + takeArg, 2, "--backing is one of"},
      {"a gain that is no number", writeJson(good), "'" + out + "' --voice-gain loud" + takeArg, 2, "decibels"},
      {"no take", writeJson(good), "'" + out + "' --take '" + dir + "/none.wav'", 1, "no take at"},
      {"no timeline", [&] { std::remove(sidecar.c_str()); }, "'" + out + "'" + takeArg, 1, "has no video timeline"},
      {"a timeline that is no JSON", [&] { std::ofstream(sidecar) << "{\"corvale-cover\": 1, \"take\": {"; },
       "'" + out + "'" + takeArg, 1, "not JSON"},
      {"a JSON file of someone else", [&] { std::ofstream(sidecar) << "{\"name\": \"x\"}"; }, "'" + out + "'" + takeArg,
       1, "not a Corvale cover record"},
      {"a later version", modified("/corvale-cover", 2), "'" + out + "'" + takeArg, 1, "newer"},
      {"a segment running backwards", modified("/segments/0/to", -5), "'" + out + "'" + takeArg, 1,
       "segments[0].to is out of range"},
      {"the timeline of another take", modified("/take/head-crc32", 12345), "'" + out + "'" + takeArg, 1,
       "belongs to another take"},
      {"a take of another format", modified("/take/rate", 44100), "'" + out + "'" + takeArg, 1,
       "belong to different takes"},
      {"the video gone", modified("/video/path", dir + "/gone.mp4"), "'" + out + "'" + takeArg, 1, "is gone"},
      {"the video changed", modified("/video/size", good["video"]["size"].get<long>() + 1), "'" + out + "'" + takeArg,
       1, "has changed since the take"},
      {"the video's own name as the output", writeJson(good), "'" + video + "'" + takeArg, 1,
       "cannot replace its own video"},
      {"an output folder that does not exist", writeJson(good), "'" + dir + "/no/such/out.mp4'" + takeArg, 1,
       "cannot be written"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Prepare();
    std::string messages;
    EXPECT_EQ(Shell("ASAN_OPTIONS=detect_leaks=0 '" + kProgram + "' --export-cover " + c.Args + " 2>&1", &messages),
              c.Status)
        << messages;
    EXPECT_NE(messages.find(c.Says), std::string::npos) << messages;
    EXPECT_FALSE(FileExists(out));
  }
  EXPECT_EQ(ReadAll(video), videoBytes);
  EXPECT_EQ(ReadAll(take), takeBytes);

  // A corrupt video of the same size and time as the one the take was sung over.
  const std::string broken = dir + "/broken.mp4";
  std::ofstream(broken) << std::string(videoBytes.size(), 'x');
  json j = good;
  struct stat st {};
  ::stat(broken.c_str(), &st);
  j["video"] = {{"path", broken}, {"size", st.st_size}, {"mtime-ns", std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec}};
  Write(j);
  std::string messages;
  EXPECT_EQ(Export(out, takeArg, &messages), 1) << messages;
  EXPECT_NE(messages.find("cannot be opened"), std::string::npos) << messages;

  // A take named like a cover, given as the output too.
  const std::string takeMkv = dir + "/take.mkv";
  ::link(take.c_str(), takeMkv.c_str());
  std::ofstream(dir + "/take.cover.json") << good.dump();
  EXPECT_EQ(Export(takeMkv, "--take '" + takeMkv + "'", &messages), 1) << messages;
  EXPECT_NE(messages.find("cannot replace the take"), std::string::npos) << messages;
  EXPECT_EQ(ReadAll(take), takeBytes);

  // A folder the user may not write to; root may write anywhere, so the export runs as
  // "nobody" then.
  Write(good);
  const std::string locked = dir + "/locked";
  ::mkdir(locked.c_str(), 0555);
  ::chmod(locked.c_str(), 0555);
  const std::string log = dir + "/locked.log";
  pid_t pid = ::fork();
  if (pid == 0) {
    std::freopen(log.c_str(), "w", stderr);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
      std::_Exit(126);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::execl(kProgram.c_str(), kProgram.c_str(), "--export-cover", (locked + "/out.mp4").c_str(), "--take",
            take.c_str(), static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1) << ReadAll(log);
  EXPECT_NE(ReadAll(log).find("cannot be written"), std::string::npos) << ReadAll(log);
  EXPECT_TRUE(std::filesystem::is_empty(locked));
}

TEST_F(CoverExport, AFullDiskLeavesNoOutputBehind) {
  Write(Timeline(take, video, 3.3, 0, 0));
  const std::string out = dir + "/full.mp4";
  // A child whose files may not grow past 64 KiB, as on a disk that fills up.
  pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64 << 10, 64 << 10};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string log = dir + "/full.log";
    std::freopen(log.c_str(), "w", stderr);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::execl(kProgram.c_str(), kProgram.c_str(), "--export-cover", out.c_str(), "--take", take.c_str(),
            static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadAll(dir + "/full.log").find("full.mp4 failed"), std::string::npos) << ReadAll(dir + "/full.log");
  EXPECT_FALSE(FileExists(out));
  std::string left;
  Shell("ls -a '" + dir + "' | grep partial", &left);
  EXPECT_EQ(left, "");
}
}  // namespace
