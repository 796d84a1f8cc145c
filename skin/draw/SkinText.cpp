#include "skin/draw/SkinText.h"

#include "framework/graphics/Canvas.h"
#include "skin/draw/SkinGeometry.h"

std::size_t Utf8DropLast(const std::string& text) {
  if (text.empty()) return 0;
  const std::size_t last = text.size() - 1;
  // Walk back over at most three continuation bytes to the lead byte of the character.
  std::size_t i = last;
  while (i > 0 && last - i < 3 && (Byte(text[i]) & 0xC0) == 0x80) --i;
  const Byte lead = Byte(text[i]);
  const std::size_t expected = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4 : 0;
  // A well-formed character ends exactly at the end of the text; anything else is dropped
  // byte by byte.
  return expected == last - i + 1 ? i : last;
}

void TrimTextToWidth(TCanvas* canvas, std::string& text, int width) {
  if (canvas->TextWidth(text) <= width) return;
  const std::string ellipsis = "...";
  while (!text.empty()) {
    text.resize(Utf8DropLast(text));
    if (canvas->TextWidth(text + ellipsis) <= width) break;
  }
  text += ellipsis;
}

void DrawTextVCentered(TCanvas* canvas, const std::string& text, const TRect& r) {
  TRect box = r;
  canvas->DrawText(text, box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void TextRectVCentered(TCanvas* canvas, const std::string& text, const TRect& r, int extraX) {
  const int y = r.Top + RectHeight(r) / 2 - canvas->TextHeight(text) / 2;
  canvas->TextRect(r, r.Left + 2 + extraX, y, text);
}
