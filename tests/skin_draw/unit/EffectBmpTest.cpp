// The effect image: its 24-bit layout, and every morph and effect against a
// straightforward per-pixel reference written here.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/BlendKernel.h"
#include "skin/draw/EffectBmp.h"
#include "tests/skin_draw/unit/DrawTestPictures.h"

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
  const double factors[] = {0, 0.1, 0.25, 0.5, 0.73, 0.9, 1, -0.5, 1.7};
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

TEST(TbsEffectBmp, SplitBlur) {
  // One row: every neighbour row is the row itself; columns before the start are the
  // pixel's own, columns past the end the last one.
  TbsEffectBmp row(3, 1);
  row.SetPixel(0, 0, {0, 0, 0});
  row.SetPixel(1, 0, {0, 0, 40});
  row.SetPixel(2, 0, {0, 0, 80});
  row.SplitBlur(1);
  EXPECT_EQ(row.Pixel(0, 0).R, 20);
  EXPECT_EQ(row.Pixel(1, 0).R, 40);
  EXPECT_EQ(row.Pixel(2, 0).R, 60);

  // Reference: rows above the current one are read already blurred.
  for (int d : {1, 2, 5}) {
    const TbsEffectBmp A = RandomImage(9, 8, unsigned(20 + d));
    TbsEffectBmp want = Copy(A);
    for (int y = 0; y < 8; ++y) {
      std::vector<TbsColor24> out(9);
      const int up = y - d < 0 ? y : y - d, down = std::min(y + d, 7);
      for (int x = 0; x < 9; ++x) {
        const int l = x - d < 0 ? x : x - d, r = std::min(x + d, 8);
        const TbsColor24 p[4] = {want.Pixel(l, up), want.Pixel(r, up), want.Pixel(l, down), want.Pixel(r, down)};
        out[std::size_t(x)] = {Byte((p[0].B + p[1].B + p[2].B + p[3].B) / 4), Byte((p[0].G + p[1].G + p[2].G + p[3].G) / 4),
                               Byte((p[0].R + p[1].R + p[2].R + p[3].R) / 4)};
      }
      for (int x = 0; x < 9; ++x) want.SetPixel(x, y, out[std::size_t(x)]);
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
