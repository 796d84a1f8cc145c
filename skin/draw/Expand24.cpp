#include "skin/draw/Expand24.h"

#include "skin/draw/CpuFeatures.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define CORVALE_X86_KERNELS 1
#endif

namespace {

void ExpandScalar(const Byte* in, TPixel* out, int from, int width) {
  for (int x = from; x < width; ++x) {
    const Byte* p = in + 3 * x;
    out[x] = TPixel(p[0]) | TPixel(p[1]) << 8 | TPixel(p[2]) << 16;
  }
}

#ifdef CORVALE_X86_KERNELS
// Eight pixels a step: two 16-byte loads 12 bytes apart, each half shuffled into four
// words with a zero top byte. The second load reads 4 bytes past the eight pixels, so the
// loop stops while 10 whole pixels remain.
__attribute__((target("avx2"))) void ExpandAvx2(const Byte* in, TPixel* out, int width) {
  const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                          0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int x = 0;
  for (; x + 10 <= width; x += 8) {
    const Byte* p = in + 3 * x;
    const __m256i bytes = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_shuffle_epi8(bytes, spread));
  }
  ExpandScalar(in, out, x, width);
}
#endif

}  // namespace

void Expand24To32(const Byte* in, TPixel* out, int width) {
#ifdef CORVALE_X86_KERNELS
  if (CpuHasAvx2()) return ExpandAvx2(in, out, width);
#endif
  ExpandScalar(in, out, 0, width);
}
