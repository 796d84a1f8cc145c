#include "skin/controls/SkinPictureParts.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/SkinGeometry.h"

void DrawPicturePartTransparent(TCanvas* canvas, const TBitmap& picture, const TRect& src, int x, int y) {
  const int w = RectWidth(src), h = RectHeight(src);
  // A record's rectangle is not checked against its picture when it is read.
  if (w <= 0 || h <= 0 || src.Left < 0 || src.Top < 0 || src.Right > picture.Width() ||
      src.Bottom > picture.Height())
    return;
  TBitmap part(w, h);
  part.Canvas()->CopyRect(Rect(0, 0, w, h), &picture, src);
  part.SetTransparentMode(TTransparentMode::tmAuto);
  part.SetTransparent(true);
  canvas->Draw(x, y, &part);
}
