#pragma once
// Pictures of controls that tests compare pixel by pixel.
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Controls.h"

namespace testsupport {

// A bitmap that can be returned by value.
struct Pic {
  std::unique_ptr<TBitmap> B = std::make_unique<TBitmap>();
  TColor Pixel(int x, int y) const { return B->Pixel(x, y); }
  int Width() const { return B->Width(); }
  int Height() const { return B->Height(); }
  operator const TBitmap&() const { return *B; }
};

// The part of a window's image a window-less child covers.
Pic ShotOf(TWinControl* parent, const TControl* c);

}  // namespace testsupport
