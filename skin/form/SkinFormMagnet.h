#pragma once
// Magnetic docking: a form dragged close to an edge of its area snaps onto that edge.
#include "framework/core/Types.h"

// The proposed bounds of a moving form, snapped to area's edges when an edge of the
// form lies strictly closer than size pixels to them. The left and top edges are tried
// first; the right and bottom edges, tried after them, win.
TRect MagneticSnap(const TRect& proposed, const TRect& area, int size);
