#pragma once
// The 24-bit top-down pixel layout shared by TbsFBitmap and TbsEffectBmp: 3 bytes per
// pixel (blue, green, red), rows of Width * 3 + (Width mod 4) bytes, row 0 on top.
#include <cstddef>
#include <cstdint>

#include "framework/core/Types.h"

class TBitmap;

namespace bitmap24 {
// Row length in bytes; always a multiple of 4.
int StrideOf(int width);
// Stride * height, checked against overflow (raises EOutOfResources when too large).
std::size_t SizeOf(int width, int height);
// Copies the pixels of a 32-bit bitmap into 24-bit rows of the bitmap's size.
void ReadFrom(const TBitmap& source, Byte* bits, int stride);
// Writes 24-bit rows of width x height into dest, which is resized to that size first.
void WriteTo(TBitmap& dest, const Byte* bits, int stride, int width, int height);
}  // namespace bitmap24
