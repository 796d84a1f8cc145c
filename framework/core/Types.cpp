#include "framework/core/Types.h"

#include <algorithm>

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (IsRectEmpty(r)) {
    out = TRect{};
    return false;
  }
  out = r;
  return true;
}

bool UnionRect(TRect& out, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) {
    out = b;
  } else if (IsRectEmpty(b)) {
    out = a;
  } else {
    out = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
           std::max(a.Bottom, b.Bottom)};
  }
  return !IsRectEmpty(out);
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

TColor ColorToRGB(TColor c) {
  if ((static_cast<std::uint32_t>(c) & 0xFF000000u) != 0xFF000000u) return c;
  switch (c & 0xFF) {
    case 0: return RGB(212, 208, 200);   // scroll bar
    case 1: return RGB(58, 110, 165);    // desktop
    case 2: return RGB(10, 36, 106);     // active caption
    case 3: return RGB(128, 128, 128);   // inactive caption
    case 4: return RGB(212, 208, 200);   // menu
    case 5: return RGB(255, 255, 255);   // window
    case 6: return RGB(0, 0, 0);         // window frame
    case 7: return RGB(0, 0, 0);         // menu text
    case 8: return RGB(0, 0, 0);         // window text
    case 9: return RGB(255, 255, 255);   // caption text
    case 10: return RGB(212, 208, 200);  // active border
    case 11: return RGB(212, 208, 200);  // inactive border
    case 12: return RGB(128, 128, 128);  // app workspace
    case 13: return RGB(10, 36, 106);    // highlight
    case 14: return RGB(255, 255, 255);  // highlight text
    case 15: return RGB(212, 208, 200);  // button face
    case 16: return RGB(128, 128, 128);  // button shadow
    case 17: return RGB(128, 128, 128);  // gray text
    case 18: return RGB(0, 0, 0);        // button text
    case 19: return RGB(212, 208, 200);  // inactive caption text
    case 20: return RGB(255, 255, 255);  // button highlight
    case 21: return RGB(64, 64, 64);     // 3-D dark shadow
    case 22: return RGB(212, 208, 200);  // 3-D light
    case 23: return RGB(0, 0, 0);        // info text
    case 24: return RGB(255, 255, 225);  // info background
    default: return RGB(0, 0, 0);
  }
}
