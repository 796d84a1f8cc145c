#pragma once
// Builders that assemble a skinned element's image from rectangles of a skin picture:
// nine-piece images with tiled or stretched edges, open-right variants, and three-piece
// strips. Each sizes its destination first; pieces whose source or destination span is
// empty are skipped, so a degenerate skin leaves an unpainted image of the right size.
//
// Nine-piece arguments: LT, RT, LB, RB, CL are the corner points and client rectangle
// relative to the skin rectangle R inside picture; NLT..NCL the same for the W x H target.
#include "framework/core/Types.h"

class TBitmap;

void BuildSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                    TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL,
                    const TBitmap& picture, TBitmap& destination, TRect R, int W, int H,
                    bool DrawClient);

// As BuildSkinImage; an edge whose flag is set is stretched over its whole span.
void BuildStretchSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                           TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL,
                           const TBitmap& picture, TBitmap& destination, TRect R, int W, int H,
                           bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                           bool BottomStretch);

// Left corners and left edge only; the top and bottom edges and the centre run to W.
void BuildSkinImageOpenRight(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL,
                             TPoint NLT, TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL,
                             const TBitmap& picture, TBitmap& destination, TRect R, int W, int H,
                             bool DrawClient);

// Three-piece horizontal strip W x RectHeight(R): fixed ends of leftWidth and rightWidth,
// the middle tiled between them.
void BuildHSkinImage(int leftWidth, int rightWidth, TBitmap& destination, int W, TRect R,
                     const TBitmap& picture);
// Left end and a middle tiled up to W; no right end.
void BuildHSkinImageOpenRight(int leftWidth, int rightWidth, TBitmap& destination, int W,
                              TRect R, const TBitmap& picture);
// Three-piece vertical strip RectWidth(R) x H.
void BuildVSkinImage(int topHeight, int bottomHeight, TBitmap& destination, int H, TRect R,
                     const TBitmap& picture);
