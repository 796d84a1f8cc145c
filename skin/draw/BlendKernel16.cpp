#include "skin/draw/BlendKernel16.h"

#include "skin/draw/CpuFeatures.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define CORVALE_X86_KERNELS 1
#endif

namespace {

void Blend16Scalar(Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w, std::size_t from) {
  for (std::size_t i = from; i < n; ++i) a[i] = Blend16One(a[i], b[i], w);
}

#ifdef CORVALE_X86_KERNELS
// 32 channels a step: bytes widened to 16 bits within each 128-bit half (the pack at the
// end narrows them back in the same order), then base + mulhrs(other - base, Weight).
template <bool FromB>
__attribute__((target("avx2"))) void Blend16Avx2(Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w) {
  const __m256i weight = _mm256_set1_epi16(w.Weight), zero = _mm256_setzero_si256();
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
    const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    const __m256i base = FromB ? vb : va, other = FromB ? va : vb;
    const __m256i baseLo = _mm256_unpacklo_epi8(base, zero), baseHi = _mm256_unpackhi_epi8(base, zero);
    const __m256i lo = _mm256_add_epi16(
        baseLo, _mm256_mulhrs_epi16(_mm256_sub_epi16(_mm256_unpacklo_epi8(other, zero), baseLo), weight));
    const __m256i hi = _mm256_add_epi16(
        baseHi, _mm256_mulhrs_epi16(_mm256_sub_epi16(_mm256_unpackhi_epi8(other, zero), baseHi), weight));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(a + i), _mm256_packus_epi16(lo, hi));
  }
  Blend16Scalar(a, b, n, w, i);
}

// SSE2 has no rounding high multiply: multiply-add (other - base, 1) by (Weight, 0x4000)
// into 32 bits, shift by 15, and narrow.
template <bool FromB>
void Blend16Sse2(Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w) {
  const __m128i pair = _mm_set1_epi32(int(std::uint16_t(w.Weight)) | 0x4000 << 16);
  const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1);
  auto eight = [&](__m128i base16, __m128i other16) {
    const __m128i d = _mm_sub_epi16(other16, base16);
    const __m128i lo = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(d, one), pair), 15);
    const __m128i hi = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(d, one), pair), 15);
    return _mm_add_epi16(base16, _mm_packs_epi32(lo, hi));
  };
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i base = FromB ? vb : va, other = FromB ? va : vb;
    const __m128i lo = eight(_mm_unpacklo_epi8(base, zero), _mm_unpacklo_epi8(other, zero));
    const __m128i hi = eight(_mm_unpackhi_epi8(base, zero), _mm_unpackhi_epi8(other, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), _mm_packus_epi16(lo, hi));
  }
  Blend16Scalar(a, b, n, w, i);
}
#endif

}  // namespace

void Blend16ChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w) {
#ifdef CORVALE_X86_KERNELS
  if (kernel == TBlendKernel::Avx2 && CpuHasAvx2())
    return w.FromB ? Blend16Avx2<true>(a, b, n, w) : Blend16Avx2<false>(a, b, n, w);
  if (kernel != TBlendKernel::Scalar) return w.FromB ? Blend16Sse2<true>(a, b, n, w) : Blend16Sse2<false>(a, b, n, w);
#endif
  (void)kernel;
  Blend16Scalar(a, b, n, w, 0);
}

void Blend16Channels(Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w) {
  Blend16ChannelsWith(TBlendKernel::Avx2, a, b, n, w);
}
