#pragma once
// Small glyphs of the default looks, drawn with the canvas's pen (and brush where
// filled) in the given colour, and the cells of a glyph strip.
#include "framework/core/Types.h"

class TBitmap;
class TCanvas;

// Draws cell k (1-based) of a strip of n equal cells at (x, y), transparent on the colour
// of the cell's bottom-left pixel. Nothing when the strip is empty or k is not a cell.
void DrawGlyphCell(TCanvas* canvas, int x, int y, const TBitmap& strip, int n, int k);

// Arrow directions of DrawArrow.
constexpr int adLeft = 1;
constexpr int adRight = 2;
constexpr int adUp = 3;
constexpr int adDown = 4;

void DrawDropArrow(TCanvas* canvas, const TRect& r, TColor color);          // 5-3-1 rows, centred
void DrawArrow(TCanvas* canvas, const TRect& r, TColor color, int direction);  // 4-step arrow, centred
void DrawRadioDot(TCanvas* canvas, int x, int y, TColor color);             // 6 x 6 square
void DrawCheckMark(TCanvas* canvas, int x, int y, TColor color);            // 3-pixel-thick tick

// Caption-button glyphs, top-left at (x, y).
void DrawCloseGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawSysMenuGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawMinimizeGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawMaximizeGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRestoreGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRollDownGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRollUpGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawTrayGlyph(TCanvas* canvas, int x, int y, TColor color);
