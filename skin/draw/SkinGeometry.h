#pragma once
// Rectangle and point helpers of the skin engine, and the geometry of a resizable skin
// element: its corner points and client rectangle in the skin picture, and the same
// items for a target of another size.
#include "framework/core/Types.h"

int RectWidth(const TRect& r);
int RectHeight(const TRect& r);
bool IsNullRect(const TRect& r);    // width <= 0 or height <= 0
bool IsNullPoint(const TPoint& p);  // X = 0 or Y = 0
// Edges included on all four sides.
bool PointInsideRect(const TRect& r, const TPoint& p);
// Both corners of a by the half-open test: right/bottom edges of b excluded.
bool RectInsideRect(const TRect& a, const TRect& b);
inline constexpr TRect NullRect{0, 0, 0, 0};

// ResizeMode values.
constexpr int rmNone = -1;
constexpr int rmFixed = 0;
constexpr int rmBoth = 1;
constexpr int rmHorizontal = 2;
constexpr int rmVertical = 3;

// The corner points and client rectangle of an element, relative to its skin rectangle
// (source) or to the target (the New... values).
struct TbsSkinPoints {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client;
  friend bool operator==(const TbsSkinPoints&, const TbsSkinPoints&) = default;
};

// The resize mode that follows from an element's skin rectangle and points.
int SkinResizeMode(const TRect& skinRect, const TbsSkinPoints& points);

// Target geometry for a target of W x H. W and H are forced to the skin size in the
// directions the mode does not resize; for modes -1 and 0 the points are unchanged.
TbsSkinPoints CalcTargetSkinPoints(int resizeMode, const TRect& skinRect,
                                   const TbsSkinPoints& source, int& W, int& H);
