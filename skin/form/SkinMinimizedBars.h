#pragma once
// Where a minimised skinned form goes: a row of caption bars along the bottom of the
// work area, filled from the left, then row by row upward.
#include <functional>

#include "framework/core/Types.h"

class TbsSkinForm;

// The first free place for a bar of size bar in area. occupied tells whether another
// minimised bar sits exactly at a point. When every row up to the area's top is full,
// the bottom row's first place is taken.
TPoint MinimizedBarPosition(const TRect& area, TSize bar, const std::function<bool(TPoint)>& occupied);

// Whether a minimised bar of another visible skinned form, other than the application's
// main form, has its top-left corner exactly at p.
bool MinimizedBarAt(TPoint p, const TbsSkinForm* except);
