#pragma once
// Window shapes from mask bitmaps: pure black pixels are inside, every other colour is
// outside.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Types.h"

class TBitmap;
class TRegion;

// Region-data block layout: a 32-byte header (header size 32, type 1, rectangle count,
// size 0, bounding rectangle), then count rectangles of four little-endian 32-bit edges.
constexpr std::size_t RegionDataHeaderSize = 32;
constexpr std::size_t RegionDataRectSize = 16;

// One rectangle per maximal run of black pixels in each row, in row order and left to
// right, offset by (ox, oy); the bounding rectangle is the mask's rectangle at that
// offset. An empty mask gives an empty block (size 0).
std::vector<std::uint8_t> MaskToRegionRects(const TBitmap& mask, int ox, int oy);

// The region of a mask; nullptr when the mask is empty.
std::unique_ptr<TRegion> CreateMaskRegion(const TBitmap& mask);

// The region of an element resized to W x H built from the mask of its skin size; nullptr
// (no region: the window stays rectangular) when the target is smaller than the fixed
// corners.
std::unique_ptr<TRegion> CreateFrameMaskRegion(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                                               TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB,
                                               TRect NCL, int W, int H, const TBitmap& mask);
