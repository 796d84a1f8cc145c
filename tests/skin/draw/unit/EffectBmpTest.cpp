// The effect image: its 24-bit layout, and every morph and effect against a
// straightforward per-pixel reference written here (the gradients also against their
// first, column-by-column form).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/BlendKernel.h"
#include "skin/draw/EffectBmp.h"
#include "tests/skin/draw/unit/DrawTestPictures.h"

namespace {

TbsEffectBmp RandomImage(int w, int h, unsigned seed) {
  TbsEffectBmp img(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, {Byte(rng()), Byte(rng()), Byte(rng())});
  return img;
}

TbsEffectBmp Copy(const TbsEffectBmp& a) {
  TbsEffectBmp c(a.Width(), a.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) c.SetPixel(x, y, a.Pixel(x, y));
  return c;
}

void ExpectSame(const TbsEffectBmp& got, const TbsEffectBmp& want, const std::string& what) {
  ASSERT_EQ(got.Width(), want.Width());
  ASSERT_EQ(got.Height(), want.Height());
  int bad = 0;
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x) {
      const TbsColor24 g = got.Pixel(x, y), w = want.Pixel(x, y);
      if (!(g == w) && ++bad <= 3)
        ADD_FAILURE() << what << " pixel " << x << "," << y << ": got " << int(g.R) << "/" << int(g.G) << "/"
                      << int(g.B) << " want " << int(w.R) << "/" << int(w.G) << "/" << int(w.B);
    }
  EXPECT_EQ(bad, 0) << what;
}

Byte Clamp(double v) {
  const double r = std::nearbyint(v);
  return Byte(r < 0 ? 0 : r > 255 ? 255 : r);
}

// m * a + (1 - m) * b per channel.
TbsColor24 MixRef(TbsColor24 a, TbsColor24 b, double m) {
  return {Clamp(m * a.B + (1 - m) * b.B), Clamp(m * a.G + (1 - m) * b.G), Clamp(m * a.R + (1 - m) * b.R)};
}

double Clamp01(double k) { return std::min(1.0, std::max(0.0, k)); }
int RoundI(double v) { return int(std::nearbyint(v)); }

// Per-column (or per-row) weights of A; -1 = column becomes B's, -2 = unchanged.
using Weights = std::vector<double>;

TbsEffectBmp ApplyWeights(const TbsEffectBmp& A, const TbsEffectBmp& B, const Weights& wt, bool vertical) {
  TbsEffectBmp out = Copy(A);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const double m = wt[std::size_t(vertical ? y : x)];
      if (m == -2) continue;
      out.SetPixel(x, y, m == -1 ? B.Pixel(x, y) : MixRef(A.Pixel(x, y), B.Pixel(x, y), m));
    }
  return out;
}

// A ramp of weights: 0 at `from`, growing by step toward `to`, capped at 1.
void Ramp(Weights& wt, int from, int to, double step) {
  const int dir = to >= from ? 1 : -1;
  double m = 0;
  for (int i = from;; i += dir) {
    wt[std::size_t(i)] = m;
    if (i == to) break;
    m = std::min(1.0, m + step);
  }
}

TbsEffectBmp RefMorph(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  k = Clamp01(k);
  TbsEffectBmp out = Copy(A);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const TbsColor24 a = A.Pixel(x, y), b = B.Pixel(x, y);
      out.SetPixel(x, y, {Clamp((1 - k) * a.B + k * b.B), Clamp((1 - k) * a.G + k * b.G), Clamp((1 - k) * a.R + k * b.R)});
    }
  return out;
}

TbsEffectBmp RefGradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const bool vertical = A.Width() < A.Height();
  const int w = vertical ? A.Height() : A.Width();
  const int b = RoundI(w * Clamp01(k));
  const int c = (w - b) / 2, d = b / 2;
  const double f = c == 0 ? 1 : 1.0 / c;
  const int left = std::max(0, w / 2 - d), right = std::min(w - 1, w / 2 + d);
  Weights wt(std::size_t(w), -2);
  for (int i = left; i <= right; ++i) wt[std::size_t(i)] = -1;
  Ramp(wt, left, 0, f);
  Ramp(wt, right, w - 1, f);
  return ApplyWeights(A, B, wt, vertical);
}

TbsEffectBmp RefLeftGradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const int w = A.Width();
  int a = RoundI(w * Clamp01(k));
  if (a < 1) a = 1;
  if (a > w - 1) a = w - 1;
  Weights wt(std::size_t(w), -2);
  Ramp(wt, 0, a, a == 0 ? 1 : 1.0 / a);
  return ApplyWeights(A, B, wt, false);
}

TbsEffectBmp RefRightGradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const int w = A.Width();
  int a = w - RoundI(w * Clamp01(k));
  a = std::min(std::max(a, 0), w - 1);
  Weights wt(std::size_t(w), -2);
  Ramp(wt, w - 1, a, w - a <= 0 ? 1 : 1.0 / (w - a));
  return ApplyWeights(A, B, wt, false);
}

int SlideWidth(int w, double k) {
  int b = RoundI(w * Clamp01(k));
  if (b < 1) b = 1;
  if (b > w - 1) b = w - 1;
  return b;
}

TbsEffectBmp RefLeftSlide(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const int w = A.Width(), b = SlideWidth(w, k);
  TbsEffectBmp out = Copy(A);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < b; ++x) out.SetPixel(x, y, B.Pixel(w - b + x, y));
  return out;
}

TbsEffectBmp RefRightSlide(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const int w = A.Width(), b = SlideWidth(w, k);
  TbsEffectBmp out = Copy(A);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < b; ++x) out.SetPixel(w - b + x, y, B.Pixel(x, y));
  return out;
}

TbsEffectBmp RefPush(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  const int w = A.Width();
  const int a = std::min(std::max(RoundI(w * Clamp01(k)), 0), w - 1);
  TbsEffectBmp out = Copy(A);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < w; ++x)
      out.SetPixel(x, y, x <= a ? B.Pixel(w - a - 1 + x, y) : A.Pixel(x - a - 1, y));
  return out;
}

// The gradient morphs as first written: column by column down the image, each channel
// rounded on its own. The row-by-row kernels must give the same bytes.
namespace columnorder {

Byte Mix(Byte a, Byte b, double m) {
  const long r = std::lrint(m * a + (1 - m) * b);
  return Byte(r < 0 ? 0 : r > 255 ? 255 : r);
}

void MixRamp(TbsEffectBmp& A, const TbsEffectBmp& B, int from, int to, double step, bool vertical) {
  const int dir = to >= from ? 1 : -1;
  double m = 0;
  for (int i = from;; i += dir) {
    if (vertical) {
      Byte* pa = A.RowAddress(i);
      const Byte* pb = B.RowAddress(i);
      for (int c = 0; c < A.Width() * 3; ++c) pa[c] = Mix(pa[c], pb[c], m);
    } else {
      for (int y = 0; y < A.Height(); ++y) {
        Byte* pa = A.RowAddress(y) + 3 * i;
        const Byte* pb = B.RowAddress(y) + 3 * i;
        for (int c = 0; c < 3; ++c) pa[c] = Mix(pa[c], pb[c], m);
      }
    }
    if (i == to) break;
    m = std::min(1.0, m + step);
  }
}

TbsEffectBmp Gradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  TbsEffectBmp out = Copy(A);
  k = Clamp01(k);
  const bool vertical = A.Width() < A.Height();
  const int w = vertical ? A.Height() : A.Width();
  const int b = int(std::lrint(w * k));
  const int c = (w - b) / 2, d = b / 2;
  const double f = c != 0 ? 1.0 / c : 1.0;
  const int left = std::max(0, w / 2 - d), right = std::min(w - 1, w / 2 + d);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const int at = vertical ? y : x;
      if (at >= left && at <= right) out.SetPixel(x, y, B.Pixel(x, y));
    }
  MixRamp(out, B, left, 0, f, vertical);
  MixRamp(out, B, right, w - 1, f, vertical);
  return out;
}

TbsEffectBmp LeftGradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  TbsEffectBmp out = Copy(A);
  const int w = A.Width();
  const int a = std::min(std::max(int(std::lrint(w * Clamp01(k))), 1), w - 1);
  MixRamp(out, B, 0, a, a > 0 ? 1.0 / a : 1.0, false);
  return out;
}

TbsEffectBmp RightGradient(const TbsEffectBmp& A, const TbsEffectBmp& B, double k) {
  TbsEffectBmp out = Copy(A);
  const int w = A.Width();
  const int a = std::min(std::max(w - int(std::lrint(w * Clamp01(k))), 0), w - 1);
  MixRamp(out, B, w - 1, a, w - a > 0 ? 1.0 / (w - a) : 1.0, false);
  return out;
}

}  // namespace columnorder

using MorphFn = void (TbsEffectBmp::*)(const TbsEffectBmp&, double);
using RefFn = TbsEffectBmp (*)(const TbsEffectBmp&, const TbsEffectBmp&, double);

struct MorphCase {
  const char* name;
  MorphFn op;
  RefFn ref;
  TbsMorphKind kind;
};

const MorphCase kMorphs[] = {
    {"Morph", &TbsEffectBmp::Morph, RefMorph, TbsMorphKind::mkDefault},
    {"MorphGradient", &TbsEffectBmp::MorphGradient, RefGradient, TbsMorphKind::mkGradient},
    {"MorphLeftGradient", &TbsEffectBmp::MorphLeftGradient, RefLeftGradient, TbsMorphKind::mkLeftGradient},
    {"MorphRightGradient", &TbsEffectBmp::MorphRightGradient, RefRightGradient, TbsMorphKind::mkRightGradient},
    {"MorphLeftSlide", &TbsEffectBmp::MorphLeftSlide, RefLeftSlide, TbsMorphKind::mkLeftSlide},
    {"MorphRightSlide", &TbsEffectBmp::MorphRightSlide, RefRightSlide, TbsMorphKind::mkRightSlide},
    {"MorphPush", &TbsEffectBmp::MorphPush, RefPush, TbsMorphKind::mkPush},
};

}  // namespace

TEST(TbsEffectBmp, RowLayoutAndPixelAccess) {
  for (int w = 1; w <= 9; ++w) {
    TbsEffectBmp img(w, 3);
    EXPECT_EQ(img.Stride(), w * 3 + w % 4);
    EXPECT_EQ(img.Stride() % 4, 0);
    EXPECT_EQ(img.Size(), std::size_t(img.Stride()) * 3);
    EXPECT_EQ(img.RowAddress(2) - img.Bits(), 2 * img.Stride());
  }
  TbsEffectBmp img(5, 4);
  img.SetPixel(3, 2, {10, 20, 30});
  const Byte* p = img.RowAddress(2) + 9;
  EXPECT_EQ(p[0], 10);  // blue, green, red
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 30);
  EXPECT_TRUE(img.Pixel(3, 2) == (TbsColor24{10, 20, 30}));
  // Outside the image: black, writes ignored, rows refused.
  img.SetPixel(5, 0, {1, 2, 3});
  img.SetPixel(-1, 0, {1, 2, 3});
  EXPECT_TRUE(img.Pixel(5, 0) == TbsColor24{});
  EXPECT_EQ(img.RowAddress(4), nullptr);
  EXPECT_EQ(img.RowAddress(-1), nullptr);
  std::vector<Byte> row(15, 7);
  EXPECT_FALSE(img.ReadRow(4, row.data()));
  EXPECT_FALSE(img.WriteRow(-1, row.data()));
  ASSERT_TRUE(img.ReadRow(2, row.data()));
  EXPECT_EQ(row[9], 10);
  row[0] = 99;
  ASSERT_TRUE(img.WriteRow(1, row.data()));
  EXPECT_EQ(img.Pixel(0, 1).B, 99);
  EXPECT_EQ(img.Pixel(3, 1).R, 30);
}

TEST(TbsEffectBmp, BitmapRoundTripFlipAndDraw) {
  auto pic = drawtest::CodedPicture(7, 5);
  TbsEffectBmp img(*pic);
  ASSERT_EQ(img.Width(), 7);
  const TbsColor24 c = img.Pixel(6, 4);
  EXPECT_EQ(c.B, Byte(drawtest::CodeOf(6, 4)));
  EXPECT_EQ(c.G, Byte(drawtest::CodeOf(6, 4) >> 8));
  EXPECT_EQ(c.R, Byte(drawtest::CodeOf(6, 4) >> 16));
  TBitmap back;
  img.CopyTo(back);
  ASSERT_EQ(back.Width(), 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(drawtest::Px(back, x, y), drawtest::CodeOf(x, y));

  TbsEffectBmp flipped(7, 5);
  img.FlipTo(flipped);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_TRUE(flipped.Pixel(x, 4 - y) == img.Pixel(x, y));
  TbsEffectBmp small(3, 2);  // only what fits is written
  img.FlipTo(small);
  EXPECT_TRUE(small.Pixel(2, 0) == img.Pixel(2, 4));
  EXPECT_TRUE(small.Pixel(2, 1) == img.Pixel(2, 3));
  EXPECT_TRUE(small.Pixel(0, 1) == img.Pixel(0, 3));

  auto canvasPic = drawtest::Filled(12, 9, drawtest::kWhite);
  img.DrawTo(canvasPic->Canvas(), 3, 2);
  EXPECT_EQ(drawtest::Px(*canvasPic, 2, 2), drawtest::kWhite);
  EXPECT_EQ(drawtest::Px(*canvasPic, 3, 2), drawtest::CodeOf(0, 0));
  EXPECT_EQ(drawtest::Px(*canvasPic, 9, 6), drawtest::CodeOf(6, 4));
  EXPECT_EQ(drawtest::Px(*canvasPic, 10, 7), drawtest::kWhite);
}

TEST(TbsEffectBmp, EveryMorphMatchesItsReference) {
  const TSize sizes[] = {{20, 9}, {7, 5}, {5, 12}, {1, 4}, {13, 1}, {2, 2}, {64, 70}};
  // The morph timers' factors (0.2 steps, as doubles sum them), ties, and out of range.
  const double factors[] = {0,   0.2, 0.4000000000000001, 0.6000000000000001, 0.8, 0.1, 0.25, 0.5, 0.73, 0.9, 1,
                            -0.5, 1.7};
  for (const MorphCase& m : kMorphs)
    for (TSize s : sizes)
      for (double k : factors) {
        const TbsEffectBmp A = RandomImage(s.cx, s.cy, 1), B = RandomImage(s.cx, s.cy, 2);
        TbsEffectBmp got = Copy(A);
        (got.*m.op)(B, k);
        ExpectSame(got, m.ref(A, B, k), std::string(m.name) + " " + std::to_string(s.cx) + "x" +
                                            std::to_string(s.cy) + " k=" + std::to_string(k));
        TbsEffectBmp byKind = Copy(A);
        byKind.MorphBy(m.kind, B, k);
        ExpectSame(byKind, got, std::string(m.name) + " by kind");
      }
}

TEST(TbsEffectBmp, GradientsRowByRowGiveTheColumnOrderBytes) {
  // Wide (column ramps) and tall (row ramps), padded and unpadded rows, odd and tiny sizes.
  const TSize sizes[] = {{40, 9}, {37, 20}, {6, 31}, {3, 3}, {1, 6}, {9, 1}, {2, 1}, {128, 17}};
  const double factors[] = {0.2, 0.20000000000000007, 0.4, 0.6000000000000001, 0.8, 0.05, 0.5, 0.97, 0, 1};
  using Old = TbsEffectBmp (*)(const TbsEffectBmp&, const TbsEffectBmp&, double);
  const std::pair<MorphFn, Old> gradients[] = {{&TbsEffectBmp::MorphGradient, columnorder::Gradient},
                                               {&TbsEffectBmp::MorphLeftGradient, columnorder::LeftGradient},
                                               {&TbsEffectBmp::MorphRightGradient, columnorder::RightGradient}};
  int which = 0;
  for (const auto& [op, old] : gradients) {
    for (TSize s : sizes)
      for (double k : factors) {
        const TbsEffectBmp A = RandomImage(s.cx, s.cy, 31), B = RandomImage(s.cx, s.cy, 32);
        TbsEffectBmp got = Copy(A);
        (got.*op)(B, k);
        ExpectSame(got, old(A, B, k), "gradient " + std::to_string(which) + " " + std::to_string(s.cx) + "x" +
                                          std::to_string(s.cy) + " k=" + std::to_string(k));
      }
    ++which;
  }
}

TEST(TbsEffectBmp, DrawToShowsTheCurrentPixelsEveryTime) {
  // The 32-bit images are kept between calls (per size); they must never show a previous
  // state or another image's pixels.
  TbsEffectBmp img = RandomImage(23, 4, 40);
  auto target = drawtest::Filled(40, 12, drawtest::kWhite);
  auto expectDrawn = [&](const TbsEffectBmp& from, int x0, int y0, const char* what) {
    for (int y = 0; y < from.Height(); ++y)
      for (int x = 0; x < from.Width(); ++x) {
        const TbsColor24 c = from.Pixel(x, y);
        ASSERT_EQ(drawtest::Px(*target, x0 + x, y0 + y), TPixel(c.R) << 16 | TPixel(c.G) << 8 | c.B)
            << what << " " << x << "," << y;
      }
  };
  img.DrawTo(target->Canvas(), 1, 1);
  expectDrawn(img, 1, 1, "first");
  EXPECT_EQ(drawtest::Px(*target, 0, 0), drawtest::kWhite);
  img.Invert();
  img.DrawTo(target->Canvas(), 2, 5);
  expectDrawn(img, 2, 5, "after invert");
  TbsEffectBmp copy = img;  // a copy draws its own pixels, not the original's
  copy.Invert();
  copy.DrawTo(target->Canvas(), 0, 0);
  expectDrawn(copy, 0, 0, "copy");
  img.DrawTo(target->Canvas(), 10, 7);
  expectDrawn(img, 10, 7, "original again");
  // More sizes than are kept, drawn in turn twice, each a fresh image as a morph tick makes.
  for (int round = 0; round < 2; ++round)
    for (int w = 3; w <= 8; ++w) {
      const TbsEffectBmp tick = RandomImage(w, w - 2, unsigned(100 * round + w));
      tick.DrawTo(target->Canvas(), w, 1);
      expectDrawn(tick, w, 1, ("size " + std::to_string(w) + " round " + std::to_string(round)).c_str());
    }
}

TEST(TbsEffectBmp, CopyToEveryWidth) {
  // Widths around the vector loop's bounds (eight pixels a step, ten left over at least).
  for (int w = 1; w <= 41; ++w) {
    const TbsEffectBmp img = RandomImage(w, 3, unsigned(w));
    TBitmap out(5, 5);
    img.CopyTo(out);
    ASSERT_EQ(out.Width(), w);
    ASSERT_EQ(out.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        const TbsColor24 c = img.Pixel(x, y);
        ASSERT_EQ(out.ScanLine(y)[x], TPixel(c.R) << 16 | TPixel(c.G) << 8 | c.B) << w << ": " << x << "," << y;
      }
  }
}

TEST(TbsEffectBmp, EveryBlendKernelGivesTheFormulasBytesForEveryPair) {
  // All 65536 (a, b) pairs, plus a ragged tail for the kernels' scalar ends; factors with
  // exact ties (0.5, 0.25) and with ties the double formula rounds its own way (0.3).
  std::vector<Byte> a0, b;
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) a0.push_back(Byte(x)), b.push_back(Byte(y));
  for (int i = 0; i < 13; ++i) a0.push_back(Byte(17 * i)), b.push_back(Byte(255 - 9 * i));
  for (TBlendKernel kernel : {TBlendKernel::Scalar, TBlendKernel::Sse2, TBlendKernel::Avx2}) {
    if (!BlendKernelAvailable(kernel)) continue;
    for (double k : {0.0, 0.05, 0.2, 0.25, 0.3, 0.5, 1.0 / 3, 0.77, 1.0}) {
      std::vector<Byte> a = a0;
      BlendChannelsWith(kernel, a.data(), b.data(), a.size(), k);
      for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i], Clamp((1 - k) * a0[i] + k * b[i]))
            << "kernel " << int(kernel) << " k=" << k << " a=" << int(a0[i]) << " b=" << int(b[i]);
    }
  }
}

TEST(TbsEffectBmp, LargeMorphEqualsTheDirectFormula) {
  // A whole image through the vector kernels, rows with their padding: compare with the
  // formula on a few thousand pixels.
  const TbsEffectBmp A = RandomImage(300, 300, 5), B = RandomImage(300, 300, 6);
  for (double k : {0.3, 0.5, 0.77}) {
    TbsEffectBmp got = Copy(A);
    got.Morph(B, k);
    for (int y = 0; y < 300; y += 7)
      for (int x = 0; x < 300; x += 3) {
        const TbsColor24 a = A.Pixel(x, y), b = B.Pixel(x, y), g = got.Pixel(x, y);
        ASSERT_EQ(g.G, Clamp((1 - k) * a.G + k * b.G)) << x << "," << y << " k=" << k;
        ASSERT_EQ(g.R, Clamp((1 - k) * a.R + k * b.R)) << x << "," << y << " k=" << k;
      }
  }
}

TEST(TbsEffectBmp, MorphEndsAndMismatchedSizes) {
  const TbsEffectBmp A = RandomImage(11, 6, 3), B = RandomImage(11, 6, 4);
  TbsEffectBmp zero = Copy(A);
  zero.Morph(B, 0);
  ExpectSame(zero, A, "k = 0");
  TbsEffectBmp one = Copy(A);
  one.Morph(B, 1);
  ExpectSame(one, B, "k = 1");
  TbsEffectBmp nan = Copy(A);
  nan.Morph(B, std::nan(""));
  ExpectSame(nan, A, "k = NaN");

  const TbsEffectBmp other = RandomImage(10, 6, 4);
  for (const MorphCase& m : kMorphs) {
    TbsEffectBmp got = Copy(A);
    (got.*m.op)(other, 0.5);
    ExpectSame(got, A, std::string(m.name) + " with another size");
  }

  // A one-pixel-wide left gradient mixes only column 0, fully to B.
  const TbsEffectBmp thinA = RandomImage(1, 5, 8), thinB = RandomImage(1, 5, 9);
  TbsEffectBmp thin = Copy(thinA);
  thin.MorphLeftGradient(thinB, 0.5);
  ExpectSame(thin, thinB, "1-pixel-wide left gradient");
}

TEST(TbsEffectBmp, ColourEffects) {
  const TbsEffectBmp A = RandomImage(9, 7, 12);
  TbsEffectBmp img = Copy(A);
  img.Brightness(1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_TRUE(img.Pixel(x, y) == (TbsColor24{255, 255, 255}));
  img = Copy(A);
  img.Darkness(1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_TRUE(img.Pixel(x, y) == TbsColor24{});
  img = Copy(A);
  img.Invert();
  EXPECT_EQ(img.Pixel(4, 4).G, 255 - A.Pixel(4, 4).G);
  img.Invert();
  ExpectSame(img, A, "invert twice");

  for (double k : {0.5, 0.3, 0.0, 2.0}) {
    TbsEffectBmp b = Copy(A), d = Copy(A);
    b.Brightness(k);
    d.Darkness(k);
    const double kc = Clamp01(k);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        const TbsColor24 a = A.Pixel(x, y);
        ASSERT_EQ(b.Pixel(x, y).R, Clamp((1 - kc) * a.R + 255 * kc)) << k;
        ASSERT_EQ(b.Pixel(x, y).B, Clamp((1 - kc) * a.B + 255 * kc)) << k;
        ASSERT_EQ(d.Pixel(x, y).G, Clamp((1 - kc) * a.G)) << k;
      }
  }

  TbsEffectBmp red(2, 1);
  red.SetPixel(0, 0, {0, 0, 255});
  red.SetPixel(1, 0, {30, 200, 100});
  red.Grayscale();
  EXPECT_TRUE(red.Pixel(0, 0) == (TbsColor24{76, 76, 76}));
  const Byte g = Clamp(0.3 * 100 + 0.59 * 200 + 0.11 * 30);
  EXPECT_TRUE(red.Pixel(1, 0) == (TbsColor24{g, g, g}));
}

TEST(TbsEffectBmp, NoiseIsRepeatableBoundedAndClamped) {
  TbsEffectBmp grey(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) grey.SetPixel(x, y, {128, 100, 150});
  TbsEffectBmp a = Copy(grey), b = Copy(grey), c = Copy(grey);
  a.SeedRandom(42);
  b.SeedRandom(42);
  c.SeedRandom(43);
  a.Noise(50);
  b.Noise(50);
  c.Noise(50);
  ExpectSame(a, b, "same seed");
  int differ = 0, minD = 1000, maxD = -1000;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const TbsColor24 p = a.Pixel(x, y);
      const int d = p.B - 128;
      ASSERT_EQ(p.G - 100, d);  // one value for all three channels
      ASSERT_EQ(p.R - 150, d);
      minD = std::min(minD, d);
      maxD = std::max(maxD, d);
      differ += !(c.Pixel(x, y) == p);
    }
  EXPECT_GE(minD, -25);
  EXPECT_LE(maxD, 24);
  EXPECT_LE(minD, -20);  // 1200 draws cover the range's ends
  EXPECT_GE(maxD, 20);
  EXPECT_GT(differ, 1000);

  TbsEffectBmp edge(30, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) edge.SetPixel(x, y, {0, 255, 3});
  edge.Noise(50);
  bool clampedLow = false, clampedHigh = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const TbsColor24 p = edge.Pixel(x, y);
      clampedLow |= p.B == 0 && p.R == 0;
      clampedHigh |= p.G == 255 && p.R > 3;
    }
  EXPECT_TRUE(clampedLow);
  EXPECT_TRUE(clampedHigh);
  TbsEffectBmp none = Copy(grey);
  none.Noise(0);
  ExpectSame(none, grey, "noise 0");
}

TEST(TbsEffectBmp, SplitBlurInPlace) {
  // One row, so the row is its own neighbour above and below: pixels to the left are read
  // already blurred. 0 40 80: (0+40+0+40)/4 = 20, (20+80+20+80)/4 = 50, (50+80+50+80)/4 = 65.
  TbsEffectBmp row(3, 1);
  row.SetPixel(0, 0, {0, 0, 0});
  row.SetPixel(1, 0, {0, 0, 40});
  row.SetPixel(2, 0, {0, 0, 80});
  row.SplitBlur(1);
  EXPECT_EQ(row.Pixel(0, 0).R, 20);
  EXPECT_EQ(row.Pixel(1, 0).R, 50);
  EXPECT_EQ(row.Pixel(2, 0).R, 65);

  // d = 2 on 0 40 80 120 160: the left neighbour is the own column until x = 2, the right
  // one the last column from x = 3: 40, 80, (40+160)*2/4 = 100, (80+160)*2/4 = 120,
  // (100+160)*2/4 = 130.
  TbsEffectBmp wide(5, 1);
  for (int x = 0; x < 5; ++x) wide.SetPixel(x, 0, {0, 0, Byte(40 * x)});
  wide.SplitBlur(2);
  const int wantWide[] = {40, 80, 100, 120, 130};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(wide.Pixel(x, 0).R, wantWide[x]) << x;

  // 2 x 3, worked by hand. Top row: its own row above (left part already blurred), row 1
  // below. Bottom row: row 1 (blurred) above, itself below. Blue stays constant.
  //   red   10  30     green 200   0        red   40  47     green 138 123
  //         50  70           100 255   ->         71  71            77  77
  //         90 110             0  50              85  84            51  63
  TbsEffectBmp tall(2, 3);
  const Byte red[3][2] = {{10, 30}, {50, 70}, {90, 110}}, green[3][2] = {{200, 0}, {100, 255}, {0, 50}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) tall.SetPixel(x, y, {8, green[y][x], red[y][x]});
  tall.SplitBlur(1);
  const Byte wantRed[3][2] = {{40, 47}, {71, 71}, {85, 84}}, wantGreen[3][2] = {{138, 123}, {77, 77}, {51, 63}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) {
      EXPECT_TRUE(tall.Pixel(x, y) == (TbsColor24{8, wantGreen[y][x], wantRed[y][x]}))
          << x << "," << y << ": " << int(tall.Pixel(x, y).R) << "/" << int(tall.Pixel(x, y).G) << "/"
          << int(tall.Pixel(x, y).B);
    }

  // Random images against the rule applied pixel by pixel to one image.
  for (int d : {1, 2, 5, -3}) {
    const TbsEffectBmp A = RandomImage(9, 8, unsigned(20 + d));
    const int ad = std::abs(d);
    TbsEffectBmp want = Copy(A);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 9; ++x) {
        const int up = y - ad < 0 ? y : y - ad, down = std::min(y + ad, 7);
        const int l = x - ad < 0 ? x : x - ad, r = std::min(x + ad, 8);
        const TbsColor24 p[4] = {want.Pixel(l, up), want.Pixel(r, up), want.Pixel(l, down), want.Pixel(r, down)};
        want.SetPixel(x, y, {Byte((p[0].B + p[1].B + p[2].B + p[3].B) / 4), Byte((p[0].G + p[1].G + p[2].G + p[3].G) / 4),
                             Byte((p[0].R + p[1].R + p[2].R + p[3].R) / 4)});
      }
    TbsEffectBmp got = Copy(A);
    got.SplitBlur(d);
    ExpectSame(got, want, "split blur " + std::to_string(d));
  }
  const TbsEffectBmp A = RandomImage(4, 4, 1);
  TbsEffectBmp zero = Copy(A);
  zero.SplitBlur(0);
  ExpectSame(zero, A, "split blur 0");
}
