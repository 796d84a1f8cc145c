#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"

using pixels::Row;

namespace {

TEST(CanvasClip, ClipRectExcludeAndRegionLimitEveryKindOfDrawing) {
  TBitmap b(8, 3);
  TCanvas* c = b.Canvas();
  c->Brush()->Color = clRed;
  c->SetClipRect(Rect(1, 0, 7, 3));
  c->ExcludeClipRect(Rect(3, 0, 5, 3));
  c->FillRect(Rect(0, 0, 8, 1));
  EXPECT_EQ(Row(b, 0), ".rr..rr.");
  c->MoveTo(0, 1);
  c->LineTo(8, 1);
  EXPECT_EQ(Row(b, 1), ".##..##.");
  TBitmap src(8, 1);
  pixels::Fill(src, clBlue);
  c->CopyRect(Rect(0, 2, 8, 3), &src, Rect(0, 0, 8, 1));
  EXPECT_EQ(Row(b, 2), ".bb..bb.");
  EXPECT_EQ(c->ClipRect(), Rect(1, 0, 7, 3));

  c->ResetClip();
  c->IntersectClipRect(Rect(6, 0, 100, 100));  // intersect with "no clip" = with the bitmap
  EXPECT_EQ(c->ClipRect(), Rect(6, 0, 8, 3));

  TRegion two(Rect(0, 0, 2, 1));
  two.Combine(TRegion(Rect(6, 0, 8, 1)), TRegionOp::Or);
  TBitmap r(8, 1);
  r.Canvas()->SelectClipRegion(&two);
  r.Canvas()->Brush()->Color = clLime;
  r.Canvas()->FillRect(Rect(0, 0, 8, 1));
  EXPECT_EQ(Row(r, 0), "gg....gg");
  r.Canvas()->SelectClipRegion(nullptr);
  EXPECT_EQ(r.Canvas()->ClipRect(), Rect(0, 0, 8, 1));
}

TEST(CanvasClip, ClipIsInDeviceCoordinatesAndClipRectIsReportedLogically) {
  TBitmap b(10, 1);
  TCanvas* c = b.Canvas();
  c->SetOrigin(Point(4, 0));
  c->SetClipRect(Rect(0, 0, 3, 1));  // device 4..6
  EXPECT_EQ(c->ClipRect(), Rect(0, 0, 3, 1));
  c->SetOrigin(Point(2, 0));  // the clip stays where it is on the bitmap
  EXPECT_EQ(c->ClipRect(), Rect(2, 0, 5, 1));
  c->Brush()->Color = clRed;
  c->FillRect(Rect(-2, 0, 8, 1));
  EXPECT_EQ(Row(b, 0), "....rrr...");
}

TEST(CanvasClip, XorThroughARegionOfManyRectanglesTouchesEachPixelOnce) {
  TRegion reg(Rect(0, 0, 10, 10));
  reg.Combine(TRegion(Rect(3, 3, 6, 6)), TRegionOp::Diff);  // several bands
  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  c->SelectClipRegion(&reg);
  c->Pen()->Mode = TPenMode::pmXor;
  c->Pen()->Color = clWhite;
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Rectangle(0, 0, 10, 10);
  c->MoveTo(0, 4);
  c->LineTo(10, 4);
  // Row 4 crosses the hole; both ends belong to the frame as well, so they flip back.
  EXPECT_EQ(Row(b, 4), ".##...###.");
  EXPECT_EQ(Row(b, 0), "##########");
  EXPECT_EQ(Row(b, 3), "#........#");
}

TEST(CanvasState, RestoreGivesBackPenBrushFontClipOriginAndCopyMode) {
  TBitmap b(6, 6);
  TCanvas* c = b.Canvas();
  c->Pen()->Color = clRed;
  const int first = c->SaveState();
  c->Pen()->Color = clBlue;
  c->Brush()->Color = clLime;
  c->Font()->SetHeight(-20);
  c->SetClipRect(Rect(0, 0, 1, 1));
  c->SetOrigin(Point(2, 2));
  c->SetCopyMode(TCopyMode::cmSrcAnd);
  const int second = c->SaveState();
  EXPECT_EQ(second, first + 1);
  c->Pen()->Color = clBlack;
  c->ResetClip();
  c->RestoreState();
  EXPECT_EQ(c->Pen()->Color, clBlue);
  EXPECT_EQ(c->ClipRect(), Rect(-2, -2, -1, -1));
  c->RestoreState(first);
  EXPECT_EQ(c->Pen()->Color, clRed);
  EXPECT_EQ(c->Brush()->Color, clWhite);
  EXPECT_EQ(c->Font()->Height(), -11);
  EXPECT_EQ(c->Origin(), Point(0, 0));
  EXPECT_EQ(c->CopyMode(), TCopyMode::cmSrcCopy);
  EXPECT_EQ(c->ClipRect(), Rect(0, 0, 6, 6));
  c->RestoreState();  // nothing saved any more: no effect
  c->RestoreState(7);
  EXPECT_EQ(c->Pen()->Color, clRed);
}

TEST(Region, CombineContainsAndRegionData) {
  TRegion a(Rect(0, 0, 4, 4));
  a.Combine(TRegion(Rect(2, 2, 6, 6)), TRegionOp::Xor);
  EXPECT_TRUE(a.Contains(0, 0));
  EXPECT_FALSE(a.Contains(3, 3));
  EXPECT_TRUE(a.Contains(5, 5));
  EXPECT_EQ(a.BoundingRect(), Rect(0, 0, 6, 6));
  TRegion copy = a;
  copy.Offset(10, 0);
  EXPECT_TRUE(copy.Contains(10, 0));
  EXPECT_FALSE(copy == a);
  copy.Offset(-10, 0);
  EXPECT_TRUE(copy == a);
  EXPECT_TRUE(TRegion(Rect(5, 5, 5, 9)).IsEmpty());

  auto put = [](std::vector<std::uint8_t>& v, std::int32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(std::uint8_t(std::uint32_t(x) >> (8 * i)));
  };
  std::vector<std::uint8_t> data;
  for (std::int32_t x : {32, 1, 2, 32, 0, 0, 10, 10}) put(data, x);
  for (std::int32_t x : {0, 0, 2, 2, 8, 8, 10, 10}) put(data, x);
  TRegion r;
  ASSERT_TRUE(TRegion::FromRegionData(data.data(), data.size(), r));
  EXPECT_TRUE(r.Contains(1, 1));
  EXPECT_TRUE(r.Contains(9, 9));
  EXPECT_FALSE(r.Contains(5, 5));
  EXPECT_EQ(r.Rects().size(), 2u);

  std::vector<std::uint8_t> bad = data;
  bad[8] = 3;  // three rectangles declared, two present
  EXPECT_FALSE(TRegion::FromRegionData(bad.data(), bad.size(), r));
  EXPECT_TRUE(r.IsEmpty());
  bad = data;
  bad[8] = 0xFF, bad[9] = 0xFF, bad[10] = 0xFF, bad[11] = 0x7F;  // count overflowing 32 bits
  EXPECT_FALSE(TRegion::FromRegionData(bad.data(), bad.size(), r));
  bad = data;
  bad[0] = 40;
  EXPECT_FALSE(TRegion::FromRegionData(bad.data(), bad.size(), r));
  bad = data;
  bad[4] = 2;
  EXPECT_FALSE(TRegion::FromRegionData(bad.data(), bad.size(), r));
  EXPECT_FALSE(TRegion::FromRegionData(data.data(), 31, r));
}

}  // namespace
