#include "skin/draw/BlendProof.h"

#include <bit>
#include <cmath>

namespace {

bool MatchesEveryPair(double k, TBlendWeight16 w) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b)
      if (Blend16One(Byte(a), Byte(b), w) != Byte(std::lrint((1 - k) * a + k * b))) return false;
  return true;
}

}  // namespace

std::optional<TBlendWeight16> ProveBlendWeight(double k) {
  if (!(k >= 0 && k <= 1)) return std::nullopt;
  // The share of `other` stays at most one half, so the weight fits 16 bits with room.
  const bool fromB = k > 0.5;
  const long nearest = std::lrint((fromB ? 1 - k : k) * 32768);
  for (long weight : {nearest, nearest - 1, nearest + 1}) {
    if (weight < 0 || weight > 16384) continue;
    const TBlendWeight16 w{std::int16_t(weight), fromB};
    if (MatchesEveryPair(k, w)) return w;
  }
  return std::nullopt;
}

std::optional<TBlendWeight16> TBlendProofCache::Weight(double k) {
  const std::uint64_t key = std::bit_cast<std::uint64_t>(k);
  {
    std::lock_guard<std::mutex> hold(FLock);
    const auto found = FProofs.find(key);
    if (found != FProofs.end()) return found->second;
    if (FProofs.size() >= FCapacity) return std::nullopt;
  }
  // Proven outside the lock: other factors stay served meanwhile; a second thread proving
  // the same factor finds the same answer.
  const std::optional<TBlendWeight16> proven = ProveBlendWeight(k);
  std::lock_guard<std::mutex> hold(FLock);
  if (FProofs.size() < FCapacity) FProofs.emplace(key, proven);
  return proven;
}

std::size_t TBlendProofCache::Count() const {
  std::lock_guard<std::mutex> hold(FLock);
  return FProofs.size();
}

TBlendProofCache& BlendProofs() {
  static TBlendProofCache cache(256);
  return cache;
}
