// Mask regions: the region-data block byte for byte, regions against per-pixel
// references, and the frame strips a resized element's region is made of.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinRegion.h"
#include "tests/skin/draw/unit/DrawTestPictures.h"

using namespace drawtest;

namespace {

constexpr TPixel kBlack = 0;

std::int32_t Int32At(const std::vector<std::uint8_t>& d, std::size_t at) {
  return std::int32_t(std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 | std::uint32_t(d[at + 2]) << 16 |
                      std::uint32_t(d[at + 3]) << 24);
}

TRect RectAt(const std::vector<std::uint8_t>& d, std::size_t i) {
  const std::size_t at = 32 + 16 * i;
  return {Int32At(d, at), Int32At(d, at + 4), Int32At(d, at + 8), Int32At(d, at + 12)};
}

std::unique_ptr<TBitmap> RandomMask(int w, int h, unsigned seed, int blackPercent) {
  std::mt19937 rng(seed);
  auto m = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m->ScanLine(y)[x] = int(rng() % 100) < blackPercent ? kBlack : 0x00FF00 + (rng() % 3);
  return m;
}

}  // namespace

TEST(MaskToRegionRects, AlternatingPixelsGiveOneRectangleEach) {
  TBitmap mask(9, 1);
  for (int x = 0; x < 9; ++x) mask.ScanLine(0)[x] = x % 2 ? 0xFFFFFF : kBlack;
  const auto data = MaskToRegionRects(mask, 10, 20);
  ASSERT_EQ(data.size(), 32u + 16u * 5);
  EXPECT_EQ(Int32At(data, 0), 32);
  EXPECT_EQ(Int32At(data, 4), 1);
  EXPECT_EQ(Int32At(data, 8), 5);
  EXPECT_EQ(Int32At(data, 12), 0);
  EXPECT_EQ((TRect{Int32At(data, 16), Int32At(data, 20), Int32At(data, 24), Int32At(data, 28)}),
            (TRect{10, 20, 19, 21}));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(RectAt(data, std::size_t(i)), (TRect{10 + 2 * i, 20, 11 + 2 * i, 21}));
}

TEST(MaskToRegionRects, RunsAreMaximalAndInRowOrder) {
  // Row 0: black 0..3, white, black 4..6 (to the row's end); row 1: none; row 2: all.
  TBitmap mask(7, 3);
  const char* rows[] = {"BBBwBBB", "wwwwwww", "BBBBBBB"};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) mask.ScanLine(y)[x] = rows[y][x] == 'B' ? kBlack : 0xFFFFFF;
  const auto data = MaskToRegionRects(mask, 0, 0);
  ASSERT_EQ(Int32At(data, 8), 3);
  EXPECT_EQ(RectAt(data, 0), (TRect{0, 0, 3, 1}));
  EXPECT_EQ(RectAt(data, 1), (TRect{4, 0, 7, 1}));
  EXPECT_EQ(RectAt(data, 2), (TRect{0, 2, 7, 3}));
}

TEST(MaskToRegionRects, OnlyExactBlackIsInside) {
  TBitmap mask(4, 1);
  mask.SetPixel(0, 0, RGB(0, 0, 1));
  mask.SetPixel(1, 0, RGB(1, 0, 0));
  mask.SetPixel(2, 0, RGB(0, 1, 0));
  mask.SetPixel(3, 0, RGB(0, 0, 0));
  const auto data = MaskToRegionRects(mask, 0, 0);
  ASSERT_EQ(Int32At(data, 8), 1);
  EXPECT_EQ(RectAt(data, 0), (TRect{3, 0, 4, 1}));
  auto region = CreateMaskRegion(mask);
  ASSERT_TRUE(region);
  EXPECT_FALSE(region->Contains(0, 0));
  EXPECT_TRUE(region->Contains(3, 0));
}

TEST(MaskToRegionRects, WhiteMaskGivesNoRectanglesAndEmptyMaskNoBlock) {
  auto white = Filled(6, 4, 0xFFFFFF);
  const auto data = MaskToRegionRects(*white, 0, 0);
  ASSERT_EQ(data.size(), 32u);
  EXPECT_EQ(Int32At(data, 8), 0);
  auto region = CreateMaskRegion(*white);
  ASSERT_TRUE(region);
  EXPECT_TRUE(region->IsEmpty());

  TBitmap empty;
  EXPECT_TRUE(MaskToRegionRects(empty, 0, 0).empty());
  EXPECT_FALSE(CreateMaskRegion(empty));
}

TEST(MaskToRegionRects, RegionMatchesEveryPixelAndTableGrowsPastTenThousand) {
  // 301 x 80 alternating columns: 151 runs per row, 12 080 in all.
  TBitmap stripes(301, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 301; ++x) stripes.ScanLine(y)[x] = x % 2 ? 0xFFFFFF : kBlack;
  const auto data = MaskToRegionRects(stripes, 0, 0);
  EXPECT_EQ(Int32At(data, 8), 151 * 80);
  EXPECT_EQ(data.size(), 32u + 16u * 151 * 80);
  EXPECT_EQ(RectAt(data, 151 * 80 - 1), (TRect{300, 79, 301, 80}));

  for (unsigned seed : {1u, 2u, 3u}) {
    auto mask = RandomMask(37, 23, seed, 55);
    auto region = CreateMaskRegion(*mask);
    ASSERT_TRUE(region);
    for (int y = -1; y <= 23; ++y)
      for (int x = -1; x <= 37; ++x) {
        const bool inside = x >= 0 && y >= 0 && x < 37 && y < 23 && Px(*mask, x, y) == kBlack;
        ASSERT_EQ(region->Contains(x, y), inside) << seed << ": " << x << "," << y;
      }
  }
}

namespace {

// A 24 x 20 element (mask of that size).
const TbsSkinPoints kPts{{7, 6}, {17, 5}, {6, 13}, {18, 12}, {4, 3, 20, 16}};
constexpr int kRW = 24, kRH = 20;

// Whether target pixel (x, y) is inside by the strip layout, computed per pixel.
bool FrameInside(const TBitmap& mask, const TbsSkinPoints& s, const TbsSkinPoints& n, int W, int x, int y) {
  const int PW = mask.Width(), PH = mask.Height();
  auto black = [&](int sx, int sy) { return Px(mask, sx, sy) == kBlack; };
  bool inside = PtInRect(n.Client, {x, y}) && !IsNullRect(n.Client);
  const int sideH = RectHeight(n.Client);
  // top strip
  if (y >= 0 && y < s.Client.Top && x >= 0 && x < W) {
    int sx;
    if (x >= n.RightTop.X) sx = s.RightTop.X + (x - n.RightTop.X);
    else if (x < s.LeftTop.X) sx = x;
    else sx = s.LeftTop.X + (x - n.LeftTop.X) % (s.RightTop.X - s.LeftTop.X);
    inside |= sx < PW && black(sx, y);
  }
  // bottom strip
  const int by = y - n.Client.Bottom;
  if (by >= 0 && by < PH - s.Client.Bottom && x >= 0 && x < W) {
    int sx;
    if (x >= n.RightBottom.X) sx = s.RightBottom.X + (x - n.RightBottom.X);
    else if (x < s.LeftBottom.X) sx = x;
    else sx = s.LeftBottom.X + (x - n.LeftBottom.X) % (s.RightBottom.X - s.LeftBottom.X);
    inside |= sx < PW && black(sx, s.Client.Bottom + by);
  }
  // side strips
  auto side = [&](int sx, int sy, int edgeTop, int edgeBottom) {
    const int lower = s.Client.Bottom - edgeBottom;
    int row;
    if (sy >= sideH - lower) row = edgeBottom + (sy - (sideH - lower));
    else if (sy < edgeTop - s.Client.Top) row = s.Client.Top + sy;
    else row = edgeTop + (sy - (edgeTop - s.Client.Top)) % (edgeBottom - edgeTop);
    return black(sx, row);
  };
  const int sy = y - n.Client.Top;
  if (sy >= 0 && sy < sideH) {
    if (x >= 0 && x < s.Client.Left) inside |= side(x, sy, s.LeftTop.Y, s.LeftBottom.Y);
    const int rx = x - n.Client.Right;
    if (rx >= 0 && rx < PW - s.Client.Right) inside |= side(s.Client.Right + rx, sy, s.RightTop.Y, s.RightBottom.Y);
  }
  return inside;
}

}  // namespace

TEST(CreateFrameMaskRegion, MatchesAPerPixelReference) {
  for (unsigned seed : {7u, 8u}) {
    auto mask = RandomMask(kRW, kRH, seed, 50);
    for (TSize size : {TSize{24, 20}, TSize{34, 27}, TSize{57, 41}, TSize{15, 14}, TSize{100, 21}}) {
      int W = size.cx, H = size.cy;
      const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, {0, 0, kRW, kRH}, kPts, W, H);
      auto region = CreateFrameMaskRegion(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom,
                                          kPts.Client, n.LeftTop, n.RightTop, n.LeftBottom, n.RightBottom, n.Client,
                                          W, H, *mask);
      ASSERT_TRUE(region);
      int bad = 0;
      for (int y = -1; y <= H; ++y)
        for (int x = -1; x <= W; ++x)
          if (region->Contains(x, y) != FrameInside(*mask, kPts, n, W, x, y) && ++bad <= 5)
            ADD_FAILURE() << "seed " << seed << " " << W << "x" << H << " pixel " << x << "," << y;
      EXPECT_EQ(bad, 0);
    }
  }
}

TEST(CreateFrameMaskRegion, SourceSizeRegionIsTheMaskRegion) {
  auto mask = RandomMask(kRW, kRH, 11, 60);
  // The client area is part of the region whatever the mask says there.
  for (int y = kPts.Client.Top; y < kPts.Client.Bottom; ++y)
    for (int x = kPts.Client.Left; x < kPts.Client.Right; ++x) mask->ScanLine(y)[x] = kBlack;
  auto region = CreateFrameMaskRegion(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client,
                                      kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client,
                                      kRW, kRH, *mask);
  auto plain = CreateMaskRegion(*mask);
  ASSERT_TRUE(region);
  ASSERT_TRUE(plain);
  EXPECT_TRUE(*region == *plain);
}

TEST(CreateFrameMaskRegion, NoneWhenSmallerThanTheCorners) {
  auto mask = RandomMask(kRW, kRH, 3, 50);
  int W = 12, H = 20;  // NRT.X = 5 < NLT.X = 7
  TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, {0, 0, kRW, kRH}, kPts, W, H);
  EXPECT_FALSE(CreateFrameMaskRegion(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client,
                                     n.LeftTop, n.RightTop, n.LeftBottom, n.RightBottom, n.Client, W, H, *mask));
  W = 24, H = 12;  // NLB.Y = 5 < NLT.Y = 6
  n = CalcTargetSkinPoints(rmBoth, {0, 0, kRW, kRH}, kPts, W, H);
  EXPECT_FALSE(CreateFrameMaskRegion(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client,
                                     n.LeftTop, n.RightTop, n.LeftBottom, n.RightBottom, n.Client, W, H, *mask));
}

TEST(BuildFrameStrips, StripSizesAndZeroSizedStrips) {
  auto pic = CodedPicture(kRW, kRH);
  int W = 40, H = 30;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, {0, 0, kRW, kRH}, kPts, W, H);
  TBitmap top, bottom, left, right;
  BuildFrameStrips(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, n.LeftTop,
                   n.RightTop, n.LeftBottom, n.RightBottom, n.Client, W, *pic, top, bottom, left, right);
  EXPECT_EQ((TSize{top.Width(), top.Height()}), (TSize{40, 3}));
  EXPECT_EQ((TSize{bottom.Width(), bottom.Height()}), (TSize{40, 4}));
  EXPECT_EQ((TSize{left.Width(), left.Height()}), (TSize{4, 23}));
  EXPECT_EQ((TSize{right.Width(), right.Height()}), (TSize{4, 23}));
  // Right end of the top strip and the lower part of the right strip, one pixel each.
  EXPECT_EQ(Px(top, 39, 2), CodeOf(23, 2));
  EXPECT_EQ(Px(right, 0, 22), CodeOf(20, 15));

  TbsSkinPoints flat = kPts;
  flat.Client.Top = 0;  // no top border
  TBitmap top2, bottom2, left2, right2;
  top2.SetSize(5, 5);
  BuildFrameStrips(flat.LeftTop, flat.RightTop, flat.LeftBottom, flat.RightBottom, flat.Client, n.LeftTop,
                   n.RightTop, n.LeftBottom, n.RightBottom, {4, 0, 20, 26}, W, *pic, top2, bottom2, left2, right2);
  EXPECT_TRUE(top2.Empty());
  EXPECT_FALSE(left2.Empty());
}

namespace {
const TRect kFrameR{5, 3, 29, 23};  // the 24 x 20 frame at (5, 3) in a 40 x 30 picture
}

TEST(BuildStretchFrameStrips, TiledStripsFromTheFrameRectangle) {
  auto pic = CodedPicture(40, 30);
  const TbsSkinPoints& s = kPts;
  int W = 51, H = 37;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, kFrameR, s, W, H);
  TBitmap top, bottom, left, right;
  BuildStretchFrameStrips(s.LeftTop, s.RightTop, s.LeftBottom, s.Client, s.RightBottom, n.LeftTop, n.RightTop,
                          n.LeftBottom, n.RightBottom, n.Client, false, false, false, false, W, H, kFrameR, *pic, top,
                          bottom, left, right);
  const int topH = n.Client.Top, bottomH = H - n.Client.Bottom, sideH = H - topH - bottomH;
  ASSERT_EQ((TSize{top.Width(), top.Height()}), (TSize{W, topH}));
  ASSERT_EQ((TSize{bottom.Width(), bottom.Height()}), (TSize{W, bottomH}));
  ASSERT_EQ((TSize{left.Width(), left.Height()}), (TSize{n.Client.Left, sideH}));
  ASSERT_EQ((TSize{right.Width(), right.Height()}), (TSize{W - n.Client.Right, sideH}));
  auto horizontalX = [&](int x, int lx, int rx, int nrx) {
    if (x >= nrx) return kFrameR.Left + rx + (x - nrx);
    if (x < lx) return kFrameR.Left + x;
    return kFrameR.Left + lx + x % (rx - lx);  // tiled from x = 0
  };
  for (int y = 0; y < topH; ++y)
    for (int x = 0; x < W; ++x)
      ASSERT_EQ(Px(top, x, y), CodeOf(horizontalX(x, s.LeftTop.X, s.RightTop.X, n.RightTop.X), kFrameR.Top + y))
          << x << "," << y;
  for (int y = 0; y < bottomH; ++y)
    for (int x = 0; x < W; ++x)
      ASSERT_EQ(Px(bottom, x, y),
                CodeOf(horizontalX(x, s.LeftBottom.X, s.RightBottom.X, n.RightBottom.X), kFrameR.Bottom - bottomH + y))
          << x << "," << y;
  auto verticalY = [&](int y, int ty, int by) {
    const int lower = s.Client.Bottom - by;
    if (y >= sideH - lower) return kFrameR.Top + by + (y - (sideH - lower));
    if (y < ty - s.Client.Top) return kFrameR.Top + s.Client.Top + y;
    return kFrameR.Top + ty + y % (by - ty);
  };
  for (int y = 0; y < sideH; ++y) {
    for (int x = 0; x < left.Width(); ++x)
      ASSERT_EQ(Px(left, x, y), CodeOf(kFrameR.Left + x, verticalY(y, s.LeftTop.Y, s.LeftBottom.Y))) << x << "," << y;
    for (int x = 0; x < right.Width(); ++x)
      ASSERT_EQ(Px(right, x, y), CodeOf(kFrameR.Right - right.Width() + x, verticalY(y, s.RightTop.Y, s.RightBottom.Y)))
          << x << "," << y;
  }
}

TEST(BuildStretchFrameStrips, StretchedMiddlesAndSkippedStrips) {
  auto pic = CodedPicture(40, 30);
  const TbsSkinPoints& s = kPts;
  int W = 60, H = 44;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, kFrameR, s, W, H);
  TBitmap top, bottom, left, right;
  BuildStretchFrameStrips(s.LeftTop, s.RightTop, s.LeftBottom, s.Client, s.RightBottom, n.LeftTop, n.RightTop,
                          n.LeftBottom, n.RightBottom, n.Client, true, true, true, true, W, H, kFrameR, *pic, top,
                          bottom, left, right);
  // Top middle: the source span stretched alone into (NLT.X, 0, NRT.X, height).
  const int h = n.Client.Top;
  TBitmap want(n.RightTop.X - n.LeftTop.X, h);
  want.Canvas()->CopyRect({0, 0, want.Width(), h}, pic.get(),
                          {kFrameR.Left + s.LeftTop.X, kFrameR.Top, kFrameR.Left + s.RightTop.X, kFrameR.Top + h});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < want.Width(); ++x) ASSERT_EQ(Px(top, n.LeftTop.X + x, y), Px(want, x, y)) << x << "," << y;
  EXPECT_EQ(Px(top, 0, 0), CodeOf(kFrameR.Left, kFrameR.Top));
  EXPECT_EQ(Px(top, W - 1, h - 1), CodeOf(kFrameR.Right - 1, kFrameR.Top + h - 1));
  // Left middle: rows LT.Y..LB.Y stretched between the two corner parts.
  const int sideH = RectHeight(n.Client);
  EXPECT_EQ(Px(left, 0, s.LeftTop.Y - s.Client.Top), CodeOf(kFrameR.Left, kFrameR.Top + s.LeftTop.Y));
  const int lastEdgeRow = sideH - (s.Client.Bottom - s.LeftBottom.Y) - 1;
  EXPECT_EQ(Px(left, 0, lastEdgeRow), CodeOf(kFrameR.Left, kFrameR.Top + s.LeftBottom.Y - 1));
  EXPECT_EQ(Px(left, 0, sideH - 1), CodeOf(kFrameR.Left, kFrameR.Top + s.Client.Bottom - 1));

  // An empty middle span skips its strip.
  TBitmap t2, b2, l2, r2;
  BuildStretchFrameStrips(s.LeftTop, {7, 5}, s.LeftBottom, s.Client, s.RightBottom, n.LeftTop, n.RightTop, n.LeftBottom,
                          n.RightBottom, n.Client, false, false, false, false, W, H, kFrameR, *pic, t2, b2, l2, r2);
  EXPECT_TRUE(t2.Empty());
  EXPECT_FALSE(b2.Empty());
}
