// Canvas bitmap copies, each against baselines measured in the same run:
//  - the unstretched 1000 x 700 CopyRect and Draw (the copy every skinned paint ends
//    in) vs a memcpy of as many pixels (aim: within 2x);
//  - stretched copies (nearest neighbour, up 2x and down to an odd size) vs the same
//    memcpy and vs a plain loop with a 64-bit division per pixel (the straightforward
//    form of the same pixel mapping).
// Counters named x_... are ratios: subject time / baseline time.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

constexpr int W = 1000, H = 700;

// Seconds of this thread's processor time per call of f, best of a few rounds of n
// calls: the machine may be shared, and time spent waiting for it is not the copy's.
double SecondsPerCall(const std::function<void()>& f, int n) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    timespec t0{}, t1{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
    for (int i = 0; i < n; ++i) f();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
    best = std::min(best, ((t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) * 1e-9) / n);
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

// A memcpy of a 1000 x 700 picture between two bitmaps of its own.
double MemcpySeconds() {
  auto source = NoisePicture(W, H, 1);
  TBitmap copy(W, H);
  return SecondsPerCall([&] {
    std::memcpy(copy.Bits(), source->Bits(), std::size_t(W) * H * sizeof(TPixel));
    benchmark::DoNotOptimize(copy.Bits());
    benchmark::ClobberMemory();
  }, 20);
}

void BM_Memcpy1000x700(benchmark::State& state) {
  auto source = NoisePicture(W, H, 1);
  TBitmap copy(W, H);
  for (auto _ : state) {
    std::memcpy(copy.Bits(), source->Bits(), std::size_t(W) * H * sizeof(TPixel));
    benchmark::DoNotOptimize(copy.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * W * H * 4);
}
BENCHMARK(BM_Memcpy1000x700)->Unit(benchmark::kMicrosecond);

void Measure(benchmark::State& state, const std::function<void()>& subject, int pixels) {
  for (auto _ : state) {
    subject();
    benchmark::ClobberMemory();
  }
  // Baseline and subject measured back to back, twice, the best of each kept.
  double seconds = 1e9, baseline = 1e9;
  for (int i = 0; i < 2; ++i) {
    baseline = std::min(baseline, MemcpySeconds());
    seconds = std::min(seconds, SecondsPerCall(subject, 20));
  }
  state.counters["x_memcpy"] = seconds / baseline;
  state.counters["us_per_copy"] = seconds * 1e6;
  state.counters["us_memcpy"] = baseline * 1e6;
  state.SetItemsProcessed(state.iterations() * pixels);
}

void BM_CopyRect1000x700(benchmark::State& state) {
  auto source = NoisePicture(W, H, 2);
  TBitmap dest(W, H);
  Measure(state, [&] { dest.Canvas()->CopyRect(Rect(0, 0, W, H), source.get(), Rect(0, 0, W, H)); }, W * H);
}
BENCHMARK(BM_CopyRect1000x700)->Unit(benchmark::kMicrosecond);

void BM_Draw1000x700(benchmark::State& state) {
  auto source = NoisePicture(W, H, 3);
  TBitmap dest(W + 20, H + 20);
  Measure(state, [&] { dest.Canvas()->Draw(10, 10, source.get()); }, W * H);
}
BENCHMARK(BM_Draw1000x700)->Unit(benchmark::kMicrosecond);

// The mapping of a stretched copy written out plainly: a division per pixel.
void DividingStretch(TBitmap& dest, const TBitmap& source) {
  const std::int64_t dw = dest.Width(), dh = dest.Height(), sw = source.Width(), sh = source.Height();
  for (int y = 0; y < dh; ++y) {
    const TPixel* srow = source.ScanLine(int(y * sh / dh));
    TPixel* drow = dest.ScanLine(y);
    for (int x = 0; x < dw; ++x) drow[x] = srow[x * sw / dw] & 0xFFFFFF;
  }
}

void Stretch(benchmark::State& state, int sw, int sh) {
  auto source = NoisePicture(sw, sh, 4);
  TBitmap dest(W, H);
  auto copy = [&] { dest.Canvas()->CopyRect(Rect(0, 0, W, H), source.get(), Rect(0, 0, sw, sh)); };
  Measure(state, copy, W * H);
  TBitmap plain(W, H);
  DividingStretch(plain, *source);
  if (std::memcmp(plain.Bits(), dest.Bits(), std::size_t(W) * H * 4) != 0) state.SkipWithError("pixels differ");
  const double dividing = SecondsPerCall([&] {
    DividingStretch(plain, *source);
    benchmark::ClobberMemory();
  }, 10);
  state.counters["x_per_pixel_division"] = SecondsPerCall(copy, 10) / dividing;
}

void BM_StretchCopy500x350To1000x700(benchmark::State& state) { Stretch(state, 500, 350); }
BENCHMARK(BM_StretchCopy500x350To1000x700)->Unit(benchmark::kMicrosecond);

void BM_StretchCopy1280x960To1000x700(benchmark::State& state) { Stretch(state, 1280, 960); }
BENCHMARK(BM_StretchCopy1280x960To1000x700)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
