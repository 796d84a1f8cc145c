// Glyph cells, and glyph and caption placement for every layout.
#include <gtest/gtest.h>

#include "skin/controls/SkinButtonGlyphs.h"

namespace {

TEST(SkinButtonGlyphs, GlyphCellByState) {
  EXPECT_EQ(1, GlyphCell(false, false, true, 4));
  EXPECT_EQ(4, GlyphCell(false, true, true, 4));
  EXPECT_EQ(3, GlyphCell(true, true, true, 4));
  EXPECT_EQ(3, GlyphCell(true, true, true, 3));
  EXPECT_EQ(1, GlyphCell(true, true, true, 2));   // no pressed cell
  EXPECT_EQ(1, GlyphCell(false, true, true, 3));  // no hot cell
  EXPECT_EQ(2, GlyphCell(false, false, false, 2));
  EXPECT_EQ(1, GlyphCell(false, false, false, 1));
  EXPECT_EQ(4, GlyphCell(false, true, false, 4));  // hot wins over disabled
}

struct LayoutCase {
  TbsButtonLayout layout;
  int margin;
  TPoint glyph, text;
};

TEST(SkinButtonGlyphs, LayoutTable) {
  // r = (10, 20, 110, 60): cx 60, cy 40; glyph 16 x 12, caption 30 x 14, spacing 4:
  // hw = (30 + 16 + 4) div 2 = 25, hh = (14 + 12 + 4) div 2 = 15.
  const TRect r = Rect(10, 20, 110, 60);
  const LayoutCase cases[] = {
      {blGlyphLeft, -1, {35, 34}, {55, 33}},   {blGlyphLeft, 3, {13, 34}, {33, 33}},
      {blGlyphRight, -1, {69, 34}, {35, 33}},  {blGlyphRight, 3, {91, 34}, {57, 33}},
      {blGlyphTop, -1, {52, 25}, {45, 41}},    {blGlyphTop, 3, {52, 23}, {45, 39}},
      {blGlyphBottom, -1, {52, 43}, {45, 25}}, {blGlyphBottom, 3, {52, 45}, {45, 27}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.layout) * 10 + c.margin);
    TbsGlyphTextPos p = CalcGlyphTextLayout(r, c.layout, c.margin, 4, 16, 12, 30, 14);
    EXPECT_EQ(c.glyph, p.Glyph);
    EXPECT_EQ(c.text, p.Text);
  }
  // No glyph: the spacing still counts; the recorder's 59 x 25 buttons centre their
  // caption at tx = 29 + (tw + 1) div 2 - tw.
  TbsGlyphTextPos p = CalcGlyphTextLayout(Rect(0, 0, 59, 25), blGlyphLeft, -1, 1, 0, 0, 24, 12);
  EXPECT_EQ(29 + (24 + 1) / 2 - 24, p.Text.X);
  EXPECT_EQ(12 - 6, p.Text.Y);
  // Odd sizes truncate toward zero.
  p = CalcGlyphTextLayout(Rect(0, 0, 7, 7), blGlyphTop, -1, 0, 3, 3, 1, 1);
  EXPECT_EQ(Point(3 - 1, 3 - 2), p.Glyph);
}

}  // namespace
