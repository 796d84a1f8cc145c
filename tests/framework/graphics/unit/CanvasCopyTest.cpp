#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"

using pixels::Row;

namespace {

// A one-row bitmap whose pixels are the given colours.
void Strip(TBitmap& b, std::initializer_list<TColor> colours) {
  b.SetSize(int(colours.size()), 1);
  int x = 0;
  for (TColor c : colours) b.SetPixel(x++, 0, c);
}

TEST(CanvasCopy, StretchingPicksTheNearestNeighbourByTheIntegerRule) {
  TBitmap src;
  Strip(src, {clRed, clLime, clBlue});
  TBitmap up(6, 1);
  up.Canvas()->CopyRect(Rect(0, 0, 6, 1), &src, Rect(0, 0, 3, 1));
  EXPECT_EQ(Row(up, 0), "rrggbb");

  TBitmap odd(5, 1);  // dest x takes source x*3/5: 0 0 1 1 2
  odd.Canvas()->CopyRect(Rect(0, 0, 5, 1), &src, Rect(0, 0, 3, 1));
  EXPECT_EQ(Row(odd, 0), "rrggb");

  TBitmap four;
  Strip(four, {clRed, clBlack, clLime, clWhite});
  TBitmap down(2, 1);  // x*4/2: 0 2
  down.Canvas()->CopyRect(Rect(0, 0, 2, 1), &four, Rect(0, 0, 4, 1));
  EXPECT_EQ(Row(down, 0), "rg");

  // Vertical stretch with an offset destination and source.
  TBitmap tall(1, 3);
  tall.SetPixel(0, 0, clRed);
  tall.SetPixel(0, 1, clLime);
  tall.SetPixel(0, 2, clBlue);
  TBitmap dst(2, 6);
  dst.Canvas()->CopyRect(Rect(1, 1, 2, 5), &tall, Rect(0, 1, 1, 3));
  std::string col;
  for (int y = 0; y < 6; ++y) col += Row(dst, y)[1];
  EXPECT_EQ(col, ".ggbb.");
}

TEST(CanvasCopy, NegativeSizesMirrorAndOutsideSourcePixelsAreNotRead) {
  TBitmap src;
  Strip(src, {clRed, clLime, clBlue});
  TBitmap m(3, 1);
  m.Canvas()->CopyRect(Rect(3, 0, 0, 1), &src, Rect(0, 0, 3, 1));
  EXPECT_EQ(Row(m, 0), "bgr");
  TBitmap m2(3, 1);
  m2.Canvas()->CopyRect(Rect(0, 0, 3, 1), &src, Rect(3, 0, 0, 1));
  EXPECT_EQ(Row(m2, 0), "bgr");
  TBitmap same(3, 1);  // both mirrored: no mirror
  same.Canvas()->CopyRect(Rect(3, 0, 0, 1), &src, Rect(3, 0, 0, 1));
  EXPECT_EQ(Row(same, 0), "rgb");

  TBitmap part(5, 1);
  part.Canvas()->CopyRect(Rect(0, 0, 5, 1), &src, Rect(-2, 0, 3, 1));
  EXPECT_EQ(Row(part, 0), "..rgb");
  TBitmap far(4, 2);
  far.Canvas()->CopyRect(Rect(-1000000, -5, 1000000, 7), &src, Rect(-7, -9, 100, 50));
  far.Canvas()->CopyRect(Rect(0, 0, 4, 2), &src, Rect(INT32_MIN / 2, 0, INT32_MAX / 2, 1));
  SUCCEED();  // reached without reading or writing outside either buffer (sanitizers watch)
}

TEST(CanvasCopy, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
  TBitmap b;
  Strip(b, {clRed, clLime, clBlue, clWhite});
  b.Canvas()->CopyRect(Rect(1, 0, 4, 1), b.Canvas(), Rect(0, 0, 3, 1));
  EXPECT_EQ(Row(b, 0), "rrgb");
}

TEST(CanvasCopy, CopyModesCombineSourceAndDestination) {
  TBitmap src;
  Strip(src, {clRed, clLime});
  TBitmap d;
  Strip(d, {clBlue, clBlue});
  d.Canvas()->SetCopyMode(TCopyMode::cmSrcInvert);
  d.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(d.Pixel(0, 0), RGB(255, 0, 255));
  d.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(Row(d, 0), "bb");
  d.Canvas()->SetCopyMode(TCopyMode::cmSrcAnd);
  d.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(Row(d, 0), "##");
  d.Canvas()->SetCopyMode(TCopyMode::cmWhiteness);
  d.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(Row(d, 0), "..");
}

TEST(CanvasCopy, TransparentDrawSkipsTheBottomLeftOrTheFixedKey) {
  TBitmap sprite(3, 2);
  pixels::Fill(sprite, clRed);
  sprite.SetPixel(1, 0, clBlue);
  sprite.SetPixel(2, 1, clLime);
  sprite.SetTransparent(true);
  EXPECT_EQ(sprite.TransparentColor(), clRed);  // bottom-left

  TBitmap d(4, 3);
  pixels::Fill(d, clBlack);
  d.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(Row(d, 0), "####");
  EXPECT_EQ(Row(d, 1), "##b#");
  EXPECT_EQ(Row(d, 2), "###g");

  sprite.SetTransparentColor(clBlue);
  EXPECT_EQ(sprite.TransparentMode(), TTransparentMode::tmFixed);
  TBitmap e(3, 2);
  e.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(Row(e, 0), "r.r");
  EXPECT_EQ(Row(e, 1), "rrg");

  // Stretched and keyed at once.
  TBitmap s(6, 2);
  s.Canvas()->StretchDraw(Rect(0, 0, 6, 2), &sprite);
  EXPECT_EQ(Row(s, 0), "rr..rr");

  sprite.SetTransparent(false);
  TBitmap o(3, 2);
  o.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(Row(o, 0), "rbr");

  TBitmap k(3, 2);
  k.Canvas()->DrawTransparent(Rect(0, 0, 3, 2), &sprite, Rect(0, 0, 3, 2), clRed);
  EXPECT_EQ(Row(k, 0), ".b.");
  EXPECT_EQ(Row(k, 1), "..g");
}

TEST(CanvasCopy, AlphaBlendsPerPixel) {
  TBitmap src(2, 1);
  src.SetPixel(0, 0, clWhite);
  src.SetPixel(1, 0, clWhite);
  const std::uint8_t alpha[2] = {0, 128};
  TBitmap d(2, 1);
  pixels::Fill(d, clBlack);
  d.Canvas()->DrawAlpha(0, 0, &src, alpha);
  EXPECT_EQ(d.Pixel(0, 0), clBlack);
  EXPECT_EQ(d.Pixel(1, 0), RGB(128, 128, 128));
}

}  // namespace
