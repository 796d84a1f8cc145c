// Playing a 30 s 640x480 video into the 465x433 player: frames drawn against frames in
// the file, and processor time per second of video. The baseline, measured in the same
// run, is ffmpeg decoding the same file to nowhere (what decoding alone costs).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "media/WindowsMediaPlayer.h"

namespace {
constexpr int Seconds = 30;
constexpr int Fps = 30;

const std::string& VideoFile() {
  static std::string path;
  if (path.empty()) {
    std::string dir = "/tmp/corvale-bench-video";
    std::system(("mkdir -p " + dir).c_str());
    path = dir + "/bars640x480.mp4";
    if (!FileExists(path)) {
      std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=" + std::to_string(Fps) +
                        ":duration=" + std::to_string(Seconds) + " -f lavfi -i sine=frequency=440:duration=" +
                        std::to_string(Seconds) +
                        " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest '" + path + "'";
      if (std::system(cmd.c_str()) != 0) std::abort();
    }
  }
  return path;
}

double CpuSeconds(int who) {
  rusage u{};
  getrusage(who, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_DecodeOnlyBaseline(benchmark::State& state) {
  const std::string& file = VideoFile();
  for (auto _ : state) {
    double before = CpuSeconds(RUSAGE_CHILDREN);
    int rc = std::system(("ffmpeg -v error -threads 1 -i '" + file + "' -f null -").c_str());
    if (rc != 0) state.SkipWithError("ffmpeg failed");
    state.counters["cpu_s_per_video_s"] = (CpuSeconds(RUSAGE_CHILDREN) - before) / Seconds;
  }
}

void BM_PlayIntoControl(benchmark::State& state) {
  const std::string& file = VideoFile();
  RegisterWindowsMediaPlayerClass();
  for (auto _ : state) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 640, 480);
    auto* player = new TWindowsMediaPlayer(form);
    player->SetParent(form);
    player->SetBounds(144, 8, 465, 433);
    form->Show();
    bool ended = false;
    player->OnEndOfStream = [&](TObject*, const TWMPEventArgs&) { ended = true; };
    double before = CpuSeconds(RUSAGE_SELF);
    player->SetURL(Utf8ToUtf16(file));
    while (!ended) Application->HandleMessage();
    double cpu = CpuSeconds(RUSAGE_SELF) - before;
    long frames = player->Player()->FramesRendered();
    state.counters["frames_in_file"] = Seconds * Fps;
    state.counters["frames_rendered"] = double(frames);
    state.counters["frames_missing"] = double(Seconds * Fps - frames);
    state.counters["frames_dropped"] = double(player->Player()->FramesDropped());
    state.counters["cpu_s_per_video_s"] = cpu / Seconds;
    delete form;
  }
}
}  // namespace

BENCHMARK(BM_DecodeOnlyBaseline)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PlayIntoControl)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application_Initialize();
  std::setlocale(LC_NUMERIC, "C");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
