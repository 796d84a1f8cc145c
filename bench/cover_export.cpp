// Making a cover of a 4-minute 1280x720 H.264 video with a 4-minute take, the video
// stream copied, against the ffmpeg program doing the same job in the same run (the
// picture copied from the same place, the same mix through -filter_complex, AAC at the
// same bit rate). Reported: wall and processor seconds, the ratio to ffmpeg and how
// many times faster than real time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/cover/CoverExport.h"

namespace {
constexpr int Seconds = 240;
constexpr double Start = 0.5;  // mid-stream: the copy starts at the keyframe before
constexpr int BitRate = 192000;
const std::string Dir = "/tmp/corvale-bench-cover";

void Prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  std::system(("mkdir -p " + Dir).c_str());
  const std::string s = std::to_string(Seconds);
  if (::access((Dir + "/video.mp4").c_str(), R_OK) != 0 &&
      std::system(("ffmpeg -v error -y -f lavfi -i testsrc=size=1280x720:rate=25:duration=" + s +
                   " -f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + s +
                   " -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p -c:a aac -b:a 128k -shortest '" + Dir +
                   "/video.mp4'")
                      .c_str()) != 0)
    std::abort();
  if (::access((Dir + "/take.wav").c_str(), R_OK) != 0 &&
      std::system(("ffmpeg -v error -y -f lavfi -i anoisesrc=d=" + s + ":r=44100:a=0.3 -ac 2 -c:a pcm_s16le '" + Dir +
                   "/take.wav'")
                      .c_str()) != 0)
    std::abort();
}

double ChildCpu() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
double SelfCpu() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double FfmpegSeconds = 0;

// The backing as heard (left as is, right at half the slider's volume word, whose
// amplitude is 0.125) plus the take's two channels averaged in the middle.
void BM_FfmpegProgram(benchmark::State& state) {
  Prepare();
  for (auto _ : state) {
    const double cpu = ChildCpu(), t0 = Now();
    const std::string cmd =
        "ffmpeg -v error -y -ss " + std::to_string(Start) + " -i '" + Dir + "/video.mp4' -i '" + Dir +
        "/take.wav' -filter_complex \"[0:a]pan=stereo|c0=c0|c1=0.125*c1[b];[1:a]aresample=48000,"
        "pan=stereo|c0=0.5*c0+0.5*c1|c1=0.5*c0+0.5*c1[v];[b][v]amix=inputs=2:normalize=0:duration=shortest[m]\""
        " -map 0:v -c:v copy -map '[m]' -c:a aac -b:a " + std::to_string(BitRate) + " -t " +
        std::to_string(Seconds - Start) + " '" + Dir + "/ffmpeg.mp4'";
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("ffmpeg failed");
    FfmpegSeconds = Now() - t0;
    state.counters["wall_s"] = FfmpegSeconds;
    state.counters["cpu_s"] = ChildCpu() - cpu;
    state.counters["x_real_time"] = (Seconds - Start) / FfmpegSeconds;
  }
}

void BM_CoverExport(benchmark::State& state) {
  Prepare();
  cover::TJob job;
  job.VideoPath = Dir + "/video.mp4";
  job.TakePath = Dir + "/take.wav";
  job.OutPath = Dir + "/cover.mp4";
  job.Start = Start;
  job.End = Seconds;
  job.Pieces = {{Start, double(Seconds), Start}};
  job.RightGain = {{0, 0.125}};
  job.Backing = cover::TBacking::Heard;
  job.AudioBitRate = BitRate;
  for (auto _ : state) {
    const double cpu = SelfCpu(), t0 = Now();
    cover::TResult r = cover::Export(job);
    const double wall = Now() - t0;
    if (!r.Ok || !r.VideoCopied) state.SkipWithError(r.Ok ? "the video was not copied" : r.Error.c_str());
    state.counters["wall_s"] = wall;
    state.counters["cpu_s"] = SelfCpu() - cpu;
    state.counters["x_real_time"] = r.Duration / wall;
    if (FfmpegSeconds > 0) state.counters["ratio_to_ffmpeg"] = wall / FfmpegSeconds;
  }
}
}  // namespace

BENCHMARK(BM_FfmpegProgram)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_CoverExport)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_MAIN();
