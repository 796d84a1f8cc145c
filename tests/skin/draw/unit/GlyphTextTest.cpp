// Glyph helpers compared pixel for pixel with the drawings their tables describe, glyph
// strip cells, and the text helpers.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinText.h"
#include "tests/skin/draw/unit/DrawTestPictures.h"

using namespace drawtest;

namespace {

using Pixels = std::set<std::pair<int, int>>;

int Sign(int v) { return (v > 0) - (v < 0); }

// A pen line from a to b that leaves b itself unpainted (horizontal, vertical or 45°).
void Line(Pixels& p, int x1, int y1, int x2, int y2) {
  const int n = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int i = 0; i < n; ++i) p.insert({x1 + i * Sign(x2 - x1), y1 + i * Sign(y2 - y1)});
}

void Outline(Pixels& p, int x1, int y1, int x2, int y2) {
  for (int x = x1; x < x2; ++x) p.insert({x, y1}), p.insert({x, y2 - 1});
  for (int y = y1; y < y2; ++y) p.insert({x1, y}), p.insert({x2 - 1, y});
}

void Fill(Pixels& p, int x1, int y1, int x2, int y2) {
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) p.insert({x, y});
}

// Draws on a white 30 x 30 bitmap and compares every pixel with the reference set.
void ExpectGlyph(const char* name, const std::function<void(TCanvas*)>& draw, const Pixels& want) {
  auto bmp = Filled(30, 30, kWhite);
  draw(bmp->Canvas());
  const TPixel red = ColorToPixel(clRed);
  int bad = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const TPixel expect = want.count({x, y}) ? red : kWhite;
      if (Px(*bmp, x, y) != expect && ++bad <= 4)
        ADD_FAILURE() << name << " pixel " << x << "," << y << (want.count({x, y}) ? " should be drawn" : " should not");
    }
  EXPECT_EQ(bad, 0) << name;
}

const TRect kBox{4, 6, 17, 15};  // centre (10, 10)

}  // namespace

TEST(SkinGlyphs, ArrowsFollowTheirTables) {
  const int cx = 10, cy = 10;
  Pixels drop;
  for (int n = 2; n >= 0; --n) Line(drop, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
  EXPECT_EQ(drop.size(), 9u);
  ExpectGlyph("drop arrow", [](TCanvas* c) { DrawDropArrow(c, kBox, clRed); }, drop);

  Pixels left, right, up, down;
  for (int i = 0; i <= 3; ++i) Line(left, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
  for (int n = 3; n >= 0; --n) Line(right, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
  for (int i = 0; i <= 3; ++i) Line(up, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
  for (int n = 3; n >= 0; --n) Line(down, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
  EXPECT_EQ(left.size(), 16u);
  EXPECT_TRUE(left.count({cx - 2, cy}) && !left.count({cx - 2, cy + 1}));  // the tip is one pixel
  ExpectGlyph("left", [](TCanvas* c) { DrawArrow(c, kBox, clRed, adLeft); }, left);
  ExpectGlyph("right", [](TCanvas* c) { DrawArrow(c, kBox, clRed, adRight); }, right);
  ExpectGlyph("up", [](TCanvas* c) { DrawArrow(c, kBox, clRed, adUp); }, up);
  ExpectGlyph("down", [](TCanvas* c) { DrawArrow(c, kBox, clRed, adDown); }, down);
  ExpectGlyph("no direction", [](TCanvas* c) { DrawArrow(c, kBox, clRed, 5); }, {});
}

TEST(SkinGlyphs, MarksAndCaptionGlyphsFollowTheirTables) {
  const int x = 6, y = 7;
  Pixels dot, check, close, sys, minimize, maximize, restore, rollDown, rollUp, tray;
  Fill(dot, x, y, x + 6, y + 6);
  for (int i = 0; i <= 2; ++i) {
    Line(check, x, y + 5 - i, x + 2, y + 7 - i);
    Line(check, x + 2, y + 7 - i, x + 7, y + 2 - i);
  }
  Line(close, x + 1, y + 1, x + 9, y + 9);
  Line(close, x + 9, y + 1, x + 1, y + 9);
  Line(close, x + 2, y + 1, x + 10, y + 9);
  Line(close, x + 8, y + 1, x, y + 9);
  Outline(sys, x + 1, y + 3, x + 9, y + 6);
  Line(minimize, x + 1, y + 8, x + 9, y + 8);
  Line(minimize, x + 1, y + 9, x + 9, y + 9);
  Outline(maximize, x, y, x + 11, y + 10);
  Outline(maximize, x, y, x + 11, y + 2);
  Outline(restore, x + 2, y, x + 10, y + 6);
  Outline(restore, x + 2, y, x + 10, y + 2);
  Outline(restore, x, y + 4, x + 7, y + 10);
  Outline(restore, x, y + 4, x + 7, y + 6);
  for (int i = 0; i <= 4; ++i) Line(rollDown, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
  for (int i = 0; i <= 4; ++i) Line(rollUp, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
  Fill(tray, x + 2, y + 2, x + 7, y + 7);

  ExpectGlyph("radio dot", [&](TCanvas* c) { DrawRadioDot(c, x, y, clRed); }, dot);
  ExpectGlyph("check mark", [&](TCanvas* c) { DrawCheckMark(c, x, y, clRed); }, check);
  ExpectGlyph("close", [&](TCanvas* c) { DrawCloseGlyph(c, x, y, clRed); }, close);
  ExpectGlyph("system menu", [&](TCanvas* c) { DrawSysMenuGlyph(c, x, y, clRed); }, sys);
  ExpectGlyph("minimize", [&](TCanvas* c) { DrawMinimizeGlyph(c, x, y, clRed); }, minimize);
  ExpectGlyph("maximize", [&](TCanvas* c) { DrawMaximizeGlyph(c, x, y, clRed); }, maximize);
  ExpectGlyph("restore", [&](TCanvas* c) { DrawRestoreGlyph(c, x, y, clRed); }, restore);
  ExpectGlyph("roll down", [&](TCanvas* c) { DrawRollDownGlyph(c, x, y, clRed); }, rollDown);
  ExpectGlyph("roll up", [&](TCanvas* c) { DrawRollUpGlyph(c, x, y, clRed); }, rollUp);
  ExpectGlyph("tray", [&](TCanvas* c) { DrawTrayGlyph(c, x, y, clRed); }, tray);
}

TEST(SkinGlyphs, HollowGlyphsKeepTheirInsideAfterAFilledOne) {
  // The brush left solid by a filled glyph must not fill a hollow one.
  auto bmp = Filled(30, 30, kWhite);
  DrawTrayGlyph(bmp->Canvas(), 0, 0, clBlue);
  DrawMaximizeGlyph(bmp->Canvas(), 10, 10, clRed);
  EXPECT_EQ(Px(*bmp, 15, 15), kWhite);
}

TEST(SkinGlyphs, ThreeDFrameOfWidthOne) {
  TRect r{3, 4, 12, 10};
  Pixels top, bottom;
  Line(top, 3, 9, 3, 4);
  Line(top, 3, 4, 11, 4);
  Line(bottom, 11, 4, 11, 9);
  Line(bottom, 11, 9, 2, 9);
  for (auto p : bottom) top.erase(p);
  auto bmp = Filled(20, 20, kWhite);
  Frame3D(bmp->Canvas(), r, clRed, clBlue, 1);
  EXPECT_EQ(r, (TRect{4, 5, 11, 9}));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const TPixel want = bottom.count({x, y}) ? ColorToPixel(clBlue) : top.count({x, y}) ? ColorToPixel(clRed) : kWhite;
      ASSERT_EQ(Px(*bmp, x, y), want) << x << "," << y;
    }
}

TEST(DrawGlyphCell, DrawsOneCellTransparentOnItsBottomLeftColour) {
  // Three 4 x 3 cells; the key colour sits at every cell's bottom-left pixel and at one
  // more pixel of cell 2.
  auto strip = CodedPicture(12, 3);
  const TPixel key = 0x00FF00;
  for (int k = 0; k < 3; ++k) strip->ScanLine(2)[4 * k] = key;
  strip->ScanLine(0)[5] = key;
  auto bmp = Filled(10, 8, kWhite);
  DrawGlyphCell(bmp->Canvas(), 3, 2, *strip, 3, 2);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      TPixel want = kWhite;
      if (x >= 3 && x < 7 && y >= 2 && y < 5) {
        const TPixel src = Px(*strip, 4 + x - 3, y - 2);
        want = src == key ? kWhite : src;
      }
      ASSERT_EQ(Px(*bmp, x, y), want) << x << "," << y;
    }
  // Nothing for an empty strip or a cell that does not exist.
  auto untouched = Filled(10, 8, kWhite);
  TBitmap empty;
  DrawGlyphCell(untouched->Canvas(), 0, 0, empty, 1, 1);
  DrawGlyphCell(untouched->Canvas(), 0, 0, *strip, 3, 0);
  DrawGlyphCell(untouched->Canvas(), 0, 0, *strip, 3, 4);
  DrawGlyphCell(untouched->Canvas(), 0, 0, *strip, 0, 1);
  DrawGlyphCell(untouched->Canvas(), 0, 0, *strip, 13, 1);  // cells narrower than a pixel
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(Px(*untouched, x, y), kWhite);
}

TEST(SkinText, Utf8DropLastNeverSplitsACharacter) {
  EXPECT_EQ(Utf8DropLast(""), 0u);
  EXPECT_EQ(Utf8DropLast("ab"), 1u);
  EXPECT_EQ(Utf8DropLast("a\xE2\x82\xAC"), 1u);           // a€
  EXPECT_EQ(Utf8DropLast("\xC3\xA9"), 0u);                // é
  EXPECT_EQ(Utf8DropLast("x\xF0\x9F\x98\x80"), 1u);       // 4-byte character
  EXPECT_EQ(Utf8DropLast("a\xE2\x82"), 2u);               // cut character: one byte at a time
  EXPECT_EQ(Utf8DropLast("a\x80\x80\x80\x80"), 4u);       // stray continuation bytes
}

TEST(SkinText, TrimTextToWidth) {
  auto bmp = Filled(200, 40, kWhite);
  TCanvas* c = bmp->Canvas();
  std::string fits = "Record";
  TrimTextToWidth(c, fits, c->TextWidth(fits));
  EXPECT_EQ(fits, "Record");

  const std::string original = "Recording finished successfully";
  const int limit = c->TextWidth("Recording fi...");
  std::string text = original;
  TrimTextToWidth(c, text, limit);
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(text.size() - 3), "...");
  const std::string prefix = text.substr(0, text.size() - 3);
  EXPECT_EQ(original.compare(0, prefix.size(), prefix), 0);
  EXPECT_LE(c->TextWidth(text), limit);
  // One more character would not fit: the prefix is the longest.
  EXPECT_GT(c->TextWidth(original.substr(0, prefix.size() + 1) + "..."), limit);

  std::string tiny = original;
  TrimTextToWidth(c, tiny, c->TextWidth("...") - 1);
  EXPECT_EQ(tiny, "...");

  // Chinese text is cut between characters only.
  const std::string chinese = "\xE5\xBD\x95\xE9\x9F\xB3\xE5\xB7\xB2\xE7\xBB\x8F\xE5\xAE\x8C\xE6\x88\x90";  // 录音已经完成
  for (int width = 0; width < c->TextWidth(chinese); width += 3) {
    std::string t = chinese;
    TrimTextToWidth(c, t, width);
    const std::string p = t.substr(0, t.size() - 3);
    ASSERT_EQ(p.size() % 3, 0u) << width;
    ASSERT_EQ(chinese.compare(0, p.size(), p), 0) << width;
  }
}

namespace {
// Bounding box of non-white pixels.
TRect Ink(const TBitmap& b) {
  TRect r{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (Px(b, x, y) != kWhite) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}
}  // namespace

TEST(SkinText, VerticallyCentredText) {
  auto a = Filled(120, 60, kWhite);
  a->Canvas()->Brush()->Style = TBrushStyle::bsClear;
  a->Canvas()->Font()->SetColor(clBlack);
  DrawTextVCentered(a->Canvas(), "HHH", {10, 0, 110, 60});
  const TRect ink = Ink(*a);
  ASSERT_GT(ink.Right, ink.Left);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 30, 4);
  EXPECT_GE(ink.Left, 10);
  EXPECT_LT(ink.Left, 16);

  // TextRectVCentered: left at rect.Left + 2 (+ offset), clipped to the rectangle.
  auto b = Filled(120, 60, kWhite);
  auto c = Filled(120, 60, kWhite);
  for (TBitmap* bmp : {b.get(), c.get()}) {
    bmp->Canvas()->Brush()->Style = TBrushStyle::bsClear;
    bmp->Canvas()->Font()->SetColor(clBlack);
  }
  const TRect box{20, 10, 60, 50};
  TextRectVCentered(b->Canvas(), "HHHHHHHHHHHHHHHH", box);
  TextRectVCentered(c->Canvas(), "HHHHHHHHHHHHHHHH", box, 5);
  const TRect inkB = Ink(*b), inkC = Ink(*c);
  ASSERT_GT(inkB.Right, inkB.Left);
  EXPECT_GE(inkB.Left, 22);
  EXPECT_LE(inkB.Right, box.Right);
  EXPECT_EQ(inkC.Left - inkB.Left, 5);
  EXPECT_NEAR((inkB.Top + inkB.Bottom) / 2.0, 30, 4);
}
