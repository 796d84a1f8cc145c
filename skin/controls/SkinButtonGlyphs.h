#pragma once
// Glyph and caption placement shared by the skin buttons: which cell of a glyph strip a
// state shows, where glyph and caption go for a layout, and drawing both.
#include <string>

#include "framework/core/Types.h"

class TBitmap;
class TCanvas;
class TImageList;

enum class TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
constexpr auto blGlyphLeft = TbsButtonLayout::blGlyphLeft;
constexpr auto blGlyphRight = TbsButtonLayout::blGlyphRight;
constexpr auto blGlyphTop = TbsButtonLayout::blGlyphTop;
constexpr auto blGlyphBottom = TbsButtonLayout::blGlyphBottom;

// Cells of a glyph strip: 1 normal, 2 disabled, 3 pressed, 4 hot.
using TbsNumGlyphs = int;
constexpr TbsNumGlyphs MinNumGlyphs = 1;
constexpr TbsNumGlyphs MaxNumGlyphs = 4;

// The 1-based cell a button in this state shows.
int GlyphCell(bool down, bool mouseIn, bool enabled, TbsNumGlyphs numGlyphs);

struct TbsGlyphTextPos {
  TPoint Glyph;
  TPoint Text;
};

// Positions of a gw x gh glyph and a tw x th caption in r. margin -1 centres the two
// together; spacing counts even without a glyph.
TbsGlyphTextPos CalcGlyphTextLayout(const TRect& r, TbsButtonLayout layout, int margin, int spacing, int gw,
                                    int gh, int tw, int th);

// Draws cell `cell` of the glyph strip and the caption (an '&' marks the accelerator)
// with the canvas's font; pressed shifts both one pixel right and down.
void DrawGlyphAndText(TCanvas* canvas, const TRect& r, int margin, bool pressed, int cell,
                      TbsNumGlyphs numGlyphs, const TBitmap& glyph, const std::string& caption,
                      TbsButtonLayout layout, int spacing);

// The same with image `index` of an image list in place of the glyph (nothing of the
// image when the index is outside the list).
void DrawImageAndText(TCanvas* canvas, const TRect& r, int margin, bool pressed, const TImageList* images,
                      int index, bool enabled, const std::string& caption, TbsButtonLayout layout,
                      int spacing);

