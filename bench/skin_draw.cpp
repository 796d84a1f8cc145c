// Skin drawing throughput, each against a baseline measured in the same run:
//  - nine-piece build of a 1000 x 700 frame vs a plain copy of as many pixels
//    (memcpy, and the canvas's 1:1 rectangle copy);
//  - Morph at the controls' factors (steps of 0.2) vs a memory copy of the bytes it
//    touches: two images read and one written, so 3 x the image's bytes (aim: within 4x);
//    also vs a copy of one image, and a factor with no integer kernel (0.5);
//  - the gradient morphs vs the same 3-image copy;
//  - the proof that admits a factor to the integer kernel (once per factor);
//  - TbsEffectBmp::DrawTo vs drawing a ready 32-bit bitmap of the same size;
//  - MaskToRegionRects on a 2000 x 2000 mask, pixels per second.
// Counters named x_... are ratios: subject time / baseline time. Times are this thread's
// processor time, best of a few rounds, so other work on a shared machine skews them less.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

#include "bench/BenchSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/BlendProof.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinRegion.h"

namespace {

using bench::SecondsPerCall;

// A copy of `bytes` bytes between two buffers of their own, seconds per call.
double CopySeconds(std::size_t bytes, int n) {
  std::vector<Byte> from(bytes, 1), to(bytes);
  return SecondsPerCall([&] {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
  }, n);
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

// The factors a 20 ms morph timer steps through, as doubles accumulate them.
const double kControlFactors[] = {0.2, 0.4, 0.6000000000000001, 0.8, 0.4000000000000001, 0.20000000000000007};

using MorphFn = void (TbsEffectBmp::*)(const TbsEffectBmp&, double);

// Runs op on a w x h image at the given factors (cycled), and reports it against copies of
// 3 images (the morph's two reads and one write) and of 1 image.
void RunMorph(benchmark::State& state, MorphFn op, int w, int h, std::vector<double> factors) {
  auto a = NoisePicture(w, h, 3);
  auto b = NoisePicture(w, h, 4);
  TbsEffectBmp A(*a), B(*b);
  std::size_t next = 0;
  auto morph = [&] {
    (A.*op)(B, factors[next]);
    next = (next + 1) % factors.size();
  };
  for (auto _ : state) {
    morph();
    benchmark::DoNotOptimize(A.Bits());
  }
  const int calls = std::max(20, int(2e7 / (double(w) * h)));
  const double subject = SecondsPerCall(morph, calls);
  state.counters["x_copy_3_images"] = subject / CopySeconds(3 * A.Size(), calls);
  state.counters["x_copy_1_image"] = subject / CopySeconds(A.Size(), calls);
  state.counters["us_per_call"] = subject * 1e6;
  state.SetItemsProcessed(state.iterations() * w * h);
}

std::vector<double> Factors() { return {std::begin(kControlFactors), std::end(kControlFactors)}; }

void BM_Morph1000x1000(benchmark::State& state) { RunMorph(state, &TbsEffectBmp::Morph, 1000, 1000, Factors()); }
BENCHMARK(BM_Morph1000x1000)->Unit(benchmark::kMillisecond);

// A typical button image: per-call costs show here.
void BM_Morph120x30(benchmark::State& state) { RunMorph(state, &TbsEffectBmp::Morph, 120, 30, Factors()); }
BENCHMARK(BM_Morph120x30)->Unit(benchmark::kMicrosecond);

// 0.5 has exact ties the integer kernel cannot round to even: the double kernel runs.
void BM_MorphHalf1000x1000(benchmark::State& state) { RunMorph(state, &TbsEffectBmp::Morph, 1000, 1000, {0.5}); }
BENCHMARK(BM_MorphHalf1000x1000)->Unit(benchmark::kMillisecond);

void BM_MorphGradient1000x1000(benchmark::State& state) {
  RunMorph(state, &TbsEffectBmp::MorphGradient, 1000, 1000, Factors());
}
BENCHMARK(BM_MorphGradient1000x1000)->Unit(benchmark::kMillisecond);

// Taller than wide: the band opens along the rows.
void BM_MorphGradientTall300x1000(benchmark::State& state) {
  RunMorph(state, &TbsEffectBmp::MorphGradient, 300, 1000, Factors());
}
BENCHMARK(BM_MorphGradientTall300x1000)->Unit(benchmark::kMillisecond);

void BM_MorphLeftGradient1000x1000(benchmark::State& state) {
  RunMorph(state, &TbsEffectBmp::MorphLeftGradient, 1000, 1000, Factors());
}
BENCHMARK(BM_MorphLeftGradient1000x1000)->Unit(benchmark::kMillisecond);

void BM_MorphRightGradient1000x1000(benchmark::State& state) {
  RunMorph(state, &TbsEffectBmp::MorphRightGradient, 1000, 1000, Factors());
}
BENCHMARK(BM_MorphRightGradient1000x1000)->Unit(benchmark::kMillisecond);

// The one-time cost of a factor's proof (all 65536 channel pairs), paid on its first Morph.
void BM_ProveBlendWeight(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ProveBlendWeight(0.6000000000000001));
}
BENCHMARK(BM_ProveBlendWeight)->Unit(benchmark::kMicrosecond);

void RunDrawTo(benchmark::State& state, int w, int h) {
  auto a = NoisePicture(w, h, 5);
  const TbsEffectBmp A(*a);
  TBitmap target(w + 10, h + 10);
  auto draw = [&] { A.DrawTo(target.Canvas(), 5, 5); };
  for (auto _ : state) {
    draw();
    benchmark::DoNotOptimize(target.Bits());
  }
  const int calls = std::max(20, int(2e7 / (double(w) * h)));
  const double subject = SecondsPerCall(draw, calls);
  const double ready = SecondsPerCall([&] { target.Canvas()->Draw(5, 5, a.get()); }, calls);
  state.counters["x_draw_32bit_bitmap"] = subject / ready;
  state.counters["us_per_call"] = subject * 1e6;
  state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_DrawTo1000x1000(benchmark::State& state) { RunDrawTo(state, 1000, 1000); }
BENCHMARK(BM_DrawTo1000x1000)->Unit(benchmark::kMillisecond);

void BM_DrawTo120x30(benchmark::State& state) { RunDrawTo(state, 120, 30); }
BENCHMARK(BM_DrawTo120x30)->Unit(benchmark::kMicrosecond);

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
