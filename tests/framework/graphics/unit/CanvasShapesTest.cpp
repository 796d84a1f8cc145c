#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"

using pixels::Row;

namespace {

TEST(CanvasLines, EndPointIsNotPaintedInAnyDirection) {
  TBitmap b(8, 8);
  TCanvas* c = b.Canvas();
  c->MoveTo(1, 1);
  c->LineTo(5, 1);
  EXPECT_EQ(Row(b, 1), ".####...");
  EXPECT_EQ(c->PenPos(), Point(5, 1));

  c->MoveTo(6, 7);
  c->LineTo(6, 3);  // upwards: 7, 6, 5, 4
  for (int y = 0; y < 8; ++y) EXPECT_EQ(b.Pixel(6, y), y >= 4 && y <= 7 ? clBlack : clWhite) << y;

  TBitmap d(6, 6);
  d.Canvas()->MoveTo(4, 4);
  d.Canvas()->LineTo(0, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(d.Pixel(i, i), i == 0 ? clWhite : clBlack) << i;
  EXPECT_EQ(pixels::CountColour(d, clBlack), 4);
}

TEST(CanvasLines, ShallowDiagonalIsOneConnectedPixelPerColumn) {
  TBitmap b(12, 5);
  b.Canvas()->MoveTo(0, 0);
  b.Canvas()->LineTo(10, 3);
  for (int x = 0; x < 10; ++x) {
    int n = 0;
    for (int y = 0; y < 5; ++y) n += b.Pixel(x, y) == clBlack;
    EXPECT_EQ(n, 1) << "column " << x;
  }
  EXPECT_EQ(b.Pixel(0, 0), clBlack);
  EXPECT_EQ(b.Pixel(10, 3), clWhite);
  EXPECT_EQ(b.Pixel(9, 3), clBlack);
}

TEST(CanvasLines, XorAndNotPensUndoThemselvesAndClearPenDrawsNothing) {
  TBitmap b(10, 10);
  pixels::Fill(b, clRed);
  TCanvas* c = b.Canvas();
  c->Pen()->Mode = TPenMode::pmXor;
  c->Pen()->Color = clWhite;
  c->MoveTo(0, 5);
  c->LineTo(9, 5);
  EXPECT_EQ(b.Pixel(3, 5), RGB(0, 255, 255));
  c->MoveTo(0, 5);
  c->LineTo(9, 5);
  EXPECT_EQ(pixels::CountColour(b, clRed), 100);

  c->Pen()->Mode = TPenMode::pmNot;
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Rectangle(1, 1, 8, 8);
  EXPECT_EQ(b.Pixel(1, 1), RGB(0, 255, 255));  // not red
  EXPECT_EQ(b.Pixel(4, 4), clRed);             // inside untouched
  c->Rectangle(1, 1, 8, 8);                    // corners touched once each: restored
  EXPECT_EQ(pixels::CountColour(b, clRed), 100);

  c->Pen()->Mode = TPenMode::pmCopy;
  c->Pen()->Style = TPenStyle::psClear;
  c->MoveTo(0, 0);
  c->LineTo(9, 9);
  EXPECT_EQ(pixels::CountColour(b, clRed), 100);
}

TEST(CanvasLines, WidePenAndDashes) {
  TBitmap b(20, 9);
  TCanvas* c = b.Canvas();
  c->Pen()->Width = 3;
  c->MoveTo(2, 4);
  c->LineTo(10, 4);
  for (int y = 3; y <= 5; ++y) EXPECT_EQ(b.Pixel(5, y), clBlack) << y;
  EXPECT_EQ(b.Pixel(5, 2), clWhite);
  EXPECT_EQ(b.Pixel(5, 6), clWhite);

  TBitmap d(40, 1);
  d.Canvas()->Pen()->Style = TPenStyle::psDot;
  d.Canvas()->MoveTo(0, 0);
  d.Canvas()->LineTo(40, 0);
  EXPECT_EQ(Row(d, 0).substr(0, 12), "###...###...");
}

TEST(CanvasRectangles, RectangleOutlinesWithPenAndFillsInsideExcludingRightAndBottom) {
  TBitmap b(8, 7);
  TCanvas* c = b.Canvas();
  c->Brush()->Color = clRed;
  c->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Row(b, 0), "........");
  EXPECT_EQ(Row(b, 1), ".#####..");
  EXPECT_EQ(Row(b, 2), ".#rrr#..");
  EXPECT_EQ(Row(b, 3), ".#rrr#..");
  EXPECT_EQ(Row(b, 4), ".#####..");
  EXPECT_EQ(Row(b, 5), "........");

  // Reversed corners give the same rectangle.
  TBitmap r(8, 7);
  r.Canvas()->Brush()->Color = clRed;
  r.Canvas()->Rectangle(6, 5, 1, 1);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(Row(r, y), Row(b, y));

  // Without a pen, the classic fill is one pixel short on the right and bottom.
  TBitmap n(8, 7);
  n.Canvas()->Brush()->Color = clRed;
  n.Canvas()->Pen()->Style = TPenStyle::psClear;
  n.Canvas()->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Row(n, 1), ".rrrr...");
  EXPECT_EQ(Row(n, 3), ".rrrr...");
  EXPECT_EQ(Row(n, 4), "........");
}

TEST(CanvasRectangles, FillRectAndFrameRectUseTheBrushOnly) {
  TBitmap b(8, 6);
  TCanvas* c = b.Canvas();
  c->Pen()->Color = clBlue;  // must not show
  c->Brush()->Color = clRed;
  c->FillRect(Rect(2, 1, 5, 3));
  EXPECT_EQ(Row(b, 0), "........");
  EXPECT_EQ(Row(b, 1), "..rrr...");
  EXPECT_EQ(Row(b, 2), "..rrr...");
  EXPECT_EQ(Row(b, 3), "........");
  c->FillRect(Rect(5, 5, 2, 2));  // inverted: nothing
  EXPECT_EQ(pixels::CountColour(b, clRed), 6);

  TBitmap f(8, 6);
  f.Canvas()->Brush()->Color = clLime;
  f.Canvas()->FrameRect(Rect(1, 1, 6, 5));
  EXPECT_EQ(Row(f, 1), ".ggggg..");
  EXPECT_EQ(Row(f, 2), ".g...g..");
  EXPECT_EQ(Row(f, 4), ".ggggg..");
  EXPECT_EQ(Row(f, 5), "........");

  TBitmap s(4, 4);
  s.Canvas()->Brush()->Style = TBrushStyle::bsClear;
  s.Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(pixels::CountColour(s, clWhite), 16);
}

TEST(CanvasRectangles, Frame3DPaintsTopLeftAndBottomRightWithTheFarCornersInTheBottomColour) {
  TBitmap b(8, 7);
  TRect r = Rect(0, 0, 7, 6);
  Frame3D(b.Canvas(), r, clLime, clBlue, 2);
  EXPECT_EQ(r, Rect(2, 2, 5, 4));
  EXPECT_EQ(Row(b, 0), "ggggggb.");
  EXPECT_EQ(Row(b, 1), "gggggbb.");
  EXPECT_EQ(Row(b, 2), "gg...bb.");
  EXPECT_EQ(Row(b, 3), "gg...bb.");
  EXPECT_EQ(Row(b, 4), "gbbbbbb.");
  EXPECT_EQ(Row(b, 5), "bbbbbbb.");
  EXPECT_EQ(Row(b, 6), "........");
  EXPECT_EQ(b.Canvas()->Pen()->Color, clBlack);  // pen given back
}

TEST(CanvasShapes, EllipseAndPolygonStayInsideTheirBoxes) {
  TBitmap b(12, 10);
  TCanvas* c = b.Canvas();
  c->Brush()->Color = clRed;
  c->Ellipse(1, 1, 11, 9);
  const TRect ink = pixels::InkBox(b, clWhite);
  EXPECT_EQ(ink, Rect(1, 1, 11, 9));
  EXPECT_EQ(b.Pixel(1, 1), clWhite);   // corners stay outside the curve
  EXPECT_EQ(b.Pixel(10, 8), clWhite);
  EXPECT_EQ(b.Pixel(5, 4), clRed);     // brush inside
  EXPECT_EQ(b.Pixel(1, 4), clBlack);   // pen on the left extreme
  for (int y = 0; y < 10; ++y)         // mirror symmetric left/right
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.Pixel(1 + x, y), b.Pixel(10 - x, y)) << x << "," << y;

  TBitmap p(10, 10);
  p.Canvas()->Brush()->Color = clRed;
  p.Canvas()->Polygon({{1, 1}, {8, 1}, {1, 8}});
  EXPECT_EQ(pixels::InkBox(p, clWhite), Rect(1, 1, 9, 9));
  EXPECT_EQ(p.Pixel(2, 2), clRed);
  EXPECT_EQ(p.Pixel(1, 8), clBlack);  // every vertex painted (closed outline)
  EXPECT_EQ(p.Pixel(8, 1), clBlack);
  EXPECT_EQ(p.Pixel(7, 7), clWhite);
}

TEST(CanvasShapes, OriginShiftsEverythingAndSystemColoursResolve) {
  TBitmap b(8, 4);
  TCanvas* c = b.Canvas();
  c->SetOrigin(Point(3, 1));
  c->Brush()->Color = clBtnFace;
  c->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(b.Pixel(3, 1), RGB(212, 208, 200));
  EXPECT_EQ(b.Pixel(4, 2), RGB(212, 208, 200));
  EXPECT_EQ(b.Pixel(2, 1), clWhite);
  c->SetPixel(-3, -1, clRed);
  EXPECT_EQ(b.Pixel(0, 0), clRed);
  EXPECT_EQ(c->Pixel(-3, -1), clRed);
  c->SetPixel(100, 100, clRed);  // outside: ignored
}

TEST(CanvasShapes, ExtremeCoordinatesDrawTheVisiblePartOnly) {
  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  c->SetOrigin(Point(INT32_MAX, INT32_MIN));
  c->Rectangle(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN);
  c->SetOrigin(Point(0, 0));
  c->Pen()->Width = 3;
  c->MoveTo(INT32_MIN, 5);
  c->LineTo(INT32_MAX, 5);
  EXPECT_EQ(Row(b, 5), "##########");
  c->Pen()->Width = 1;
  c->Brush()->Color = clRed;
  c->Rectangle(-1000000000, -1000000000, 1000000000, 2);
  EXPECT_EQ(Row(b, 1), "##########");  // the bottom edge of a huge rectangle
  c->Ellipse(-2000000, -3, 2000000, 3);
  c->Polygon({{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}});
  c->FillRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
  EXPECT_EQ(pixels::CountColour(b, clRed), 100);
}

}  // namespace
