// Scrolling a 10,000-row skinned report list by the wheel, one row per step, the repaint
// of the list and of its vertical bar included (the bar follows the list on every step),
// in the default look and in the Slate skin's look, against a baseline measured in the
// same run: filling bitmaps of the list's and the bar's sizes. Aim: a step under 4 ms.
// Beside it, a Fusion-styled QListView of as many rows stepped the same way.
// Counters: ms_step in milliseconds, x_fill = step time / baseline time, x_qt = step
// time / the QListView's step time.
// Runs on Qt's offscreen platform; the skin is skins/slate.skn found above the program.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/QtPeers.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "skin/controls/SkinCustomListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

namespace {

using bench::SecondsPerCall;

constexpr int Rows = 10000;
constexpr int ListW = 400, ListH = 300, BarW = 19;

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

struct Bench {
  explicit Bench(bool skinned) {
    form = new TForm(nullptr);
    form->SetBounds(10, 10, ListW + BarW + 40, ListH + 40);
    data = new TbsSkinData(form);
    if (skinned && !SlateFile().empty()) {
      stored.ReadPackedFile(SlateFile());
      data->LoadFromStoredSkin(&stored);
    }
    list = new TbsSkinCustomListView(form);
    list->SetParent(form);
    list->SetBounds(10, 10, ListW, ListH);
    bar = new TbsSkinScrollBar(form);
    bar->SetParent(form);
    bar->SetKind(sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetBounds(10 + ListW, 10, BarW, ListH);
    bar->SetSkinData(data);
    list->SetVScrollBar(bar);
    list->SetViewStyle(vsReport);
    list->AddColumn("Name", 180);
    list->AddColumn("Size", 90);
    list->AddColumn("Type", 110);
    for (int i = 0; i < Rows; ++i) {
      TListItem& it = list->AddItem("Take " + std::to_string(i + 1) + ".wav");
      it.SubItems = {std::to_string(37 * (i + 1)) + " KB", "Wave sound"};
    }
    list->SetWheelLines(1);
    list->SetSkinData(data);
    form->Show();
    Application->ProcessMessages();
    list->CheckBars();
  }
  ~Bench() { delete form; }
  // One wheel notch (one row), turning round at either end, then the repaint.
  void Step() {
    const int top = list->TopIndex();
    if (top == 0) down = true;
    if (top >= Rows - list->ItemsPerPage()) down = false;
    SimulateWheel(list, 50, 100, down ? -120 : 120);
    PaintTo(list, &shot);
    PaintTo(bar, &barShot);
  }
  TForm* form;
  TbsSkinData* data;
  TbsCompressedStoredSkin stored{nullptr};
  TbsSkinCustomListView* list;
  TbsSkinScrollBar* bar;
  TBitmap shot, barShot;
  bool down = true;
};

double FillSeconds(int n) {
  TBitmap a(ListW, ListH), b(BarW, ListH);
  return SecondsPerCall([&] {
    for (TBitmap* x : {&a, &b}) {
      x->Canvas()->Brush()->Color = clWindow;
      x->Canvas()->FillRect(Rect(0, 0, x->Width(), x->Height()));
      benchmark::DoNotOptimize(x->Bits());
    }
  }, n);
}

void WheelStep(benchmark::State& state, bool skinned) {
  Bench bench(skinned);
  if (skinned && bench.list->SkinIndex() == -1) {
    state.SkipWithError("no Slate skin (skins/slate.skn) found above the program");
    return;
  }
  const int before = bench.list->TopIndex();
  bench.Step();
  if (bench.list->TopIndex() != before + 1 || bench.bar->Position() != before + 1) {
    state.SkipWithError("a wheel step did not move the list and its bar by one row");
    return;
  }
  for (auto _ : state) bench.Step();
  const double t = SecondsPerCall([&] { bench.Step(); }, 300);
  const double base = FillSeconds(300);
  state.counters["ms_step"] = t * 1e3;
  state.counters["x_fill"] = t / base;
  bench::QtWheelList peer(Rows, ListW + BarW, ListH);
  state.counters["x_qt"] = t / SecondsPerCall([&] { peer.Step(); }, 300);
}

void BM_WheelStep10000RowsDefault(benchmark::State& state) { WheelStep(state, false); }
void BM_WheelStep10000RowsSkinned(benchmark::State& state) { WheelStep(state, true); }

void BM_WheelStep10000RowsQtFusion(benchmark::State& state) {
  bench::QtWheelList peer(Rows, ListW + BarW, ListH);
  if (peer.Step() != 1) {
    state.SkipWithError("a wheel step did not move the list by one row");
    return;
  }
  for (auto _ : state) peer.Step();
  state.counters["ms_step"] = SecondsPerCall([&] { peer.Step(); }, 300) * 1e3;
}

BENCHMARK(BM_WheelStep10000RowsDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WheelStep10000RowsSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WheelStep10000RowsQtFusion)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application_Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
