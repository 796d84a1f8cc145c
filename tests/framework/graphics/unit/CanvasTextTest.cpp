#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(Fonts, SubstitutionsAndTheHeightRule) {
  EXPECT_EQ(SubstituteFontName("宋体"), "WenQuanYi Zen Hei");
  EXPECT_EQ(SubstituteFontName("simsun"), "WenQuanYi Zen Hei");
  EXPECT_EQ(SubstituteFontName("MS Sans Serif"), "DejaVu Sans");
  EXPECT_EQ(SubstituteFontName("Arial"), "Liberation Sans");
  EXPECT_EQ(SubstituteFontName("Courier New"), "Liberation Mono");
  EXPECT_EQ(SubstituteFontName("Some Font"), "Some Font");

  TFont f;
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  EXPECT_EQ(f.Size(), 9);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetHeight(-12);
  f.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);

  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-20);  // character height: the em is 20 pixels
  TTextMetric em = c->GetTextMetrics();
  EXPECT_NEAR(em.Height - em.InternalLeading, 20, 1);
  EXPECT_GT(em.Height, 20);
  c->Font()->SetHeight(20);  // cell height: ascent + descent
  TTextMetric cell = c->GetTextMetrics();
  EXPECT_NEAR(cell.Height, 20, 1);
  EXPECT_LT(cell.Height, em.Height);
}

TEST(CanvasText, WidthGrowsAndCalcRectMeasuresWithoutDrawing) {
  TBitmap b(200, 100);
  TCanvas* c = b.Canvas();
  EXPECT_GT(c->TextWidth("W"), 0);
  EXPECT_GT(c->TextWidth("WW"), c->TextWidth("W"));
  EXPECT_EQ(c->TextWidth(""), 0);
  const TSize ext = c->TextExtent("Hello");
  EXPECT_EQ(ext.cy, c->TextHeight("Hello"));

  TRect r = Rect(10, 10, 20, 20);
  int h = c->DrawText("Hello", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r, Rect(10, 10, 10 + ext.cx, 10 + ext.cy));
  EXPECT_EQ(h, ext.cy);
  EXPECT_EQ(pixels::CountColour(b, clWhite), 200 * 100);

  // Prefix characters take no room; "&&" shows one '&'.
  TRect p = Rect(0, 0, 0, 0);
  c->DrawText("&File", p, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(p.Width(), c->TextWidth("File"));
  c->DrawText("A&&B", p, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(p.Width(), c->TextWidth("A&B"));
  c->DrawText("A&&B", p, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(p.Width(), c->TextWidth("A&&B"));

  // Word wrap: lines no wider than the box unless one word is.
  const int lineWidth = c->TextWidth("three four") + 2;
  TRect w = Rect(0, 0, lineWidth, 0);
  h = c->DrawText("one two three four", w, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 2 * ext.cy);  // "one two" / "three four"
  EXPECT_EQ(w.Width(), c->TextWidth("three four"));
  TRect narrow = Rect(0, 0, 1, 0);
  EXPECT_EQ(c->DrawText("one two", narrow, DT_CALCRECT | DT_WORDBREAK), 2 * ext.cy);
  EXPECT_EQ(narrow.Width(), c->TextWidth("one"));  // a word wider than the box stays whole
  TRect lines = Rect(0, 0, 500, 0);
  EXPECT_EQ(c->DrawText("a\nb\r\nc", lines, DT_CALCRECT), 3 * ext.cy);

  TRect el = Rect(0, 0, c->TextWidth("Hello W"), 0);
  c->DrawText("Hello World, long text", el, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(el.Width(), c->TextWidth("Hello W"));
  EXPECT_GT(el.Width(), c->TextWidth("..."));
}

TEST(CanvasText, CentredSingleLineInkSitsInTheMiddle) {
  TBitmap b(200, 60);
  TCanvas* c = b.Canvas();
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Font()->SetHeight(-16);
  c->Font()->SetColor(clBlack);
  TRect r = Rect(20, 10, 180, 50);
  c->DrawText("Centre", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const TRect ink = pixels::InkBox(b, clWhite);
  ASSERT_FALSE(IsRectEmpty(ink));
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 3);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 30, 4);
  // Only the font colour, no grey edges: anti-aliasing is off.
  EXPECT_EQ(pixels::CountColour(b, clBlack) + pixels::CountColour(b, clWhite), 200 * 60);

  TBitmap right(100, 20);
  right.Canvas()->Brush()->Style = TBrushStyle::bsClear;
  TRect rr = Rect(0, 0, 100, 20);
  right.Canvas()->DrawText("x", rr, DT_RIGHT | DT_SINGLELINE);
  EXPECT_GT(pixels::InkBox(right, clWhite).Left, 80);
}

TEST(CanvasText, SolidBrushPaintsTheCellAndClearBrushDoesNot) {
  TBitmap b(100, 30);
  TCanvas* c = b.Canvas();
  c->Brush()->Color = clRed;
  c->Font()->SetColor(clBlue);
  c->TextOut(5, 5, "Ab");
  const TSize ext = c->TextExtent("Ab");
  EXPECT_EQ(c->PenPos(), Point(5 + ext.cx, 5));
  EXPECT_EQ(pixels::InkBox(b, clWhite), Bounds(5, 5, ext.cx, ext.cy));
  EXPECT_GT(pixels::CountColour(b, clBlue), 0);

  TBitmap t(100, 30);
  t.Canvas()->Brush()->Style = TBrushStyle::bsClear;
  t.Canvas()->Font()->SetColor(clBlue);
  t.Canvas()->TextOut(5, 5, "Ab");
  EXPECT_EQ(pixels::CountColour(t, clRed), 0);
  EXPECT_EQ(pixels::CountColour(t, clBlue) + pixels::CountColour(t, clWhite), 100 * 30);
}

TEST(CanvasText, TextRectAndClipKeepInkInside) {
  TBitmap b(100, 30);
  TCanvas* c = b.Canvas();
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Font()->SetHeight(-20);
  const TRect box = Rect(10, 5, 25, 25);
  c->TextRect(box, 10, 5, "WWWWWW");
  TRect ink = pixels::InkBox(b, clWhite);
  ASSERT_FALSE(IsRectEmpty(ink));
  EXPECT_GE(ink.Left, box.Left);
  EXPECT_LE(ink.Right, box.Right);

  TBitmap d(100, 30);
  d.Canvas()->SetClipRect(Rect(0, 0, 30, 30));
  d.Canvas()->Brush()->Color = clRed;
  d.Canvas()->TextOut(20, 0, "WWWW");
  EXPECT_LE(pixels::InkBox(d, clWhite).Right, 30);

  // Underlined prefix adds ink under the letter.
  TBitmap u1(60, 20), u2(60, 20);
  TRect ur = Rect(0, 0, 60, 20);
  u1.Canvas()->Brush()->Style = TBrushStyle::bsClear;
  u2.Canvas()->Brush()->Style = TBrushStyle::bsClear;
  u1.Canvas()->DrawText("File", ur, DT_SINGLELINE);
  u2.Canvas()->DrawText("&File", ur, DT_SINGLELINE);
  EXPECT_GT(pixels::CountColour(u2, clBlack), pixels::CountColour(u1, clBlack));
}

TEST(CanvasText, ChineseTextRendersThroughTheSubstitutedFont) {
  TBitmap b(120, 30);
  TCanvas* c = b.Canvas();
  c->Font()->SetName("宋体");
  c->Font()->SetHeight(-16);
  c->Brush()->Style = TBrushStyle::bsClear;
  c->TextOut(2, 2, "录音机");
  const TRect ink = pixels::InkBox(b, clWhite);
  EXPECT_GE(ink.Width(), 36);
  EXPECT_GT(pixels::CountColour(b, clBlack), 60);
  EXPECT_NEAR(c->TextWidth("录音机"), 48, 2);
}

TEST(CanvasText, ArtifactDrawing) {
  TBitmap b(220, 120);
  TCanvas* c = b.Canvas();
  c->Brush()->Color = clBtnFace;
  c->FillRect(Rect(0, 0, 220, 120));
  TRect frame = Rect(4, 4, 216, 116);
  Frame3D(c, frame, clBtnHighlight, clBtnShadow, 2);
  c->Brush()->Color = clInfoBk;
  c->Rectangle(10, 10, 80, 50);
  c->Ellipse(90, 10, 150, 50);
  c->Pen()->Color = clRed;
  c->MoveTo(160, 10);
  c->LineTo(210, 50);
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Font()->SetName("宋体");
  c->Font()->SetHeight(-14);
  TRect t = Rect(10, 60, 210, 110);
  c->DrawText("录音机 &Recorder", t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const std::string path = testsupport::ArtifactDir() + "/graphics_canvas.png";
  b.SavePngFile(path);
  TBitmap back;
  back.LoadPngFile(path);
  ASSERT_EQ(back.Width(), 220);
  for (int y = 0; y < 120; y += 7)
    for (int x = 0; x < 220; x += 5) ASSERT_EQ(back.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

}  // namespace
