#pragma once
// Drawing a rectangle of a skin picture as a transparent image (check images and the
// like), transparent on the colour of the part's bottom-left pixel.
#include "framework/core/Types.h"

class TBitmap;
class TCanvas;

// Nothing when src is empty or not inside the picture.
void DrawPicturePartTransparent(TCanvas* canvas, const TBitmap& picture, const TRect& src, int x, int y);
