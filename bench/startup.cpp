// Start-up of the main window to its first painted frame, against a bare framework
// form of the same size started in the same run:
//  - the shipped window (layout read, empty stored skin, default frame and looks,
//    creation handler, the embedded player created), shown and painted;
//  - the same with the Slate skin loaded from skins/slate.skn as --skin does, the
//    file read and unpacked included;
//  - a bare TForm of 621 x 475, shown and painted (the baseline).
// The aim is under 300 ms. Wall-clock time (the player starts threads of its own),
// best of a few rounds. Counters: ms_ times, x_bare the ratio to the bare form,
// x_of_300ms the ratio to the aim. The application object and the class registry are
// made once before, as the process does before it creates its window.
// Runs on Qt's offscreen platform with a profile folder of its own.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/Unt_main.h"
#include "app/UserSkin.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace {

std::string FindSlate() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  std::string dir = n > 0 ? std::string(buf, size_t(n)) : std::string();
  while (!dir.empty()) {
    dir = dir.substr(0, dir.find_last_of('/'));
    if (FileExists(dir + "/skins/slate.skn")) return dir + "/skins/slate.skn";
    if (dir.find('/') == std::string::npos) break;
  }
  return {};
}

// Shows form and runs the event loop until the form's window has been painted.
bool ShowUntilPainted(TCustomForm* form) {
  bool painted = false;
  TWndMethod saved = form->WindowProc;
  form->WindowProc = [&painted, saved](TMessage& m) {
    if (m.Msg == WM_PAINT || m.Msg == WM_NCPAINT) painted = true;
    saved(m);
  };
  form->Show();
  for (int i = 0; i < 200 && !painted; ++i) Application->ProcessMessages();
  form->WindowProc = saved;
  return painted;
}

double WallSeconds(const std::function<void()>& f) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

bool bareOk = true;
void StartBare() {
  auto* form = new TForm(nullptr);
  form->SetBounds(334, 107, 621, 475);
  form->SetCaption("www.corvale.example   Lirovan");
  bareOk &= ShowUntilPainted(form);
  delete form;
  Application->ProcessMessages();
}

bool mainOk = true;
void StartMain(const std::string& skin) {
  auto* form = new TForm1(nullptr);
  if (!skin.empty()) {
    std::string error;
    mainOk &= LoadUserSkin(form, skin, error);
  }
  mainOk &= ShowUntilPainted(form);
  delete form;
  Application->ProcessMessages();
}

void Startup(benchmark::State& state, bool slate) {
  const std::string skin = slate ? FindSlate() : std::string();
  if (slate && skin.empty()) {
    state.SkipWithError("skins/slate.skn not found");
    return;
  }
  for (auto _ : state) StartMain(skin);
  const double t = WallSeconds([&] { StartMain(skin); });
  const double b = WallSeconds(StartBare);
  if (!mainOk || !bareOk) state.SkipWithError("a window was not painted, or the skin did not load");
  state.counters["ms_startup"] = t * 1e3;
  state.counters["ms_bare_form"] = b * 1e3;
  state.counters["x_bare"] = t / b;
  state.counters["x_of_300ms"] = t / 0.300;
}

void BM_StartupShippedWindow(benchmark::State& state) { Startup(state, false); }
void BM_StartupWithSlateSkin(benchmark::State& state) { Startup(state, true); }

BENCHMARK(BM_StartupShippedWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartupWithSlateSkin)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char folder[] = "/tmp/corvale-bench-startup.XXXXXX";
  if (mkdtemp(folder)) setenv("XDG_CONFIG_HOME", folder, 1);
  Application_Initialize();
  RegisterProgramClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
