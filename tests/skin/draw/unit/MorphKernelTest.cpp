// The morph's integer kernel and the proofs that let it stand in for the double formula:
// every kernel on every channel pair at the factors the morph timers reach, the fallback
// where no integer weight fits, and the per-factor cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "skin/draw/BlendKernel.h"
#include "skin/draw/BlendKernel16.h"
#include "skin/draw/BlendProof.h"
#include "skin/draw/EffectBmp.h"

namespace {

// The morph's formula, written out: round((1 - k) * a + k * b), ties to even.
Byte Formula(Byte a, Byte b, double k) { return Byte(std::nearbyint((1 - k) * a + k * b)); }

// The integer formula, written out for an explicit weight.
Byte IntegerFormula(int a, int b, int weight, bool fromB) {
  const int base = fromB ? b : a, other = fromB ? a : b;
  return Byte(base + (((other - base) * weight + 16384) >> 15));
}

// The factors a 20 ms morph timer passes through: it starts at 0 or 1 and moves by
// +0.2 or -0.2 (in doubles) on every tick, turning whenever the pointer comes or goes.
std::vector<double> TimerFactors() {
  std::set<double> seen;
  std::vector<double> todo{0.0, 1.0};
  while (!todo.empty()) {
    const double v = todo.back();
    todo.pop_back();
    for (double next : {v + 0.2, v - 0.2})
      if (((next > v && v < 1) || (next < v && v > 0)) && next > -0.1 && next < 1.1 && seen.insert(next).second)
        todo.push_back(next);
  }
  std::vector<double> inside;
  for (double v : seen)
    if (v > 0 && v < 1) inside.push_back(v);
  return inside;
}

// Every (a, b) pair, then a ragged tail so each kernel's scalar end runs too.
void AllPairs(std::vector<Byte>& a, std::vector<Byte>& b) {
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) a.push_back(Byte(x)), b.push_back(Byte(y));
  for (int i = 0; i < 29; ++i) a.push_back(Byte(255 - 7 * i)), b.push_back(Byte(11 * i));
}

const TBlendKernel kKernels[] = {TBlendKernel::Scalar, TBlendKernel::Sse2, TBlendKernel::Avx2};

TbsEffectBmp RandomImage(int w, int h, unsigned seed) {
  TbsEffectBmp img(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, {Byte(rng()), Byte(rng()), Byte(rng())});
  return img;
}

// Morph of random images against the formula on every channel of every pixel.
void ExpectMorphIsFormula(double k, const char* what) {
  for (TSize s : {TSize{1, 1}, TSize{7, 3}, TSize{33, 9}, TSize{130, 41}}) {
    const TbsEffectBmp A = RandomImage(s.cx, s.cy, unsigned(s.cx)), B = RandomImage(s.cx, s.cy, unsigned(s.cy + 100));
    TbsEffectBmp got = A;
    got.Morph(B, k);
    int bad = 0;
    for (int y = 0; y < s.cy; ++y)
      for (int x = 0; x < s.cx; ++x) {
        const TbsColor24 a = A.Pixel(x, y), b = B.Pixel(x, y), g = got.Pixel(x, y);
        const TbsColor24 want{Formula(a.B, b.B, k), Formula(a.G, b.G, k), Formula(a.R, b.R, k)};
        if (!(g == want) && ++bad <= 3)
          ADD_FAILURE() << what << " k=" << k << " " << s.cx << "x" << s.cy << " pixel " << x << "," << y;
      }
    EXPECT_EQ(bad, 0) << what << " k=" << k;
  }
}

}  // namespace

TEST(MorphKernel, TimerFactorsAreProvenAndEveryIntegerKernelGivesTheFormulasBytes) {
  const std::vector<double> factors = TimerFactors();
  // 0.2, 0.4, 0.6000000000000001, 0.8 going up; 0.8, 0.6000000000000001,
  // 0.4000000000000001, 0.20000000000000007, 5.55e-17 coming down; mixtures of both.
  ASSERT_EQ(factors.size(), 7u);
  EXPECT_EQ(factors.front(), 1 - 0.2 - 0.2 - 0.2 - 0.2 - 0.2);
  std::vector<Byte> a0, b;
  AllPairs(a0, b);
  for (double k : factors) {
    const std::optional<TBlendWeight16> w = ProveBlendWeight(k);
    ASSERT_TRUE(w.has_value()) << "k=" << k;
    EXPECT_EQ(w->FromB, k > 0.5);
    EXPECT_LE(w->Weight, 16384);
    for (TBlendKernel kernel : kKernels) {
      if (!BlendKernelAvailable(kernel)) continue;
      std::vector<Byte> a = a0;
      Blend16ChannelsWith(kernel, a.data(), b.data(), a.size(), *w);
      for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i], Formula(a0[i], b[i], k))
            << "kernel " << int(kernel) << " k=" << k << " a=" << int(a0[i]) << " b=" << int(b[i]);
    }
    ExpectMorphIsFormula(k, "timer factor");
  }
  // The ends, where the morph is not drawn but may still be asked for.
  for (double k : {0.0, 1.0}) {
    ASSERT_TRUE(ProveBlendWeight(k).has_value()) << k;
    ExpectMorphIsFormula(k, "end");
  }
}

TEST(MorphKernel, IntegerKernelsAgreeWithTheirFormulaForAnyWeight) {
  // Also weights no proof would pick: the vector kernels implement the integer formula
  // itself, on both sides of the base swap.
  std::vector<Byte> a0, b;
  AllPairs(a0, b);
  for (int weight : {0, 1, 6554, 9830, 16383, 16384})
    for (bool fromB : {false, true})
      for (TBlendKernel kernel : kKernels) {
        if (!BlendKernelAvailable(kernel)) continue;
        std::vector<Byte> a = a0;
        Blend16ChannelsWith(kernel, a.data(), b.data(), a.size(), {std::int16_t(weight), fromB});
        for (std::size_t i = 0; i < a.size(); ++i)
          ASSERT_EQ(a[i], IntegerFormula(a0[i], b[i], weight, fromB))
              << "kernel " << int(kernel) << " weight " << weight << " fromB " << fromB << " i=" << i;
      }
}

TEST(MorphKernel, FactorsWithoutAMatchingWeightFallBackToTheDoubleFormula) {
  // 0.5: (0 + 1) / 2 and (0 + 3) / 2 are ties the formula rounds to even (0 and 2); the
  // nearest weight and the one above round the first up, the one below the second down.
  ASSERT_EQ(Formula(0, 1, 0.5), 0);
  ASSERT_EQ(Formula(0, 3, 0.5), 2);
  EXPECT_EQ(IntegerFormula(0, 1, 16384, false), 1);
  EXPECT_EQ(IntegerFormula(0, 1, 16385, false), 1);
  EXPECT_EQ(IntegerFormula(0, 1, 16383, false), 0);
  EXPECT_EQ(IntegerFormula(0, 3, 16383, false), 1);
  EXPECT_FALSE(ProveBlendWeight(0.5).has_value());
  EXPECT_FALSE(BlendProofs().Weight(0.5).has_value());
  // 0.3 and 0.1: ties where the double products fall on either side of one half.
  for (double k : {0.5, 0.25, 0.75, 0.3, 0.1}) {
    EXPECT_FALSE(ProveBlendWeight(k).has_value()) << k;
    ExpectMorphIsFormula(k, "fallback");
  }
  // Outside 0..1 and not-a-number: no weight (Morph clamps before asking).
  EXPECT_FALSE(ProveBlendWeight(-0.2).has_value());
  EXPECT_FALSE(ProveBlendWeight(std::nan("")).has_value());
}

TEST(MorphKernel, ANeighbourOfTheNearestWeightCorrectsAFactor) {
  // 0.139: the nearest weight round(0.139 * 32768) = 4555 misses some pairs, 4554 fits all.
  const double k = 0.139;
  int nearestMisses = 0;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) nearestMisses += IntegerFormula(a, b, 4555, false) != Formula(Byte(a), Byte(b), k);
  EXPECT_GT(nearestMisses, 0);
  const std::optional<TBlendWeight16> w = ProveBlendWeight(k);
  ASSERT_TRUE(w.has_value());
  EXPECT_EQ(w->Weight, 4554);
  EXPECT_FALSE(w->FromB);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b)
      ASSERT_EQ(IntegerFormula(a, b, w->Weight, false), Formula(Byte(a), Byte(b), k)) << a << "," << b;
  ExpectMorphIsFormula(k, "corrected");
}

TEST(MorphKernel, ProofCacheRemembersFactorsAndStopsProvingWhenFull) {
  TBlendProofCache cache(2);
  ASSERT_TRUE(cache.Weight(0.2).has_value());
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_FALSE(cache.Weight(0.5).has_value());  // the failure is remembered as well
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_FALSE(cache.Weight(0.4).has_value());  // provable, but no room: the double kernel serves it
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(cache.Weight(0.2), ProveBlendWeight(0.2));
  EXPECT_FALSE(cache.Weight(0.5).has_value());
  // Factors differing in the last bit are different factors.
  TBlendProofCache bits(8);
  EXPECT_EQ(bits.Weight(0.4), ProveBlendWeight(0.4));
  EXPECT_EQ(bits.Weight(0.4000000000000001), ProveBlendWeight(0.4000000000000001));
  EXPECT_EQ(bits.Count(), 2u);
}

TEST(MorphKernel, ProofCacheSharedBetweenThreads) {
  TBlendProofCache cache(16);
  const double factors[] = {0.2, 0.5, 0.8, 0.139, 0.6000000000000001};
  std::vector<std::optional<TBlendWeight16>> want;
  for (double k : factors) want.push_back(ProveBlendWeight(k));
  std::vector<int> wrong(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < std::size(factors); ++i) {
          const std::size_t at = (i + std::size_t(t)) % std::size(factors);
          wrong[std::size_t(t)] += cache.Weight(factors[at]) != want[at];
        }
    });
  for (std::thread& t : threads) t.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(wrong[std::size_t(t)], 0) << "thread " << t;
  EXPECT_EQ(cache.Count(), std::size(factors));
}

TEST(MorphKernel, WeightedDoubleKernelsGiveTheFormulasBytes) {
  // Ramp weights (m, 1 - m) per channel with m stepping like a gradient's, on every pair.
  std::vector<Byte> a0, b;
  AllPairs(a0, b);
  std::vector<double> wa(a0.size()), wb(a0.size());
  double m = 0;
  for (std::size_t i = 0; i < a0.size(); ++i) {
    if (i % 3 == 0) m = std::min(1.0, m + 1.0 / 7);
    if (i % 3000 == 0) m = 0;
    wa[i] = m, wb[i] = 1 - m;
  }
  for (TBlendKernel kernel : kKernels) {
    if (!BlendKernelAvailable(kernel)) continue;
    std::vector<Byte> a = a0;
    MixChannelsWeightedWith(kernel, a.data(), b.data(), a.size(), wa.data(), wb.data());
    for (std::size_t i = 0; i < a.size(); ++i)
      ASSERT_EQ(a[i], Byte(std::nearbyint(wa[i] * a0[i] + wb[i] * b[i])))
          << "kernel " << int(kernel) << " i=" << i << " m=" << wa[i];
  }
}
