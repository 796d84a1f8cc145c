// Skin control painting, each against a baseline measured in the same run:
//  - a full repaint (invalidate and paint through the window's off-screen image) of the
//    main window's six controls (three 75 x 25 buttons, three 121 x 81 radio groups with
//    their buttons) in the default look and in the Slate skin's look, against filling
//    bitmaps of those sizes (aim: under 2 ms for the six together);
//  - one morph tick of a hovered skinned button (the 20 ms timer's step and the repaint
//    it asks for, which blends the normal and the hot image), against the timer period
//    (aim: under 5 % of 20 ms).
//  - beside them, the same six as Fusion-styled Qt widgets repainted whole (x_qt: the
//    engine's time / the toolkit's).
// Counters named x_... are ratios: subject time / baseline time; ms_... are milliseconds.
// Runs on Qt's offscreen platform; the skin is skins/slate.skn found above the program.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/QtPeers.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/PaintTo.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinRadioGroup.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

namespace {

using bench::SecondsPerCall;

std::string SlateFile() {
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string();
  for (int up = 0; up < 6 && !dir.empty(); ++up) {
    dir = dir.substr(0, dir.find_last_of('/'));
    if (FileExists(dir + "/skins/slate.skn")) return dir + "/skins/slate.skn";
  }
  return "";
}

// A shown form with the main window's six controls, bound to the Slate skin or to none.
struct Bench {
  explicit Bench(bool skinned) {
    form = new TForm(nullptr);
    form->SetBounds(10, 10, 420, 220);
    data = new TbsSkinData(form);
    if (skinned && !SlateFile().empty()) {
      stored.ReadPackedFile(SlateFile());
      data->LoadFromStoredSkin(&stored);
    }
    for (int i = 0; i < 3; ++i) {
      auto* b = new TbsSkinButton(form);
      b->SetParent(form);
      b->SetBounds(10 + 85 * i, 10, 75, 25);
      b->SetCaption(i == 0 ? "Record" : i == 1 ? "Stop" : "Open video file");
      b->SetSkinData(data);
      buttons[i] = b;
    }
    const char* const items[3][3] = {{"Mono", "Stereo", nullptr}, {"8 bit", "16 bit", nullptr},
                                     {"11025", "22050", "44100"}};
    for (int i = 0; i < 3; ++i) {
      auto* g = new TbsSkinRadioGroup(form);
      g->SetParent(form);
      g->SetBounds(10 + 131 * i, 45, 121, 81);
      g->SetCaption(i == 0 ? "Channels" : i == 1 ? "Bits" : "Rate");
      for (const char* item : items[i])
        if (item) g->Items()->Add(item);
      g->SetItemIndex(0);
      g->SetSkinData(data);
      groups[i] = g;
    }
    form->Show();
    Application->ProcessMessages();
  }
  ~Bench() { delete form; }
  void Repaint() {
    for (TbsSkinButton* b : buttons) {
      b->Invalidate();
      PaintTo(b, &shot);
    }
    for (TbsSkinRadioGroup* g : groups) {
      g->Invalidate();
      PaintTo(g, &shot);  // the group's own buttons are painted with it
    }
  }
  TForm* form;
  TbsSkinData* data;
  TbsCompressedStoredSkin stored{nullptr};
  TbsSkinButton* buttons[3];
  TbsSkinRadioGroup* groups[3];
  TBitmap shot;
};

double FillSixSeconds(int n) {
  TBitmap a(75, 25), b(75, 25), c(75, 25), d(121, 81), e(121, 81), f(121, 81);
  return SecondsPerCall([&] {
    for (TBitmap* x : {&a, &b, &c, &d, &e, &f}) {
      x->Canvas()->Brush()->Color = clBtnFace;
      x->Canvas()->FillRect(Rect(0, 0, x->Width(), x->Height()));
      benchmark::DoNotOptimize(x->Bits());
    }
  }, n);
}

void Repaint(benchmark::State& state, bool skinned) {
  Bench bench(skinned);
  if (skinned && bench.buttons[0]->SkinIndex() == -1) {
    state.SkipWithError("no Slate skin (skins/slate.skn) found above the program");
    return;
  }
  for (auto _ : state) bench.Repaint();
  const double t = SecondsPerCall([&] { bench.Repaint(); }, 200);
  const double base = FillSixSeconds(200);
  state.counters["ms_six_controls"] = t * 1e3;
  state.counters["x_fill_six"] = t / base;
  bench::QtSixControls peer;
  state.counters["x_qt"] = t / SecondsPerCall([&] { peer.Repaint(); }, 200);
}

void BM_RepaintSixControlsDefault(benchmark::State& state) { Repaint(state, false); }
void BM_RepaintSixControlsSkinned(benchmark::State& state) { Repaint(state, true); }

void BM_RepaintSixControlsQtFusion(benchmark::State& state) {
  bench::QtSixControls peer;
  for (auto _ : state) peer.Repaint();
  state.counters["ms_six_controls"] = SecondsPerCall([&] { peer.Repaint(); }, 200) * 1e3;
}

void BM_MorphTickOfOneButton(benchmark::State& state) {
  Bench bench(true);
  TbsSkinButton* b = bench.buttons[0];
  if (b->SkinIndex() == -1) {
    state.SkipWithError("no Slate skin (skins/slate.skn) found above the program");
    return;
  }
  bool in = false;
  // One tick: the timer's step and the repaint it asks for (a blend while in between).
  auto tick = [&] {
    if (!b->Morphing()) {
      in = !in;
      b->Perform(in ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    }
    b->Perform(WM_TIMER, TbsSkinButton::MorphTimerId, 0);
    PaintTo(b, &bench.shot);
  };
  for (auto _ : state) tick();
  const double t = SecondsPerCall(tick, 300);
  state.counters["ms_tick"] = t * 1e3;
  state.counters["x_of_20ms"] = t / 0.020;
}

BENCHMARK(BM_RepaintSixControlsDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintSixControlsSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintSixControlsQtFusion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MorphTickOfOneButton)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application_Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
