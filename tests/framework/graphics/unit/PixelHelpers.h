#pragma once
// Reading pixels back as text rows, so the expected shape is visible in the test.
#include <string>

#include "framework/graphics/Bitmap.h"

namespace pixels {

// One character per pixel of row y: mapping[i].second where the colour is mapping[i].first,
// '?' for any other colour.
inline std::string Row(const TBitmap& b, int y, std::initializer_list<std::pair<TColor, char>> mapping) {
  std::string s;
  for (int x = 0; x < b.Width(); ++x) {
    char c = '?';
    for (auto& [colour, ch] : mapping)
      if (b.Pixel(x, y) == colour) c = ch;
    s += c;
  }
  return s;
}

inline std::string Row(const TBitmap& b, int y) {
  return Row(b, y, {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}});
}

inline void Fill(TBitmap& b, TColor c) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, c);
}

// Bounding box of every pixel that is not the background colour (empty when none).
inline TRect InkBox(const TBitmap& b, TColor background) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  if (r.Right <= r.Left) return TRect{};
  return r;
}

inline int CountColour(const TBitmap& b, TColor c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == c;
  return n;
}

}  // namespace pixels
