#include "skin/draw/BlendKernel.h"

#include <cmath>

#include "skin/draw/CpuFeatures.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define CORVALE_X86_KERNELS 1
#endif

namespace {

// PerChannel: wa and wb hold one weight per channel; else each points at one weight for
// all channels. Channels from `from` on are blended.
template <bool PerChannel>
void MixScalar(Byte* a, const Byte* b, std::size_t n, const double* wa, const double* wb, std::size_t from) {
  for (std::size_t i = from; i < n; ++i) {
    const double x = PerChannel ? wa[i] : *wa, y = PerChannel ? wb[i] : *wb;
    const long r = std::lrint(x * a[i] + y * b[i]);
    a[i] = Byte(r < 0 ? 0 : r > 255 ? 255 : r);
  }
}

#ifdef CORVALE_X86_KERNELS
// Eight channels a step in doubles: the same multiplications and addition as the
// scalar formula (the avx2 target has no fused multiply-add to contract them into),
// and the conversion rounds with the default ties-to-even mode, like lrint.
template <bool PerChannel>
__attribute__((target("avx2"))) void MixAvx2(Byte* a, const Byte* b, std::size_t n, const double* wa,
                                             const double* wb) {
  const __m256d ka = _mm256_set1_pd(PerChannel ? 0.0 : *wa), kb = _mm256_set1_pd(PerChannel ? 0.0 : *wb);
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    __m256d kaLo = ka, kaHi = ka, kbLo = kb, kbHi = kb;
    if constexpr (PerChannel) {
      kaLo = _mm256_loadu_pd(wa + i), kaHi = _mm256_loadu_pd(wa + i + 4);
      kbLo = _mm256_loadu_pd(wb + i), kbHi = _mm256_loadu_pd(wb + i + 4);
    }
    const __m256i a32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + i)));
    const __m256i b32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + i)));
    const __m256d lo = _mm256_add_pd(_mm256_mul_pd(kaLo, _mm256_cvtepi32_pd(_mm256_castsi256_si128(a32))),
                                     _mm256_mul_pd(kbLo, _mm256_cvtepi32_pd(_mm256_castsi256_si128(b32))));
    const __m256d hi = _mm256_add_pd(_mm256_mul_pd(kaHi, _mm256_cvtepi32_pd(_mm256_extracti128_si256(a32, 1))),
                                     _mm256_mul_pd(kbHi, _mm256_cvtepi32_pd(_mm256_extracti128_si256(b32, 1))));
    const __m128i words = _mm_packs_epi32(_mm256_cvtpd_epi32(lo), _mm256_cvtpd_epi32(hi));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(a + i), _mm_packus_epi16(words, words));
  }
  MixScalar<PerChannel>(a, b, n, wa, wb, i);
}

// The same two doubles at a time with the SSE2 every x86-64 processor has.
template <bool PerChannel>
void MixSse2(Byte* a, const Byte* b, std::size_t n, const double* wa, const double* wb) {
  const __m128d ka = _mm_set1_pd(PerChannel ? 0.0 : *wa), kb = _mm_set1_pd(PerChannel ? 0.0 : *wb);
  const __m128i zero = _mm_setzero_si128();
  // Channels j and j + 1, held in the two low 32-bit lanes.
  auto two = [&](__m128i a32, __m128i b32, std::size_t j) {
    __m128d x = ka, y = kb;
    if constexpr (PerChannel) x = _mm_loadu_pd(wa + j), y = _mm_loadu_pd(wb + j);
    return _mm_add_pd(_mm_mul_pd(x, _mm_cvtepi32_pd(a32)), _mm_mul_pd(y, _mm_cvtepi32_pd(b32)));
  };
  auto four = [&](__m128i a32, __m128i b32, std::size_t j) {
    const __m128d lo = two(a32, b32, j), hi = two(_mm_srli_si128(a32, 8), _mm_srli_si128(b32, 8), j + 2);
    return _mm_unpacklo_epi64(_mm_cvtpd_epi32(lo), _mm_cvtpd_epi32(hi));
  };
  auto eight = [&](__m128i a16, __m128i b16, std::size_t j) {
    return _mm_packs_epi32(four(_mm_unpacklo_epi16(a16, zero), _mm_unpacklo_epi16(b16, zero), j),
                           four(_mm_unpackhi_epi16(a16, zero), _mm_unpackhi_epi16(b16, zero), j + 4));
  };
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i lo = eight(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero), i);
    const __m128i hi = eight(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero), i + 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), _mm_packus_epi16(lo, hi));
  }
  MixScalar<PerChannel>(a, b, n, wa, wb, i);
}
#endif

template <bool PerChannel>
void MixWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, const double* wa, const double* wb) {
#ifdef CORVALE_X86_KERNELS
  if (kernel == TBlendKernel::Avx2 && CpuHasAvx2()) return MixAvx2<PerChannel>(a, b, n, wa, wb);
  if (kernel != TBlendKernel::Scalar) return MixSse2<PerChannel>(a, b, n, wa, wb);
#endif
  (void)kernel;
  MixScalar<PerChannel>(a, b, n, wa, wb, 0);
}

}  // namespace

bool BlendKernelAvailable(TBlendKernel kernel) {
#ifdef CORVALE_X86_KERNELS
  if (kernel == TBlendKernel::Sse2) return true;
  if (kernel == TBlendKernel::Avx2) return CpuHasAvx2();
#endif
  return kernel == TBlendKernel::Scalar;
}

void BlendChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, double k) {
  const double wa = 1 - k, wb = k;
  MixWith<false>(kernel, a, b, n, &wa, &wb);
}

void BlendChannels(Byte* a, const Byte* b, std::size_t n, double k) {
  BlendChannelsWith(TBlendKernel::Avx2, a, b, n, k);
}

void MixChannels(Byte* a, const Byte* b, std::size_t n, double m) {
  const double wa = m, wb = 1 - m;
  MixWith<false>(TBlendKernel::Avx2, a, b, n, &wa, &wb);
}

void MixChannelsWeightedWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, const double* wa,
                             const double* wb) {
  MixWith<true>(kernel, a, b, n, wa, wb);
}

void MixChannelsWeighted(Byte* a, const Byte* b, std::size_t n, const double* wa, const double* wb) {
  MixWith<true>(TBlendKernel::Avx2, a, b, n, wa, wb);
}
