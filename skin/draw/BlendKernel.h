#pragma once
// The morph's inner loop: a[i] = round((1 - k) * a[i] + k * b[i]) for n channels, with
// the double-precision formula and its ties-to-even rounding exactly, on the widest
// vector unit the processor has.
#include <cstddef>

#include "framework/core/Types.h"

// k in [0, 1]. Row-sized calls are fine: the scalar tail is at most 15 channels.
void BlendChannels(Byte* a, const Byte* b, std::size_t n, double k);

// The kernels one by one, for tests: each must give the scalar formula's bytes. A kernel
// the processor lacks falls back to the next narrower one.
enum class TBlendKernel { Scalar, Sse2, Avx2 };
bool BlendKernelAvailable(TBlendKernel kernel);
void BlendChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, double k);
