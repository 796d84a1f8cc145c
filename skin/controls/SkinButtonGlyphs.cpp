#include "skin/controls/SkinButtonGlyphs.h"

#include <functional>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/draw/SkinGlyphs.h"

int GlyphCell(bool down, bool mouseIn, bool enabled, TbsNumGlyphs numGlyphs) {
  if (down && mouseIn && numGlyphs > 2) return 3;
  if (mouseIn && numGlyphs > 3) return 4;
  if (enabled || numGlyphs < 2) return 1;
  return 2;
}

TbsGlyphTextPos CalcGlyphTextLayout(const TRect& r, TbsButtonLayout layout, int m, int s, int gw, int gh,
                                    int tw, int th) {
  const int cx = r.Left + (r.Right - r.Left) / 2, cy = r.Top + (r.Bottom - r.Top) / 2;
  const int hw = (tw + gw + s) / 2, hh = (th + gh + s) / 2;
  TbsGlyphTextPos p;
  TPoint& g = p.Glyph;
  TPoint& t = p.Text;
  switch (layout) {
    case blGlyphLeft:
      g.Y = cy - gh / 2;
      t.Y = cy - th / 2;
      if (m == -1) {
        g.X = cx - hw;
        t.X = cx + hw - tw;
      } else {
        g.X = r.Left + m;
        t.X = g.X + gw + s;
      }
      break;
    case blGlyphRight:
      g.Y = cy - gh / 2;
      t.Y = cy - th / 2;
      if (m == -1) {
        t.X = cx - hw;
        g.X = cx + hw - gw;
      } else {
        g.X = r.Right - gw - m;
        t.X = g.X - s - tw;
      }
      break;
    case blGlyphTop:
      g.X = cx - gw / 2;
      t.X = cx - tw / 2;
      if (m == -1) {
        g.Y = cy - hh;
        t.Y = cy + hh - th;
      } else {
        g.Y = r.Top + m;
        t.Y = g.Y + gh + s;
      }
      break;
    case blGlyphBottom:
      g.X = cx - gw / 2;
      t.X = cx - tw / 2;
      if (m == -1) {
        g.Y = cy + hh - gh;
        t.Y = cy - hh;
      } else {
        g.Y = r.Bottom - gh - m;
        t.Y = g.Y - s - th;
      }
      break;
  }
  return p;
}

namespace {
// Lays out an image of gw x gh and the caption, draws the caption and hands the image
// position to drawImage.
void DrawLaidOut(TCanvas* canvas, const TRect& r, int margin, bool pressed, int gw, int gh,
                 const std::string& caption, TbsButtonLayout layout, int spacing,
                 const std::function<void(int, int)>& drawImage) {
  TRect measure = Rect(0, 0, 0, 0);
  canvas->DrawText(caption, measure, DT_CALCRECT);
  const int tw = measure.Right - measure.Left, th = measure.Bottom - measure.Top;
  canvas->Brush()->Style = TBrushStyle::bsClear;
  TbsGlyphTextPos p = CalcGlyphTextLayout(r, layout, margin, spacing, gw, gh, tw, th);
  if (pressed) {
    p.Glyph.X++, p.Glyph.Y++;
    p.Text.X++, p.Text.Y++;
  }
  TRect tr = Rect(p.Text.X, p.Text.Y, p.Text.X, p.Text.Y);
  canvas->DrawText(caption, tr, DT_CALCRECT);
  tr.Right += 2;
  if (!caption.empty()) canvas->DrawText(caption, tr, DT_CENTER | DT_VCENTER);
  drawImage(p.Glyph.X, p.Glyph.Y);
}
}  // namespace

void DrawGlyphAndText(TCanvas* canvas, const TRect& r, int margin, bool pressed, int cell,
                      TbsNumGlyphs numGlyphs, const TBitmap& glyph, const std::string& caption,
                      TbsButtonLayout layout, int spacing) {
  const int n = numGlyphs < 1 ? 1 : numGlyphs;
  const bool hasGlyph = !glyph.Empty();
  const int gw = hasGlyph ? glyph.Width() / n : 0, gh = hasGlyph ? glyph.Height() : 0;
  DrawLaidOut(canvas, r, margin, pressed, gw, gh, caption, layout, spacing, [&](int x, int y) {
    if (hasGlyph) DrawGlyphCell(canvas, x, y, glyph, n, cell);
  });
}

void DrawImageAndText(TCanvas* canvas, const TRect& r, int margin, bool pressed, const TImageList* images,
                      int index, bool enabled, const std::string& caption, TbsButtonLayout layout,
                      int spacing) {
  const bool has = images && index >= 0 && index < images->Count();
  const int gw = has ? images->Width() : 0, gh = has ? images->Height() : 0;
  DrawLaidOut(canvas, r, margin, pressed, gw, gh, caption, layout, spacing, [&](int x, int y) {
    if (has) images->Draw(canvas, x, y, index, enabled);
  });
}

