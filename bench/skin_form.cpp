// Skin menus, each against a baseline measured in the same run:
//  - opening a 20-item menu (build the window and its items, paint it through its
//    off-screen image, show it), default look and Slate look, against the 16 ms of one
//    display frame (aim: under 16 ms) and against filling a bitmap of the menu's size;
//  - one 50 ms poll tick of the open menu with the pointer moving between two items
//    (selection changes, two rows redrawn), and one with the pointer at rest (aim: under
//    0.1 ms), each against the poll period.
//  - beside it, a Fusion-styled QMenu of the same 20 items opened and painted the same
//    way (x_qt: the engine's time / the toolkit's).
// Counters named x_... are ratios: subject time / baseline time; ms_/us_ are times.
// Runs on Qt's offscreen platform; the skin is skins/slate.skn found above the program.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/QtPeers.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupWindow.h"

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

struct MenuSetup {
  std::unique_ptr<TForm> form;
  TbsSkinForm* skinForm = nullptr;
  TPopupMenu* menu = nullptr;
  std::unique_ptr<TbsSkinData> skin;
  TBitmap image;

  explicit MenuSetup(bool skinned) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(50, 50, 300, 200);
    skinForm = new TbsSkinForm(form.get());
    form->Show();
    menu = new TPopupMenu(form.get());
    for (int i = 0; i < 20; ++i) {
      auto* item = new TMenuItem(menu);
      item->SetCaption(i % 5 == 4 ? "-" : "Menu item &" + std::to_string(i));
      if (i % 3 == 0) item->SetShortCut(TextToShortCut("Ctrl+F" + std::to_string(1 + i % 9)));
      item->SetChecked(i % 7 == 1);
      menu->Items()->Add(item);
    }
    if (skinned) {
      skin = std::make_unique<TbsSkinData>(nullptr);
      TbsCompressedStoredSkin stored(nullptr);
      const std::string path = FindSlate();
      if (!path.empty()) stored.ReadPackedFile(path);
      skin->LoadFromStoredSkin(&stored);
    }
  }
  TbsSkinPopupWindow* Open() {
    skinForm->PrepareForMenu();
    skinForm->SkinMenu()->Popup(nullptr, skin.get(), false, menu->Items(), Rect(120, 100, 120, 100));
    TbsSkinPopupWindow* w = skinForm->SkinMenu()->Windows(0);
    // The whole image, as the window's paint composes it.
    if (w) w->PaintImage(image);
    return w;
  }
  void Close() { skinForm->SkinMenu()->CloseAll(); }
};

void OpenMenu(benchmark::State& state, bool skinned) {
  MenuSetup s(skinned);
  if (skinned && (!s.skin || s.skin->SkinEmpty)) {
    state.SkipWithError("skins/slate.skn not found");
    return;
  }
  TbsSkinPopupWindow* w = s.Open();
  const int W = w ? w->Width() : 1, H = w ? w->Height() : 1;
  const bool isSkinned = w && w->Skinned();
  s.Close();
  Application->ProcessMessages();  // closed windows are freed on the event loop
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.Open());
    s.Close();
    Application->ProcessMessages();
  }
  const double t = SecondsPerCall([&] {
    s.Open();
    s.Close();
  }, 20);
  Application->ProcessMessages();
  TBitmap fill(W, H);
  const double f = SecondsPerCall([&] {
    fill.Canvas()->Brush()->Color = clWhite;
    fill.Canvas()->FillRect(Rect(0, 0, W, H));
    benchmark::DoNotOptimize(fill.Bits());
  }, 200);
  state.counters["ms_open"] = t * 1e3;
  state.counters["x_of_16ms"] = t / 0.016;
  state.counters["x_fill"] = t / f;
  state.counters["x_qt"] = t / bench::QtMenuOpenSeconds(20);
  state.counters["menu_w"] = W;
  state.counters["menu_h"] = H;
  state.counters["skinned"] = isSkinned;
}

void BM_OpenTwentyItemMenuDefault(benchmark::State& state) { OpenMenu(state, false); }
void BM_OpenTwentyItemMenuSkinned(benchmark::State& state) { OpenMenu(state, true); }

void BM_OpenTwentyItemMenuQtFusion(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(bench::QtMenuOpenSeconds(1));
  state.counters["ms_open"] = bench::QtMenuOpenSeconds(20) * 1e3;
}

void PollTick(benchmark::State& state, bool moving, bool skinned) {
  MenuSetup s(skinned);
  TbsSkinPopupWindow* w = s.Open();
  if (!w) {
    state.SkipWithError("the menu did not open");
    return;
  }
  const TRect a = w->Items(1)->ItemRect, b = w->Items(2)->ItemRect;
  const TPoint pa = w->ClientToScreen(Point(a.Left + 10, a.Top + 5));
  const TPoint pb = w->ClientToScreen(Point(b.Left + 10, b.Top + 5));
  int k = 0;
  auto tick = [&] {
    if (moving) {
      const TPoint p = (k++ & 1) ? pa : pb;
      SetCursorPos(p.X, p.Y);
    }
    w->MouseTimerTick();
  };
  SetCursorPos(pa.X, pa.Y);
  w->MouseTimerTick();
  for (auto _ : state) tick();
  const double t = SecondsPerCall(tick, 200);
  state.counters["us_tick"] = t * 1e6;
  state.counters["x_of_50ms"] = t / 0.050;
  if (!moving) state.counters["x_of_0.1ms"] = t / 0.0001;
  s.Close();
}

void BM_PollTickPointerMovingDefault(benchmark::State& state) { PollTick(state, true, false); }
void BM_PollTickPointerMovingSkinned(benchmark::State& state) { PollTick(state, true, true); }
void BM_PollTickPointerAtRest(benchmark::State& state) { PollTick(state, false, false); }

BENCHMARK(BM_OpenTwentyItemMenuDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyItemMenuSkinned)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyItemMenuQtFusion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PollTickPointerMovingDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PollTickPointerMovingSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PollTickPointerAtRest)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application_Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
