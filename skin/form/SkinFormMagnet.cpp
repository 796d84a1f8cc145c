#include "skin/form/SkinFormMagnet.h"

namespace {
bool Near(int edge, int value, int size) { return edge - size < value && value < edge + size; }
}  // namespace

TRect MagneticSnap(const TRect& proposed, const TRect& area, int size) {
  const int w = proposed.Width(), h = proposed.Height();
  int l = proposed.Left, t = proposed.Top;
  if (Near(area.Left, l, size)) l = area.Left;
  if (Near(area.Top, t, size)) t = area.Top;
  if (Near(area.Right, l + w, size)) l = area.Right - w;
  if (Near(area.Bottom, t + h, size)) t = area.Bottom - h;
  return Rect(l, t, l + w, t + h);
}
