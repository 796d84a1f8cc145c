#include "skin/draw/PieceCopy.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace piece {

void Copy(TBitmap& target, const TRect& dst, const TBitmap& picture, const TRect& src) {
  if (dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  if (dst.Width() != src.Width() || dst.Height() != src.Height()) {
    target.Canvas()->CopyRect(dst, &picture, src);
    return;
  }
  // Clip the pair so that both rectangles stay inside their bitmaps.
  int sx = src.Left, sy = src.Top, dx = dst.Left, dy = dst.Top, w = src.Width(), h = src.Height();
  auto clipStart = [&](int& s, int& d, int& len) {
    const int cut = std::max(0, std::max(-s, -d));
    s += cut; d += cut; len -= cut;
  };
  clipStart(sx, dx, w);
  clipStart(sy, dy, h);
  w = std::min({w, picture.Width() - sx, target.Width() - dx});
  h = std::min({h, picture.Height() - sy, target.Height() - dy});
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row)
    std::memcpy(target.ScanLine(dy + row) + dx, picture.ScanLine(sy + row) + sx, std::size_t(w) * sizeof(TPixel));
}

namespace {
// Tile k of a run starts at start + k * t; only tiles that can reach [0, extent) are
// visited, so absurd skin values cost no time and no arithmetic overflows.
template <typename CopyTile>
void Tiles(long long t, long long start, long long limit, long long extent, CopyTile copyTile) {
  if (t <= 0) return;
  const long long n = (limit - start) / t;  // truncates toward zero
  if (n < 0) return;
  long long first = 0;
  if (start + t <= 0) first = (-start) / t;
  for (long long k = first; k <= n; ++k) {
    const long long p0 = start + k * t;
    if (p0 >= extent) break;
    const long long clip = std::max(0LL, p0 + t - limit);
    copyTile(int(p0), int(t - clip));
  }
}
}  // namespace

void TileH(TBitmap& target, const TBitmap& picture, int srcLeft, int srcRight, int srcTop,
           int srcBottom, int start, int limit, int dstTop, int dstBottom) {
  Tiles(0LL + srcRight - srcLeft, start, limit, target.Width(), [&](int x0, int len) {
    Copy(target, {x0, dstTop, x0 + len, dstBottom}, picture, {srcLeft, srcTop, srcLeft + len, srcBottom});
  });
}

void TileV(TBitmap& target, const TBitmap& picture, int srcTop, int srcBottom, int srcLeft,
           int srcRight, int start, int limit, int dstLeft, int dstRight) {
  Tiles(0LL + srcBottom - srcTop, start, limit, target.Height(), [&](int y0, int len) {
    Copy(target, {dstLeft, y0, dstRight, y0 + len}, picture, {srcLeft, srcTop, srcRight, srcTop + len});
  });
}

}  // namespace piece
