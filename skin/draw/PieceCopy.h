#pragma once
// Rectangle copies and tiling shared by the image and strip builders (internal).
#include "framework/core/Types.h"

class TBitmap;

namespace piece {
// Copies src (in picture pixels) to dst (in target pixels). Same sizes copy row by row,
// clipped to both bitmaps; different sizes stretch through the target's canvas. An empty
// or inverted rectangle on either side draws nothing.
void Copy(TBitmap& target, const TRect& dst, const TBitmap& picture, const TRect& src);

// Tiles the columns [srcLeft, srcRight) of the source rows [srcTop, srcBottom) from x =
// start while x < limit into the target rows [dstTop, dstBottom): tile count
// (limit - start) div width + 1, the last tile clipped at limit. Nothing when the
// source span is empty.
void TileH(TBitmap& target, const TBitmap& picture, int srcLeft, int srcRight, int srcTop,
           int srcBottom, int start, int limit, int dstTop, int dstBottom);
// The same down the rows.
void TileV(TBitmap& target, const TBitmap& picture, int srcTop, int srcBottom, int srcLeft,
           int srcRight, int start, int limit, int dstLeft, int dstRight);
}  // namespace piece
