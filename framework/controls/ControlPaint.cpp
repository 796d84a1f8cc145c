#include "framework/controls/ControlPaint.h"

#include <cmath>

#include "framework/graphics/Canvas.h"

void DrawFocusRect(TCanvas* canvas, const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  auto invert = [canvas](int x, int y) {
    TColor c = canvas->Pixel(x, y);
    if (c == clNone) return;
    canvas->SetPixel(x, y, c ^ 0xFFFFFF);
  };
  // Every other pixel along the outline, counted from the top-left corner; each pixel once.
  int step = 0;
  for (int x = r.Left; x < r.Right; ++x, ++step)
    if (step % 2 == 0) invert(x, r.Top);
  for (int y = r.Top + 1; y < r.Bottom; ++y, ++step)
    if (step % 2 == 0) invert(r.Right - 1, y);
  if (r.Height() > 1)
    for (int x = r.Right - 2; x >= r.Left; --x, ++step)
      if (step % 2 == 0) invert(x, r.Bottom - 1);
  if (r.Width() > 1)
    for (int y = r.Bottom - 2; y > r.Top; --y, ++step)
      if (step % 2 == 0) invert(r.Left, y);
}

void DrawControlText(TCanvas* canvas, const std::string& text, TRect r, unsigned flags, bool enabled) {
  canvas->Brush()->Style = TBrushStyle::bsClear;
  TColor color = canvas->Font()->Color();
  if (enabled) {
    canvas->DrawText(text, r, flags);
    return;
  }
  TRect shifted = r;
  OffsetRect(shifted, 1, 1);
  canvas->Font()->SetColor(clBtnHighlight);
  canvas->DrawText(text, shifted, flags);
  canvas->Font()->SetColor(clBtnShadow);
  canvas->DrawText(text, r, flags);
  canvas->Font()->SetColor(color);
}

void DrawRadioGlyph(TCanvas* canvas, int x, int y, bool checked, bool enabled) {
  const double c = RadioGlyphSize / 2.0;
  for (int j = 0; j < RadioGlyphSize; ++j) {
    for (int i = 0; i < RadioGlyphSize; ++i) {
      double dx = i + 0.5 - c, dy = j + 0.5 - c;
      double d = std::sqrt(dx * dx + dy * dy);
      bool upperLeft = i + j < RadioGlyphSize - 1;
      TColor col;
      if (d >= c) continue;
      if (d >= c - 1)
        col = upperLeft ? clBtnShadow : clBtnHighlight;
      else if (d >= c - 2)
        col = upperLeft ? cl3DDkShadow : cl3DLight;
      else if (checked && d < 2)
        col = enabled ? clWindowText : clBtnShadow;
      else
        col = enabled ? clWindow : clBtnFace;
      canvas->SetPixel(x + i, y + j, ColorToRGB(col));
    }
  }
}
