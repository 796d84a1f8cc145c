// Skin drawing throughput, each against a baseline measured in the same run:
//  - nine-piece build of a 1000 x 700 frame vs a plain copy of as many pixels
//    (memcpy, and the canvas's 1:1 rectangle copy);
//  - Morph of a 1000 x 1000 image vs a memory copy of that image (aim: within 4x, so a
//    20 ms morph tick never stalls);
//  - MaskToRegionRects on a 2000 x 2000 mask, pixels per second.
// Counters named x_... are ratios: subject time / baseline time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinRegion.h"

namespace {

// Seconds per call of f, best of a few rounds of n calls.
double SecondsPerCall(const std::function<void()>& f, int n) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) f();
    const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    best = std::min(best, d.count() / n);
  }
  return best;
}

std::unique_ptr<TBitmap> NoisePicture(int w, int h, unsigned seed) {
  auto b = std::make_unique<TBitmap>(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = rng() & 0xFFFFFF;
  return b;
}

void BM_NinePieceFrame1000x700(benchmark::State& state) {
  // A typical 120 x 90 skin: 12-pixel borders, 30-pixel corner parts, edges of 60 x 30.
  auto picture = NoisePicture(200, 150, 1);
  const TRect R{20, 10, 140, 100};
  const TbsSkinPoints s{{30, 30}, {90, 30}, {30, 60}, {90, 60}, {12, 12, 108, 78}};
  int W = 1000, H = 700;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, R, s, W, H);
  TBitmap dest(W, H);
  auto build = [&] {
    BuildSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, n.LeftTop, n.RightTop, n.LeftBottom,
                   n.RightBottom, n.Client, *picture, dest, R, W, H, true);
  };
  for (auto _ : state) {
    build();
    benchmark::DoNotOptimize(dest.Bits());
  }
  const double subject = SecondsPerCall(build, 20);
  auto source = NoisePicture(W, H, 2);
  TBitmap copy(W, H);
  const double memcpyTime = SecondsPerCall([&] {
    std::memcpy(copy.Bits(), source->Bits(), std::size_t(W) * H * sizeof(TPixel));
    benchmark::DoNotOptimize(copy.Bits());
  }, 20);
  const double canvasTime = SecondsPerCall([&] { copy.Canvas()->CopyRect({0, 0, W, H}, source.get(), {0, 0, W, H}); }, 10);
  state.counters["x_memcpy"] = subject / memcpyTime;
  state.counters["x_canvas_copy"] = subject / canvasTime;
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_NinePieceFrame1000x700)->Unit(benchmark::kMillisecond);

void BM_Morph1000x1000(benchmark::State& state) {
  auto a = NoisePicture(1000, 1000, 3);
  auto b = NoisePicture(1000, 1000, 4);
  TbsEffectBmp A(*a), B(*b);
  double k = 0.05;
  auto morph = [&] {
    A.Morph(B, k);
    k = k > 0.9 ? 0.05 : k + 0.05;
  };
  for (auto _ : state) {
    morph();
    benchmark::DoNotOptimize(A.Bits());
  }
  const double subject = SecondsPerCall(morph, 20);
  std::vector<Byte> copy(A.Size());
  const double copyTime = SecondsPerCall([&] {
    std::memcpy(copy.data(), A.Bits(), A.Size());
    benchmark::DoNotOptimize(copy.data());
  }, 50);
  state.counters["x_memcpy"] = subject / copyTime;
  state.counters["ms_per_morph"] = subject * 1000;
  state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_Morph1000x1000)->Unit(benchmark::kMillisecond);

void BM_MaskToRegionRects2000x2000(benchmark::State& state) {
  // A rounded window shape with a ragged, speckled border: many runs per row.
  const int S = 2000;
  TBitmap mask(S, S);
  std::mt19937 rng(5);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      const long dx = x - S / 2, dy = y - S / 2;
      const bool inDisc = dx * dx + dy * dy < long(S / 2 - 10) * (S / 2 - 10);
      const bool speckle = (rng() % 16) == 0;
      mask.ScanLine(y)[x] = inDisc != speckle ? 0x000000 : 0xFF00FF;
    }
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto data = MaskToRegionRects(mask, 0, 0);
    bytes = data.size();
    benchmark::DoNotOptimize(data.data());
  }
  state.counters["rects"] = double((bytes - 32) / 16);
  state.SetItemsProcessed(state.iterations() * S * S);
}
BENCHMARK(BM_MaskToRegionRects2000x2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
