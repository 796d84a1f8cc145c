#include "skin/draw/SkinGlyphs.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/SkinGeometry.h"

namespace {

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

void UsePen(TCanvas* c, TColor color) {
  c->Pen()->Color = color;
  c->Pen()->Width = 1;
  c->Pen()->Style = TPenStyle::psSolid;
  c->Pen()->Mode = TPenMode::pmCopy;
}

void Filled(TCanvas* c, TColor color, int x1, int y1, int x2, int y2) {
  UsePen(c, color);
  c->Brush()->Color = color;
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Rectangle(x1, y1, x2, y2);
}

TPoint Centre(const TRect& r) { return {r.Left + RectWidth(r) / 2, r.Top + RectHeight(r) / 2}; }

}  // namespace

void DrawGlyphCell(TCanvas* canvas, int x, int y, const TBitmap& strip, int n, int k) {
  if (strip.Empty() || n <= 0 || k < 1 || k > n) return;
  const int cw = strip.Width() / n;
  if (cw <= 0) return;
  TBitmap cell(cw, strip.Height());
  cell.Canvas()->CopyRect({0, 0, cw, strip.Height()}, &strip, {(k - 1) * cw, 0, k * cw, strip.Height()});
  cell.SetTransparentMode(TTransparentMode::tmAuto);
  cell.SetTransparent(true);
  canvas->Draw(x, y, &cell);
}

void DrawDropArrow(TCanvas* canvas, const TRect& r, TColor color) {
  UsePen(canvas, color);
  const TPoint c = Centre(r);
  for (int n = 2; n >= 0; --n) Line(canvas, c.X - n, c.Y + 2 - n, c.X + n + 1, c.Y + 2 - n);
}

void DrawArrow(TCanvas* canvas, const TRect& r, TColor color, int direction) {
  UsePen(canvas, color);
  const TPoint c = Centre(r);
  switch (direction) {
    case adLeft:
      for (int i = 0; i <= 3; ++i) Line(canvas, c.X - 2 + i, c.Y - i, c.X - 2 + i, c.Y + i + 1);
      break;
    case adRight:
      for (int n = 3; n >= 0; --n) Line(canvas, c.X + 2 - n, c.Y + n, c.X + 2 - n, c.Y - n - 1);
      break;
    case adUp:
      for (int i = 0; i <= 3; ++i) Line(canvas, c.X - i, c.Y - 2 + i, c.X + i + 1, c.Y - 2 + i);
      break;
    case adDown:
      for (int n = 3; n >= 0; --n) Line(canvas, c.X - n, c.Y + 2 - n, c.X + n + 1, c.Y + 2 - n);
      break;
    default:
      break;
  }
}

void DrawRadioDot(TCanvas* canvas, int x, int y, TColor color) { Filled(canvas, color, x, y, x + 6, y + 6); }

void DrawCheckMark(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  for (int i = 0; i <= 2; ++i) {
    canvas->MoveTo(x, y + 5 - i);
    canvas->LineTo(x + 2, y + 7 - i);
    canvas->LineTo(x + 7, y + 2 - i);
  }
}

void DrawCloseGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  Line(canvas, x + 1, y + 1, x + 9, y + 9);
  Line(canvas, x + 9, y + 1, x + 1, y + 9);
  Line(canvas, x + 2, y + 1, x + 10, y + 9);
  Line(canvas, x + 8, y + 1, x, y + 9);
}

void DrawSysMenuGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  canvas->Brush()->Style = TBrushStyle::bsClear;
  canvas->Rectangle(x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  Line(canvas, x + 1, y + 8, x + 9, y + 8);
  Line(canvas, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  canvas->Brush()->Style = TBrushStyle::bsClear;
  canvas->Rectangle(x, y, x + 11, y + 10);
  canvas->Rectangle(x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  canvas->Brush()->Style = TBrushStyle::bsClear;
  canvas->Rectangle(x + 2, y, x + 10, y + 6);
  canvas->Rectangle(x + 2, y, x + 10, y + 2);
  canvas->Rectangle(x, y + 4, x + 7, y + 10);
  canvas->Rectangle(x, y + 4, x + 7, y + 6);
}

void DrawRollDownGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  for (int i = 0; i <= 4; ++i) Line(canvas, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawRollUpGlyph(TCanvas* canvas, int x, int y, TColor color) {
  UsePen(canvas, color);
  for (int i = 0; i <= 4; ++i) Line(canvas, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawTrayGlyph(TCanvas* canvas, int x, int y, TColor color) { Filled(canvas, color, x + 2, y + 2, x + 7, y + 7); }
