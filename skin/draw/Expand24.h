#pragma once
// Widening 24-bit pixels (blue, green, red bytes) to the framework's 32-bit words
// (0x00RRGGBB), on the vector unit when the processor has AVX2.
#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"

// Reads width * 3 bytes from in, writes width words to out; nothing outside either.
void Expand24To32(const Byte* in, TPixel* out, int width);
