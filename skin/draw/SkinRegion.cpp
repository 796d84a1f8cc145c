#include "skin/draw/SkinRegion.h"

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"

namespace {

void PutInt32(std::uint8_t* at, std::int64_t value) {
  const auto v = std::uint32_t(std::int32_t(value));
  at[0] = std::uint8_t(v);
  at[1] = std::uint8_t(v >> 8);
  at[2] = std::uint8_t(v >> 16);
  at[3] = std::uint8_t(v >> 24);
}

// Region of one mask at an offset; nullptr when the mask is empty.
std::unique_ptr<TRegion> MaskRegionAt(const TBitmap& mask, int ox, int oy) {
  const std::vector<std::uint8_t> data = MaskToRegionRects(mask, ox, oy);
  if (data.empty()) return nullptr;
  auto region = std::make_unique<TRegion>();
  if (!TRegion::FromRegionData(data.data(), data.size(), *region))
    throw EInvalidOperation("Mask region could not be created from its rectangles");
  return region;
}

void Unite(std::unique_ptr<TRegion>& into, std::unique_ptr<TRegion> other) {
  if (!other) return;
  if (!into) into = std::move(other);
  else into->Combine(*other, TRegionOp::Or);
}

}  // namespace

std::vector<std::uint8_t> MaskToRegionRects(const TBitmap& mask, int ox, int oy) {
  if (mask.Empty()) return {};
  const TbsFBitmap bits(mask);
  const int w = bits.Width(), h = bits.Height();
  // Runs are collected as they are found; the table grows instead of stopping at a limit.
  std::vector<std::int32_t> runs;
  runs.reserve(4 * 256);
  for (int y = 0; y < h; ++y) {
    const Byte* row = bits.Row(y);
    int x = 0;
    while (x < w) {
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0) ++x;
      if (x >= w) break;
      const int x0 = x;
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) ++x;
      runs.insert(runs.end(), {std::int32_t(ox + x0), std::int32_t(oy + y), std::int32_t(ox + x),
                               std::int32_t(oy + y + 1)});
    }
  }
  const std::size_t count = runs.size() / 4;
  std::vector<std::uint8_t> data(RegionDataHeaderSize + RegionDataRectSize * count);
  std::uint8_t* p = data.data();
  PutInt32(p + 0, RegionDataHeaderSize);
  PutInt32(p + 4, 1);
  PutInt32(p + 8, std::int64_t(count));
  PutInt32(p + 12, 0);
  PutInt32(p + 16, ox);
  PutInt32(p + 20, oy);
  PutInt32(p + 24, std::int64_t(ox) + w);
  PutInt32(p + 28, std::int64_t(oy) + h);
  p += RegionDataHeaderSize;
  for (std::int32_t v : runs) {
    PutInt32(p, v);
    p += 4;
  }
  return data;
}

std::unique_ptr<TRegion> CreateMaskRegion(const TBitmap& mask) { return MaskRegionAt(mask, 0, 0); }

std::unique_ptr<TRegion> CreateFrameMaskRegion(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                                               TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB,
                                               TRect NCL, int W, int H, const TBitmap& mask) {
  if (NRT.X < NLT.X || NLB.Y < NLT.Y) return nullptr;
  TBitmap top, bottom, left, right;
  BuildFrameStrips(LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, W, mask, top, bottom, left, right);
  std::unique_ptr<TRegion> horizontal = MaskRegionAt(top, 0, 0);
  Unite(horizontal, MaskRegionAt(bottom, 0, NCL.Bottom));
  std::unique_ptr<TRegion> sides = MaskRegionAt(left, 0, NCL.Top);
  Unite(sides, MaskRegionAt(right, NCL.Right, NCL.Top));
  Unite(horizontal, std::move(sides));
  if (!IsNullRect(NCL)) Unite(horizontal, std::make_unique<TRegion>(NCL));
  return horizontal;
}
