#pragma once
// A window region: a set of pixels made of rectangles (the classic HRGN).
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Types.h"

enum class TRegionOp { Or, And, Diff, Xor, Copy };

class TRegion {
 public:
  TRegion();
  explicit TRegion(const TRect& r);
  TRegion(const TRegion& o);
  TRegion& operator=(const TRegion& o);
  ~TRegion();

  // From a region-data block: 32-byte header (size 32, type 1, count, size, bounds)
  // then count 16-byte rectangles. A malformed block gives an empty region and false.
  static bool FromRegionData(const std::uint8_t* data, std::size_t size, TRegion& out);

  bool IsEmpty() const;
  TRect BoundingRect() const;
  std::vector<TRect> Rects() const;
  bool Contains(int x, int y) const;
  void Offset(int dx, int dy);
  // this = this OP other (Copy: this = other).
  void Combine(const TRegion& other, TRegionOp op);
  friend bool operator==(const TRegion& a, const TRegion& b);

  struct Impl;
  const Impl& impl() const { return *FImpl; }
  Impl& impl() { return *FImpl; }

 private:
  std::unique_ptr<Impl> FImpl;
};
