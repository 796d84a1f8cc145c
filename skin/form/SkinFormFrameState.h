#pragma once
// What the skinned form keeps of its frame between messages: the cached window size,
// whether the skin can draw the frame, the skinned geometry and window shape for that
// size, the bitmaps the frame is composed in, and the caption text as the default frame
// last drew it.
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "skin/form/SkinFormGeometry.h"
#include "skin/form/SkinFormShape.h"

struct TbsSkinFormFrameState {
  int Width = 0, Height = 0;
  // The skin is loaded and its FORMINFO and picture can draw the frame.
  bool Skinned = false;
  TbsFormFrameGeometry Geometry;
  TbsSkinFormShape Shape;
  // The region last set on the window; null while the window is rectangular.
  std::unique_ptr<TRegion> Region;
  // Composition bitmaps, kept so that a size loop does not reallocate them every step.
  TBitmap Top, Bottom, Left, Right, CaptionBitmap;
  std::string CaptionText;
};
