// The skinned form's frame during a size loop, default frame and Slate: each step moves
// the pointer that holds the bottom-right corner by one pixel (the framework's size loop
// sends WM_SIZING and sizes the window; the form rebuilds its geometry, layout and
// window shape) and paints the window now (frame and client background) at about
// 1000 x 700. Baseline, measured in the same run: a plain copy of the window's pixels.
// Aim: under 4 ms a step, so sizing keeps 60 frames a second.
// Counters: ms_step (time per step), x_of_4ms (step / 4 ms), x_copy (step / copy).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/BenchSupport.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/Windows.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"

namespace {

using bench::SecondsPerCall;

// skins/slate.skn from the folder of the program upward.
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

void SizeLoop(benchmark::State& state, bool skinned) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(10, 10, 1000, 700);
  form->SetCaption("A 1000 x 700 form being sized");
  auto* skinForm = new TbsSkinForm(form.get());
  skinForm->SetAlwaysDrawAsActive(true);
  std::unique_ptr<TbsSkinData> skin;
  if (skinned) {
    skin = std::make_unique<TbsSkinData>(nullptr);
    TbsCompressedStoredSkin stored(nullptr);
    const std::string path = FindSlate();
    if (!path.empty()) stored.ReadPackedFile(path);
    skin->LoadFromStoredSkin(&stored);
    if (skin->SkinEmpty) {
      state.SkipWithError("skins/slate.skn not found");
      return;
    }
    skinForm->SetSkinData(skin.get());
  }
  form->Show();
  Application->ProcessMessages();
  if (skinned != skinForm->SkinFrame()) {
    state.SkipWithError("the frame is not drawn as asked");
    return;
  }
  // Press the bottom-right corner (frame coordinates through the client origin).
  const TRect c = form->ClientRectInWindow();
  const int cx = form->Width() - 1 - c.Left, cy = form->Height() - 1 - c.Top;
  SimulateMouse(form.get(), WM_MOUSEMOVE, cx, cy);
  SimulateMouse(form.get(), WM_LBUTTONDOWN, cx, cy, MK_LBUTTON);
  if (!form->InSizeMove()) {
    state.SkipWithError("the size loop did not start");
    return;
  }
  const HWND h = form->HandleValue();
  int k = 0;
  auto step = [&] {
    const int d = (k++ & 1);
    SimulateMouse(form.get(), WM_MOUSEMOVE, cx + d, cy + d, MK_LBUTTON);
    RedrawWindow(h, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  };
  for (auto _ : state) step();
  const double t = SecondsPerCall(step, 30);
  const int W = form->Width(), H = form->Height();
  TBitmap a(W, H), b(W, H);
  const double copy = SecondsPerCall([&] {
    b.Canvas()->CopyRect(Rect(0, 0, W, H), &a, Rect(0, 0, W, H));
    benchmark::DoNotOptimize(b.Bits());
  }, 60);
  SimulateMouse(form.get(), WM_LBUTTONUP, cx, cy);
  state.counters["ms_step"] = t * 1e3;
  state.counters["x_of_4ms"] = t / 0.004;
  state.counters["x_copy"] = t / copy;
  state.counters["w"] = W;
  state.counters["h"] = H;
}

void BM_SizeLoopStepDefaultFrame(benchmark::State& state) { SizeLoop(state, false); }
void BM_SizeLoopStepSlateFrame(benchmark::State& state) { SizeLoop(state, true); }

BENCHMARK(BM_SizeLoopStepDefaultFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SizeLoopStepSlateFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The offscreen platform's own screen is 800 x 600, which would cap the form's size
  // (its maximum is the work area): a screen of 1920 x 1200 instead.
  const std::string config = "/tmp/corvale-bench-screen-" + std::to_string(getpid()) + ".json";
  if (FILE* f = std::fopen(config.c_str(), "w")) {
    std::fputs("{\"screens\": [{\"name\": \"bench\", \"x\": 0, \"y\": 0, \"width\": 1920, "
               "\"height\": 1200, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n",
               f);
    std::fclose(f);
  }
  setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 0);
  Application_Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(config.c_str());
  return 0;
}
