#include "media/MediaPlayerBar.h"

#include <vector>

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {
constexpr const char* kNames[] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT",  "MPPREV",
                                  "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
constexpr int kGlyphW = 16, kGlyphH = 12;
constexpr TColor kKey = 0xFF00FF;  // transparent key colour (bottom-left pixel)

// The colour a coloured button draws its sign in.
TColor SignColour(int button) {
  switch (static_cast<TMPBtnType>(button)) {
    case btPlay: return RGB(0, 128, 0);
    case btRecord: return RGB(192, 0, 0);
    case btStop: case btPause: return RGB(0, 0, 160);
    case btEject: return RGB(128, 0, 128);
    default: return RGB(0, 96, 128);
  }
}

void Sign(TCanvas* c, int button, int dx, int dy, TColor colour) {
  auto P = [&](int x, int y) { return Point(x + dx, y + dy); };
  c->Pen()->Color = colour;
  c->Brush()->Color = colour;
  switch (static_cast<TMPBtnType>(button)) {
    case btPlay: c->Polygon({P(5, 1), P(11, 6), P(5, 11)}); break;
    case btPause: c->FillRect(Rect(4 + dx, 2 + dy, 7 + dx, 10 + dy)); c->FillRect(Rect(9 + dx, 2 + dy, 12 + dx, 10 + dy)); break;
    case btStop: c->FillRect(Rect(4 + dx, 2 + dy, 12 + dx, 10 + dy)); break;
    case btNext: c->Polygon({P(3, 1), P(9, 6), P(3, 11)}); c->FillRect(Rect(10 + dx, 1 + dy, 12 + dx, 12 + dy)); break;
    case btPrev: c->FillRect(Rect(3 + dx, 1 + dy, 5 + dx, 12 + dy)); c->Polygon({P(12, 1), P(6, 6), P(12, 11)}); break;
    case btStep: c->Polygon({P(2, 3), P(6, 6), P(2, 9)}); c->Polygon({P(8, 3), P(12, 6), P(8, 9)}); break;
    case btBack: c->Polygon({P(7, 3), P(3, 6), P(7, 9)}); c->Polygon({P(13, 3), P(9, 6), P(13, 9)}); break;
    case btRecord: c->Ellipse(4 + dx, 2 + dy, 12 + dx, 10 + dy); break;
    case btEject: c->Polygon({P(8, 1), P(13, 6), P(3, 6)}); c->FillRect(Rect(3 + dx, 8 + dy, 14 + dx, 10 + dy)); break;
  }
}
}  // namespace

const char* MediaPlayerButtonName(TMPBtnType b) { return kNames[static_cast<int>(b)]; }

std::array<TRect, 9> MediaPlayerButtonRects(TButtonSet visible, int width, int height) {
  std::array<TRect, 9> rects{};
  std::vector<int> shown;
  for (int b = 0; b < 9; ++b)
    if (visible.Contains(static_cast<TMPBtnType>(b))) shown.push_back(b);
  if (shown.empty() || width <= 0 || height <= 0) return rects;
  int n = static_cast<int>(shown.size()), each = width / n;
  for (int i = 0; i < n; ++i)
    rects[static_cast<size_t>(shown[static_cast<size_t>(i)])] = Rect(i * each, 0, i == n - 1 ? width : (i + 1) * each, height);
  return rects;
}

std::unique_ptr<TBitmap> MakeMediaPlayerBitmap(const std::string& name) {
  auto bmp = std::make_unique<TBitmap>();
  if (FindResource("bitmap", name)) {
    bmp->LoadFromResourceName(name);
    return bmp;
  }
  auto sep = name.find('_');
  std::string state = sep == std::string::npos ? "" : name.substr(0, sep);
  std::string button = sep == std::string::npos ? "" : name.substr(sep + 1);
  int index = -1;
  for (int b = 0; b < 9; ++b)
    if (button == kNames[b]) index = b;
  if (index < 0 || (state != "EN" && state != "DI" && state != "CL"))
    throw EInvalidGraphic("No media player button picture named " + name);
  bmp->SetSize(kGlyphW, kGlyphH);
  TCanvas* c = bmp->Canvas();
  c->Brush()->Color = kKey;
  c->FillRect(Rect(0, 0, kGlyphW, kGlyphH));
  if (state == "DI") {
    Sign(c, index, 1, 1, clBtnHighlight);  // engraved: a light copy under a grey one
    Sign(c, index, 0, 0, clBtnShadow);
  } else {
    Sign(c, index, 0, 0, state == "CL" ? SignColour(index) : clBtnText);
  }
  bmp->SetPixel(0, kGlyphH - 1, kKey);  // the key colour sits in the bottom-left corner
  bmp->SetTransparent(true);
  return bmp;
}

void DrawMediaPlayerButton(TCanvas* c, const TRect& r, const TBitmap* glyph, bool pressed) {
  TColor light = pressed ? clBtnShadow : clBtnHighlight, dark = pressed ? clBtnHighlight : cl3DDkShadow;
  c->Brush()->Color = clBtnFace;
  c->FillRect(r);
  c->Pen()->Color = light;
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right - 1, r.Top);
  c->Pen()->Color = dark;
  c->LineTo(r.Right - 1, r.Bottom - 1);
  c->LineTo(r.Left - 1, r.Bottom - 1);
  if (!glyph || glyph->Empty()) return;
  int off = pressed ? 1 : 0;
  int x = r.Left + (r.Width() - glyph->Width()) / 2 + off, y = r.Top + (r.Height() - glyph->Height()) / 2 + off;
  c->DrawTransparent(Rect(x, y, x + glyph->Width(), y + glyph->Height()), glyph,
                     Rect(0, 0, glyph->Width(), glyph->Height()), glyph->TransparentColor());
}
