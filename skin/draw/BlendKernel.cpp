#include "skin/draw/BlendKernel.h"

#include <cmath>

#if defined(__x86_64__)
#include <immintrin.h>
#define CORVALE_X86_KERNELS 1
#endif

namespace {

Byte BlendOne(Byte a, Byte b, double k) {
  // Both terms lie in [0, 255], so the rounded sum needs no clamping.
  return Byte(std::lrint((1 - k) * a + k * b));
}

void BlendScalar(Byte* a, const Byte* b, std::size_t n, double k) {
  for (std::size_t i = 0; i < n; ++i) a[i] = BlendOne(a[i], b[i], k);
}

#ifdef CORVALE_X86_KERNELS
// Eight channels a step in doubles: the same multiplications and addition as the
// scalar formula (the avx2 target has no fused multiply-add to contract them into),
// and the conversion rounds with the default ties-to-even mode, like lrint.
__attribute__((target("avx2"))) void BlendAvx2(Byte* a, const Byte* b, std::size_t n, double k) {
  const __m256d ka = _mm256_set1_pd(1 - k), kb = _mm256_set1_pd(k);
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i a32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + i)));
    const __m256i b32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + i)));
    const __m256d lo = _mm256_add_pd(_mm256_mul_pd(ka, _mm256_cvtepi32_pd(_mm256_castsi256_si128(a32))),
                                     _mm256_mul_pd(kb, _mm256_cvtepi32_pd(_mm256_castsi256_si128(b32))));
    const __m256d hi = _mm256_add_pd(_mm256_mul_pd(ka, _mm256_cvtepi32_pd(_mm256_extracti128_si256(a32, 1))),
                                     _mm256_mul_pd(kb, _mm256_cvtepi32_pd(_mm256_extracti128_si256(b32, 1))));
    const __m128i words = _mm_packs_epi32(_mm256_cvtpd_epi32(lo), _mm256_cvtpd_epi32(hi));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(a + i), _mm_packus_epi16(words, words));
  }
  BlendScalar(a + i, b + i, n - i, k);
}

// The same two doubles at a time with the SSE2 every x86-64 processor has.
void BlendSse2(Byte* a, const Byte* b, std::size_t n, double k) {
  const __m128d ka = _mm_set1_pd(1 - k), kb = _mm_set1_pd(k);
  const __m128i zero = _mm_setzero_si128();
  auto two = [&](__m128i a32, __m128i b32) {  // channels 0 and 1 of four 32-bit lanes
    return _mm_add_pd(_mm_mul_pd(ka, _mm_cvtepi32_pd(a32)), _mm_mul_pd(kb, _mm_cvtepi32_pd(b32)));
  };
  auto four = [&](__m128i a32, __m128i b32) {
    const __m128d lo = two(a32, b32), hi = two(_mm_srli_si128(a32, 8), _mm_srli_si128(b32, 8));
    return _mm_unpacklo_epi64(_mm_cvtpd_epi32(lo), _mm_cvtpd_epi32(hi));
  };
  auto eight = [&](__m128i a16, __m128i b16) {
    return _mm_packs_epi32(four(_mm_unpacklo_epi16(a16, zero), _mm_unpacklo_epi16(b16, zero)),
                           four(_mm_unpackhi_epi16(a16, zero), _mm_unpackhi_epi16(b16, zero)));
  };
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i lo = eight(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero));
    const __m128i hi = eight(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), _mm_packus_epi16(lo, hi));
  }
  BlendScalar(a + i, b + i, n - i, k);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

}  // namespace

bool BlendKernelAvailable(TBlendKernel kernel) {
#ifdef CORVALE_X86_KERNELS
  if (kernel == TBlendKernel::Sse2) return true;
  if (kernel == TBlendKernel::Avx2) return HasAvx2();
#endif
  return kernel == TBlendKernel::Scalar;
}

void BlendChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, double k) {
#ifdef CORVALE_X86_KERNELS
  if (kernel == TBlendKernel::Avx2 && HasAvx2()) return BlendAvx2(a, b, n, k);
  if (kernel != TBlendKernel::Scalar) return BlendSse2(a, b, n, k);
#endif
  BlendScalar(a, b, n, k);
}

void BlendChannels(Byte* a, const Byte* b, std::size_t n, double k) {
  BlendChannelsWith(TBlendKernel::Avx2, a, b, n, k);
}
