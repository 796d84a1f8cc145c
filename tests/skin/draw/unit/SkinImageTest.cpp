// Nine-piece and three-piece builders against per-pixel references written with modulo
// arithmetic, on pictures whose pixels encode their own coordinates.
#include <gtest/gtest.h>

#include <functional>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/PieceCopy.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinImage.h"
#include "tests/skin/draw/unit/DrawTestPictures.h"

using namespace drawtest;

namespace {

// A 24 x 20 element at (5, 3) in a 40 x 30 picture. Edge tiles: top 10, bottom 12,
// left 7, right 7 pixels; centre 16 x 13.
const TRect kR{5, 3, 29, 23};
const TbsSkinPoints kPts{{7, 6}, {17, 5}, {6, 13}, {18, 12}, {4, 3, 20, 16}};

struct Target {
  int W, H;
  TbsSkinPoints n;
};

Target TargetFor(int W, int H) {
  Target t{W, H, {}};
  t.n = CalcTargetSkinPoints(rmBoth, kR, kPts, t.W, t.H);
  return t;
}

// Source pixel (relative to R) of target pixel (x, y); nullopt-like {-1,-1} for "unpainted".
using SourceFn = std::function<TPoint(int x, int y)>;

int Mod(int a, int m) { return a % m; }

TPoint NineSource(const Target& t, int x, int y, bool drawClient) {
  const TbsSkinPoints& s = kPts;
  const TbsSkinPoints& n = t.n;
  const int dx = t.W - RectWidth(kR), dy = t.H - RectHeight(kR);
  if (y < n.Client.Top) {
    if (x < n.LeftTop.X) return {x, y};
    if (x >= n.RightTop.X) return {x - dx, y};
    return {s.LeftTop.X + Mod(x - n.LeftTop.X, s.RightTop.X - s.LeftTop.X), y};
  }
  if (y >= n.Client.Bottom) {
    if (x < n.LeftBottom.X) return {x, y - dy};
    if (x >= n.RightBottom.X) return {x - dx, y - dy};
    return {s.LeftBottom.X + Mod(x - n.LeftBottom.X, s.RightBottom.X - s.LeftBottom.X), y - dy};
  }
  if (x < n.Client.Left) {
    if (y < n.LeftTop.Y) return {x, y};
    if (y >= n.LeftBottom.Y) return {x, y - dy};
    return {x, s.LeftTop.Y + Mod(y - n.LeftTop.Y, s.LeftBottom.Y - s.LeftTop.Y)};
  }
  if (x >= n.Client.Right) {
    if (y < n.RightTop.Y) return {x - dx, y};
    if (y >= n.RightBottom.Y) return {x - dx, y - dy};
    return {x - dx, s.RightTop.Y + Mod(y - n.RightTop.Y, s.RightBottom.Y - s.RightTop.Y)};
  }
  if (!drawClient) return {-1, -1};
  return {s.Client.Left + Mod(x - n.Client.Left, RectWidth(s.Client)),
          s.Client.Top + Mod(y - n.Client.Top, RectHeight(s.Client))};
}

// Compares every pixel of dest with the picture pixel the reference names.
void ExpectImage(const TBitmap& dest, int W, int H, const SourceFn& source, const char* what) {
  ASSERT_EQ(dest.Width(), W) << what;
  ASSERT_EQ(dest.Height(), H) << what;
  int bad = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const TPoint s = source(x, y);
      const TPixel want = s.X < 0 ? kWhite : CodeOf(kR.Left + s.X, kR.Top + s.Y);
      if (Px(dest, x, y) != want && ++bad <= 5)
        ADD_FAILURE() << what << " " << W << "x" << H << " pixel (" << x << "," << y << ") is " << std::hex
                      << Px(dest, x, y) << " want " << want;
    }
  EXPECT_EQ(bad, 0) << what;
}

void BuildNine(const TBitmap& pic, TBitmap& dest, const Target& t, bool drawClient) {
  BuildSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, t.n.LeftTop,
                 t.n.RightTop, t.n.LeftBottom, t.n.RightBottom, t.n.Client, pic, dest, kR, t.W, t.H, drawClient);
}

}  // namespace

TEST(SkinGeometry, RectAndPointHelpers) {
  const TRect r{2, 3, 10, 7};
  EXPECT_EQ(RectWidth(r), 8);
  EXPECT_EQ(RectHeight(r), 4);
  EXPECT_TRUE(IsNullRect({5, 5, 5, 9}));
  EXPECT_TRUE(IsNullRect({5, 5, 9, 4}));
  EXPECT_FALSE(IsNullRect(r));
  EXPECT_TRUE(IsNullRect(NullRect));
  EXPECT_TRUE(IsNullPoint({0, 4}));
  EXPECT_TRUE(IsNullPoint({4, 0}));
  EXPECT_FALSE(IsNullPoint({-1, 4}));
  // Edges included for points, excluded for rectangles.
  EXPECT_TRUE(PointInsideRect(r, {10, 7}));
  EXPECT_TRUE(PointInsideRect(r, {2, 3}));
  EXPECT_FALSE(PointInsideRect(r, {11, 7}));
  EXPECT_FALSE(RectInsideRect({3, 4, 10, 6}, r));
  EXPECT_FALSE(RectInsideRect({3, 4, 9, 7}, r));
  EXPECT_TRUE(RectInsideRect({3, 4, 9, 6}, r));
  EXPECT_TRUE(RectInsideRect({2, 3, 9, 6}, r));
}

TEST(SkinGeometry, ResizeModeFollowsThePoints) {
  TbsSkinPoints p{};
  EXPECT_EQ(SkinResizeMode({0, 0, 0, 5}, kPts), rmNone);
  EXPECT_EQ(SkinResizeMode(kR, p), rmFixed);
  p.LeftBottom = {0, 3};
  EXPECT_EQ(SkinResizeMode(kR, p), rmVertical);
  p.RightTop = {4, 0};
  EXPECT_EQ(SkinResizeMode(kR, p), rmHorizontal);
  p.RightBottom = {5, 0};
  EXPECT_EQ(SkinResizeMode(kR, p), rmHorizontal);
  p.RightBottom = {5, 6};
  EXPECT_EQ(SkinResizeMode(kR, p), rmBoth);
}

TEST(SkinGeometry, TargetPointsPerMode) {
  int W = 34, H = 27;
  TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, kR, kPts, W, H);
  EXPECT_EQ(W, 34);
  EXPECT_EQ(n.LeftTop, kPts.LeftTop);
  EXPECT_EQ(n.RightTop, (TPoint{27, 5}));
  EXPECT_EQ(n.LeftBottom, (TPoint{6, 20}));
  EXPECT_EQ(n.RightBottom, (TPoint{28, 19}));
  EXPECT_EQ(n.Client, (TRect{4, 3, 30, 23}));

  W = 34, H = 27;
  n = CalcTargetSkinPoints(rmHorizontal, kR, kPts, W, H);
  EXPECT_EQ(H, 20);
  EXPECT_EQ(n.RightTop, (TPoint{27, 5}));
  EXPECT_EQ(n.LeftBottom, kPts.LeftBottom);
  EXPECT_EQ(n.RightBottom, kPts.RightBottom);
  EXPECT_EQ(n.Client, (TRect{4, 3, 30, 16}));

  W = 34, H = 27;
  n = CalcTargetSkinPoints(rmVertical, kR, kPts, W, H);
  EXPECT_EQ(W, 24);
  EXPECT_EQ(n.RightTop, kPts.RightTop);
  EXPECT_EQ(n.LeftBottom, (TPoint{6, 20}));
  EXPECT_EQ(n.Client, (TRect{4, 3, 20, 23}));

  W = 34, H = 27;
  n = CalcTargetSkinPoints(rmFixed, kR, kPts, W, H);
  EXPECT_EQ(W, 24);
  EXPECT_EQ(H, 20);
  EXPECT_EQ(n, kPts);
}

TEST(BuildSkinImage, SourceSizeReproducesTheSource) {
  auto pic = CodedPicture(40, 30);
  TBitmap dest;
  BuildNine(*pic, dest, TargetFor(24, 20), true);
  ExpectImage(dest, 24, 20, [](int x, int y) { return TPoint{x, y}; }, "same size");
}

TEST(BuildSkinImage, FixedModeIsAPlainCopy) {
  auto pic = CodedPicture(40, 30);
  int W = 60, H = 50;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmFixed, kR, kPts, W, H);
  TBitmap dest;
  BuildSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, n.LeftTop, n.RightTop,
                 n.LeftBottom, n.RightBottom, n.Client, *pic, dest, kR, W, H, true);
  ExpectImage(dest, 24, 20, [](int x, int y) { return TPoint{x, y}; }, "fixed");
}

TEST(BuildSkinImage, LargerAndSmallerTargetsTileEveryPiece) {
  auto pic = CodedPicture(40, 30);
  // Includes exact multiples of every tile (34 x 27: top span 20 = 2 x 10, left span
  // 14 = 2 x 7; 48 x 46: bottom span 36 = 3 x 12, centre 40 x 39 = 3 x 13 rows) and
  // targets smaller than the source whose tiles are all clipped.
  const TSize sizes[] = {{34, 27}, {48, 46}, {50, 40}, {25, 21}, {100, 33}, {15, 14}, {14, 13}, {19, 17}};
  for (TSize s : sizes) {
    const Target t = TargetFor(s.cx, s.cy);
    TBitmap dest;
    BuildNine(*pic, dest, t, true);
    ExpectImage(dest, t.W, t.H, [&](int x, int y) { return NineSource(t, x, y, true); }, "nine-piece");
  }
}

TEST(BuildSkinImage, WithoutClientLeavesTheCentreUnpainted) {
  auto pic = CodedPicture(40, 30);
  const Target t = TargetFor(41, 33);
  TBitmap dest;
  BuildNine(*pic, dest, t, false);
  ExpectImage(dest, t.W, t.H, [&](int x, int y) { return NineSource(t, x, y, false); }, "no client");
}

TEST(BuildSkinImage, DegenerateSkinOrEmptyPictureOnlySizes) {
  auto pic = CodedPicture(40, 30);
  const Target t = TargetFor(30, 25);
  TBitmap dest;
  auto none = [](int, int) { return TPoint{-1, -1}; };
  // RB.X = LT.X
  BuildSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, {7, 12}, kPts.Client, t.n.LeftTop, t.n.RightTop,
                 t.n.LeftBottom, t.n.RightBottom, t.n.Client, *pic, dest, kR, t.W, t.H, true);
  ExpectImage(dest, 30, 25, none, "RB.X = LT.X");
  TBitmap dest2;
  BuildSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, {18, 6}, kPts.Client, t.n.LeftTop, t.n.RightTop,
                 t.n.LeftBottom, t.n.RightBottom, t.n.Client, *pic, dest2, kR, t.W, t.H, true);
  ExpectImage(dest2, 30, 25, none, "RB.Y = LT.Y");
  TBitmap empty, dest3;
  BuildNine(empty, dest3, t, true);
  ExpectImage(dest3, 30, 25, none, "empty picture");
}

TEST(BuildSkinImage, EmptyEdgeSpanIsSkipped) {
  auto pic = CodedPicture(40, 30);
  // RT.X = LT.X: the top edge has no source; everything else is drawn.
  TbsSkinPoints p = kPts;
  p.RightTop.X = p.LeftTop.X;
  int W = 37, H = 28;
  const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, kR, p, W, H);
  TBitmap dest;
  BuildSkinImage(p.LeftTop, p.RightTop, p.LeftBottom, p.RightBottom, p.Client, n.LeftTop, n.RightTop, n.LeftBottom,
                 n.RightBottom, n.Client, *pic, dest, kR, W, H, true);
  ASSERT_EQ(dest.Width(), 37);
  for (int x = n.LeftTop.X; x < n.RightTop.X; ++x) EXPECT_EQ(Px(dest, x, 0), kWhite) << x;
  EXPECT_EQ(Px(dest, 0, 0), CodeOf(kR.Left, kR.Top));
  EXPECT_EQ(Px(dest, W - 1, H - 1), CodeOf(kR.Right - 1, kR.Bottom - 1));
}

TEST(BuildSkinImage, AbsurdTargetsDoNotHangOrWriteOutside) {
  auto pic = CodedPicture(40, 30);
  TBitmap dest;
  BuildSkinImage(kPts.LeftTop, {1000000000, 5}, kPts.LeftBottom, {-1000000000, 12}, kPts.Client, kPts.LeftTop,
                 {1000000000, 5}, {6, -1000000000}, {1000000000, 1000000000}, {4, 3, 1000000000, 16}, *pic, dest, kR,
                 20, 10, true);
  EXPECT_EQ(dest.Width(), 20);
  BuildSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, kPts.LeftTop,
                 kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, *pic, dest, kR, -5, -5, true);
  EXPECT_TRUE(dest.Empty());
}

TEST(BuildStretchSkinImage, FlaggedEdgesAreStretchedOverTheirSpan) {
  auto pic = CodedPicture(40, 30);
  const Target t = TargetFor(50, 40);
  const TbsSkinPoints& s = kPts;
  const TbsSkinPoints& n = t.n;
  TBitmap dest;
  BuildStretchSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, n.LeftTop, n.RightTop,
                        n.LeftBottom, n.RightBottom, n.Client, *pic, dest, kR, t.W, t.H, true, true, true, true, true);
  // Each edge must equal its source piece stretched alone into a bitmap of the span.
  struct Edge {
    TRect src, dst;
  } edges[] = {
      {{s.LeftTop.X, 0, s.RightTop.X, s.Client.Top}, {n.LeftTop.X, 0, n.RightTop.X, n.Client.Top}},
      {{s.LeftBottom.X, s.Client.Bottom, s.RightBottom.X, 20}, {n.LeftBottom.X, n.Client.Bottom, n.RightBottom.X, t.H}},
      {{0, s.LeftTop.Y, s.Client.Left, s.LeftBottom.Y}, {0, n.LeftTop.Y, n.Client.Left, n.LeftBottom.Y}},
      {{s.Client.Right, s.RightTop.Y, 24, s.RightBottom.Y}, {n.Client.Right, n.RightTop.Y, t.W, n.RightBottom.Y}},
  };
  for (const Edge& e : edges) {
    TBitmap want(e.dst.Width(), e.dst.Height());
    want.Canvas()->CopyRect({0, 0, e.dst.Width(), e.dst.Height()}, pic.get(),
                            {kR.Left + e.src.Left, kR.Top + e.src.Top, kR.Left + e.src.Right, kR.Top + e.src.Bottom});
    for (int y = 0; y < e.dst.Height(); ++y)
      for (int x = 0; x < e.dst.Width(); ++x)
        ASSERT_EQ(Px(dest, e.dst.Left + x, e.dst.Top + y), Px(want, x, y)) << "edge pixel " << x << "," << y;
    // The stretched edge starts with the piece's first pixel and ends with its last.
    EXPECT_EQ(Px(dest, e.dst.Left, e.dst.Top), CodeOf(kR.Left + e.src.Left, kR.Top + e.src.Top));
    EXPECT_EQ(Px(dest, e.dst.Right - 1, e.dst.Bottom - 1), CodeOf(kR.Left + e.src.Right - 1, kR.Top + e.src.Bottom - 1));
  }
  // Corners and centre as in the tiled image.
  auto ref = [&](int x, int y) { return NineSource(t, x, y, true); };
  for (TPoint p : {TPoint{0, 0}, TPoint{49, 0}, TPoint{0, 39}, TPoint{49, 39}, TPoint{25, 20}, TPoint{5, 5}}) {
    const TPoint src = ref(p.X, p.Y);
    EXPECT_EQ(Px(dest, p.X, p.Y), CodeOf(kR.Left + src.X, kR.Top + src.Y)) << p.X << "," << p.Y;
  }
}

TEST(BuildStretchSkinImage, WithoutFlagsEqualsTheTiledImage) {
  auto pic = CodedPicture(40, 30);
  const Target t = TargetFor(53, 38);
  TBitmap dest;
  BuildStretchSkinImage(kPts.LeftTop, kPts.RightTop, kPts.LeftBottom, kPts.RightBottom, kPts.Client, t.n.LeftTop,
                        t.n.RightTop, t.n.LeftBottom, t.n.RightBottom, t.n.Client, *pic, dest, kR, t.W, t.H, true,
                        false, false, false, false);
  ExpectImage(dest, t.W, t.H, [&](int x, int y) { return NineSource(t, x, y, true); }, "stretch without flags");
}

TEST(BuildSkinImageOpenRight, EdgesAndCentreRunToTheRightEnd) {
  auto pic = CodedPicture(40, 30);
  const TbsSkinPoints& s = kPts;
  for (TSize size : {TSize{44, 30}, TSize{24, 20}, TSize{61, 26}}) {
    const Target t = TargetFor(size.cx, size.cy);
    const TbsSkinPoints& n = t.n;
    const int dy = t.H - 20;
    TBitmap dest;
    BuildSkinImageOpenRight(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, n.LeftTop, n.RightTop,
                            n.LeftBottom, n.RightBottom, n.Client, *pic, dest, kR, t.W, t.H, true);
    ExpectImage(dest, t.W, t.H, [&](int x, int y) -> TPoint {
      if (y < n.Client.Top) {
        if (x < n.LeftTop.X) return {x, y};
        return {s.LeftTop.X + (x - n.LeftTop.X) % (s.RightTop.X - s.LeftTop.X), y};
      }
      if (y >= n.Client.Bottom) {
        if (x < n.LeftBottom.X) return {x, y - dy};
        return {s.LeftBottom.X + (x - n.LeftBottom.X) % (s.RightBottom.X - s.LeftBottom.X), y - dy};
      }
      if (x < n.Client.Left) {
        if (y < n.LeftTop.Y) return {x, y};
        if (y >= n.LeftBottom.Y) return {x, y - dy};
        return {x, s.LeftTop.Y + (y - n.LeftTop.Y) % (s.LeftBottom.Y - s.LeftTop.Y)};
      }
      return {s.Client.Left + (x - n.Client.Left) % 16, s.Client.Top + (y - n.Client.Top) % 13};
    }, "open right");
  }
}

namespace {
// A 17 x 6 strip at (2, 1): ends of 5 and 4 pixels, middle 8 pixels.
const TRect kStrip{2, 1, 19, 7};
}  // namespace

TEST(BuildHSkinImage, ThreePiecesAtEveryWidth) {
  auto pic = CodedPicture(24, 10);
  const int a = 5, b = 4, d = 8;
  // 17: the source; 25: middle exactly two tiles; 9 = a + b: no middle; 12: one clipped
  // tile; 7 < a + b: overlapping ends, the right one on top.
  for (int W : {17, 25, 30, 9, 12, 7, 100}) {
    TBitmap dest;
    BuildHSkinImage(a, b, dest, W, kStrip, *pic);
    ASSERT_EQ(dest.Width(), W);
    ASSERT_EQ(dest.Height(), 6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < W; ++x) {
        int sx;
        if (x >= W - b) sx = kStrip.Right - (W - x);
        else if (x < a) sx = kStrip.Left + x;
        else sx = kStrip.Left + a + (x - a) % d;
        ASSERT_EQ(Px(dest, x, y), CodeOf(sx, kStrip.Top + y)) << "W=" << W << " x=" << x;
      }
  }
}

TEST(BuildHSkinImage, EmptyMiddleDrawsOnlyTheEnds) {
  auto pic = CodedPicture(24, 10);
  TBitmap dest;
  BuildHSkinImage(9, 8, dest, 30, kStrip, *pic);  // 9 + 8 = the strip's width
  EXPECT_EQ(Px(dest, 8, 0), CodeOf(kStrip.Left + 8, kStrip.Top));
  for (int x = 9; x < 22; ++x) EXPECT_EQ(Px(dest, x, 0), kWhite) << x;
  EXPECT_EQ(Px(dest, 22, 0), CodeOf(kStrip.Left + 9, kStrip.Top));
}

TEST(BuildHSkinImageOpenRight, MiddleRunsToTheEnd) {
  auto pic = CodedPicture(24, 10);
  const int a = 5, b = 4, d = 8;
  for (int W : {17, 30, 9, 3}) {
    TBitmap dest;
    BuildHSkinImageOpenRight(a, b, dest, W, kStrip, *pic);
    ASSERT_EQ(dest.Width(), W);
    for (int x = 0; x < W; ++x) {
      const int sx = x < a ? kStrip.Left + x : kStrip.Left + a + (x - a) % d;
      ASSERT_EQ(Px(dest, x, 5), CodeOf(sx, kStrip.Top + 5)) << "W=" << W << " x=" << x;
    }
  }
}

TEST(BuildVSkinImage, ThreePiecesAtEveryHeight) {
  auto pic = CodedPicture(10, 24);
  const TRect r{1, 2, 7, 19};  // 6 x 17
  const int a = 5, b = 4, d = 8;
  for (int H : {17, 25, 31, 9, 12, 7}) {
    TBitmap dest;
    BuildVSkinImage(a, b, dest, H, r, *pic);
    ASSERT_EQ(dest.Width(), 6);
    ASSERT_EQ(dest.Height(), H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < 6; ++x) {
        int sy;
        if (y >= H - b) sy = r.Bottom - (H - y);
        else if (y < a) sy = r.Top + y;
        else sy = r.Top + a + (y - a) % d;
        ASSERT_EQ(Px(dest, x, y), CodeOf(r.Left + x, sy)) << "H=" << H << " y=" << y;
      }
  }
  TBitmap ends;
  BuildVSkinImage(10, 7, ends, 30, r, *pic);  // empty middle: ends only
  EXPECT_EQ(Px(ends, 0, 9), CodeOf(r.Left, r.Top + 9));
  for (int y = 10; y < 23; ++y) EXPECT_EQ(Px(ends, 0, y), kWhite) << y;
  EXPECT_EQ(Px(ends, 0, 23), CodeOf(r.Left, r.Top + 10));
}

TEST(PieceTiling, ExactMultipleLeavesEverythingPastTheLimitAlone) {
  auto pic = CodedPicture(20, 4);
  auto target = Filled(40, 4, kWhite);
  piece::TileH(*target, *pic, 3, 13, 0, 4, 2, 22, 0, 4);  // span 20 = 2 tiles of 10
  for (int x = 2; x < 22; ++x) EXPECT_EQ(Px(*target, x, 1), CodeOf(3 + (x - 2) % 10, 1)) << x;
  for (int x = 22; x < 40; ++x) EXPECT_EQ(Px(*target, x, 1), kWhite) << x;
  EXPECT_EQ(Px(*target, 1, 1), kWhite);
}
