#pragma once
// The morph's integer blend: per channel, with base = a and other = b (or the other way
// round when FromB),
//   result = base + ((other - base) * Weight + 0x4000) >> 15   (arithmetic shift),
// the rounding high multiply of 16-bit lanes. For a given factor it gives the double
// formula's bytes only where a proof says so (BlendProof.h); it never leaves 0..255.
#include <cstddef>
#include <cstdint>

#include "framework/core/Types.h"
#include "skin/draw/BlendKernel.h"

struct TBlendWeight16 {
  std::int16_t Weight = 0;  // 0..16384: the share of `other`, in 1/32768
  bool FromB = false;       // base is b: the weight is (1 - k)'s, kept at most one half
  friend bool operator==(const TBlendWeight16&, const TBlendWeight16&) = default;
};

// One channel; the reference every vector kernel matches.
inline Byte Blend16One(Byte a, Byte b, TBlendWeight16 w) {
  const int base = w.FromB ? b : a, other = w.FromB ? a : b;
  return Byte(base + (((other - base) * w.Weight + 0x4000) >> 15));
}

// a[i] = Blend16One(a[i], b[i], w) for n channels, on the widest vector unit there is
// (or the given kernel; one the processor lacks falls back to the next narrower one).
void Blend16Channels(Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w);
void Blend16ChannelsWith(TBlendKernel kernel, Byte* a, const Byte* b, std::size_t n, TBlendWeight16 w);
