#pragma once
// Synthetic pictures for pixel tests: every pixel encodes its own coordinates, so each
// copied piece can be traced back to where it came from.
#include <memory>

#include "framework/graphics/Bitmap.h"

namespace drawtest {

constexpr TPixel kWhite = 0xFFFFFF;

// Coordinates up to 4095; never white except (4095, 4095).
inline TPixel CodeOf(int x, int y) { return TPixel((x & 0xFFF) << 12 | (y & 0xFFF)); }

inline std::unique_ptr<TBitmap> CodedPicture(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = CodeOf(x, y);
  return b;
}

inline TPixel Px(const TBitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

inline std::unique_ptr<TBitmap> Filled(int w, int h, TPixel p) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = p;
  return b;
}

}  // namespace drawtest
