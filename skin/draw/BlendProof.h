#pragma once
// Which morph factors the integer blend (BlendKernel16.h) may serve. For a factor k the
// proof runs all 65536 channel pairs (a, b) through the integer formula and compares
// them with the double formula round((1 - k) * a + k * b); only a weight that matches
// every pair is used. The nearest weight is tried first, then its two neighbours (a
// correction for factors whose nearest weight errs on a few pairs). Factors with exact
// ties that the double formula rounds to even (0.5, 0.25, ...) have no such weight and
// stay on the double kernel.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "skin/draw/BlendKernel16.h"

// The proof itself, uncached: the weight that gives the double formula's bytes for every
// pair at k, or none.
std::optional<TBlendWeight16> ProveBlendWeight(double k);

// Proofs by factor (by its exact bits), safe to share between threads. A factor proven
// once is looked up afterwards; when Capacity factors are stored, further factors get no
// weight (the double kernel serves them) instead of a proof on every call.
class TBlendProofCache {
 public:
  explicit TBlendProofCache(std::size_t capacity) : FCapacity(capacity) {}

  std::optional<TBlendWeight16> Weight(double k);
  std::size_t Count() const;
  std::size_t Capacity() const { return FCapacity; }

 private:
  const std::size_t FCapacity;
  mutable std::mutex FLock;
  std::unordered_map<std::uint64_t, std::optional<TBlendWeight16>> FProofs;
};

// The process's cache, used by TbsEffectBmp::Morph (room for 256 factors; the controls'
// 0.2 steps reach seven).
TBlendProofCache& BlendProofs();
