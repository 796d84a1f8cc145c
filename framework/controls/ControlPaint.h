#pragma once
// Drawing pieces the standard controls share, in the classic look.
#include <string>

#include "framework/core/Types.h"

class TCanvas;

// The dotted focus rectangle, drawn by inverting every other pixel of the outline
// (drawing it twice restores the picture).
void DrawFocusRect(TCanvas* canvas, const TRect& r);
// Text with DrawText; a disabled control's text is embossed (highlight, shifted by one
// pixel, under the shadow colour). The brush is left clear.
void DrawControlText(TCanvas* canvas, const std::string& text, TRect r, unsigned flags, bool enabled);
// Size of the round radio glyph.
constexpr int RadioGlyphSize = 12;
// A round radio glyph with its top-left corner at (x, y): a sunken ring, a window-
// coloured (face-coloured when disabled) inside and the dot when checked.
void DrawRadioGlyph(TCanvas* canvas, int x, int y, bool checked, bool enabled);
