// The open dialog's tool button glyphs are compiled into the program.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"

namespace {

TEST(ToolButtonGlyphs, EachLoadsAsA16PixelGlyphOnItsKeyColour) {
  for (const char* name : {"BS_BACK", "BS_UP", "BS_NEWFOLDER", "BS_LVSTYLE", "bs_back"}) {
    TBitmap b;
    b.LoadFromResourceName(name);
    EXPECT_EQ(16, b.Width()) << name;
    EXPECT_EQ(16, b.Height()) << name;
    // The bottom-left pixel is the transparent key; the picture itself is not empty.
    EXPECT_EQ(clFuchsia, b.Pixel(0, 15)) << name;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) drawn += b.Pixel(x, y) != clFuchsia;
    EXPECT_GT(drawn, 40) << name;
  }
}

}  // namespace
