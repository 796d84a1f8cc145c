#pragma once
// The blends' inner loops in doubles: a[i] = round(wa * a[i] + wb * b[i]) with the
// double-precision products and sum and ties-to-even rounding exactly, on the widest
// vector unit the processor has. The morph's factor k is wa = 1 - k, wb = k; a ramp's
// weight m is wa = m, wb = 1 - m.
#include <cstddef>

#include "framework/core/Types.h"

// The kernels, each byte-exact with the scalar formula. A kernel the processor lacks
// falls back to the next narrower one.
enum class TBlendKernel { Scalar, Sse2, Avx2 };
bool BlendKernelAvailable(TBlendKernel kernel);

// k in [0, 1]: a[i] = round((1 - k) * a[i] + k * b[i]). The scalar tail is at most 15
// channels.
void BlendChannels(Byte* a, const Byte* b, std::size_t n, double k);
void BlendChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, double k);

// m in [0, 1]: a[i] = round(m * a[i] + (1 - m) * b[i]).
void MixChannels(Byte* a, const Byte* b, std::size_t n, double m);

// One weight pair per channel: a[i] = round(wa[i] * a[i] + wb[i] * b[i]); every weight in
// [0, 1] and wa[i] + wb[i] about 1, so no result leaves 0..255.
void MixChannelsWeighted(Byte* a, const Byte* b, std::size_t n, const double* wa, const double* wb);
void MixChannelsWeightedWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, const double* wa,
                             const double* wb);
