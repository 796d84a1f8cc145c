#include "skin/draw/FBitmap.h"

#include "framework/graphics/Bitmap.h"
#include "skin/draw/Bitmap24.h"

TbsFBitmap::TbsFBitmap(const TBitmap& source)
    : FWidth(source.Width() > 0 ? source.Width() : 0),
      FHeight(source.Height() > 0 ? source.Height() : 0) {
  FStride = bitmap24::StrideOf(FWidth);
  FPixels.assign(bitmap24::SizeOf(FWidth, FHeight), 0);
  FRows.resize(std::size_t(FHeight));
  for (int y = 0; y < FHeight; ++y) FRows[std::size_t(y)] = FPixels.data() + std::size_t(y) * std::size_t(FStride);
  if (FWidth > 0 && FHeight > 0) bitmap24::ReadFrom(source, FPixels.data(), FStride);
}

void TbsFBitmap::CopyTo(TBitmap& dest) const {
  bitmap24::WriteTo(dest, FPixels.data(), FStride, FWidth, FHeight);
}
