#pragma once
// TbsSkinFormShape: the window shape of a skinned form from the skin's mask. The mask
// is cut into four side bitmaps around the mask area for the current size; the window
// region is the mask area united with the black pixels of the sides. The sides are kept
// for hit testing near the shaped edges.
#include <memory>

#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"

class TRegion;
class TbsSkinData;
struct TbsFormFrameGeometry;

class TbsSkinFormShape {
 public:
  // A mask that can shape the frame: not empty, the size of the main picture, holding
  // its mask area.
  static bool MaskUsable(const TbsSkinData& s);

  // Cuts the sides for the geometry and returns the region (nullptr: no usable mask, the
  // window stays rectangular).
  std::unique_ptr<TRegion> Build(const TbsSkinData& s, const TbsFormFrameGeometry& g);
  void Clear();
  bool HasMask() const { return FHasMask; }
  const TRect& MaskArea() const { return FMaskArea; }
  // The point (window coordinates) lies in the mask area or on a black pixel of the side
  // bitmap of its band.
  bool Inside(TPoint p) const;

  TBitmap Top, Bottom, Left, Right;

 private:
  bool FHasMask = false;
  TRect FMaskArea;
};
