#pragma once
// The four border strips of a resized element (for its window region) and of a form
// frame (for painting). Strips are returned in the order top, bottom, left, right; a
// strip that is not built is left empty (0 x 0).
#include "framework/core/Types.h"

class TBitmap;

// From a mask picture of the element's skin size PW x PH: top W x CL.Top, bottom
// W x (PH - CL.Bottom), left CL.Left x RectHeight(NCL), right (PW - CL.Right) x RectHeight(NCL).
void BuildFrameStrips(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                      TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL, int W,
                      const TBitmap& picture, TBitmap& top, TBitmap& bottom, TBitmap& left,
                      TBitmap& right);

// The form frame's strips for a W x H frame cut from the rectangle R of picture; NCL is
// the client rectangle in frame coordinates. Each flag stretches the middle of its strip
// instead of tiling it.
void BuildStretchFrameStrips(TPoint LT, TPoint RT, TPoint LB, TRect CL, TPoint RB,
                             TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL,
                             bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                             int W, int H, TRect R, const TBitmap& picture, TBitmap& top,
                             TBitmap& bottom, TBitmap& left, TBitmap& right);
