#include <gtest/gtest.h>

#include <QImage>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"
#include "tests/support/TestSupport.h"

using pixels::Row;

namespace {

TEST(ImageList, WidePicturesSplitIntoCellsAndKeysBecomeTransparent) {
  TImageList list;
  list.SetWidth(2);
  list.SetHeight(1);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  TBitmap strip(6, 1);  // three cells: rb | gg | bb  with red the key
  const TColor colours[] = {clRed, clBlue, clLime, clLime, clBlue, clRed};
  for (int x = 0; x < 6; ++x) strip.SetPixel(x, 0, colours[x]);
  EXPECT_EQ(list.AddMasked(&strip, clRed), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(changes, 1);

  TBitmap d(6, 1);
  pixels::Fill(d, clBlack);
  list.Draw(d.Canvas(), 0, 0, 0);
  list.Draw(d.Canvas(), 2, 0, 2);
  list.Draw(d.Canvas(), 4, 0, 9);  // no such image
  EXPECT_EQ(Row(d, 0), "#bb###");

  TBitmap got;
  list.GetBitmap(0, &got);
  EXPECT_EQ(got.Width(), 2);
  EXPECT_TRUE(got.Transparent());
  EXPECT_EQ(got.TransparentColor(), clFuchsia);
  EXPECT_EQ(got.Pixel(1, 0), clBlue);

  TBitmap mask(2, 1);
  mask.SetPixel(0, 0, clBlack);  // keep x=0, drop x=1 (white)
  TBitmap pic(2, 1);
  pixels::Fill(pic, clLime);
  EXPECT_EQ(list.Add(&pic, &mask), 3);
  TBitmap m(2, 1);
  list.Draw(m.Canvas(), 0, 0, 3);
  EXPECT_EQ(Row(m, 0), "g.");

  list.Delete(0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_THROW(list.Delete(3), EListError);
  list.SetWidth(4);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
  TImageList list;
  list.SetWidth(3);
  list.SetHeight(3);
  TBitmap pic(3, 3);
  pic.SetPixel(1, 1, clBlack);
  list.AddMasked(&pic, clWhite);
  TBitmap d(4, 4);
  pixels::Fill(d, clLime);
  list.Draw(d.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(d.Pixel(1, 1), RGB(128, 128, 128));  // shadow in place
  EXPECT_EQ(d.Pixel(2, 2), clWhite);             // highlight below right
  EXPECT_EQ(pixels::CountColour(d, clLime), 14);
}

TEST(Icon, ArgbPixelsBlendAndPngFilesLoad) {
  const std::uint32_t argb[4] = {0xFFFF0000, 0x00FFFFFF, 0x800000FF, 0xFF00FF00};
  TIcon icon;
  icon.SetFromArgb(2, 2, argb);
  EXPECT_EQ(icon.Width(), 2);
  EXPECT_EQ(icon.ArgbPixel(0, 1), 0x800000FFu);
  TBitmap d(2, 2);
  pixels::Fill(d, clBlack);
  icon.Draw(d.Canvas(), 0, 0);
  EXPECT_EQ(d.Pixel(0, 0), clRed);
  EXPECT_EQ(d.Pixel(1, 0), clBlack);
  EXPECT_EQ(d.Pixel(0, 1), RGB(0, 0, 128));
  EXPECT_EQ(d.Pixel(1, 1), clLime);

  const std::string file = testsupport::MakeTempDir("icon") + "/i.png";
  QImage img(3, 1, QImage::Format_ARGB32);
  img.setPixel(0, 0, 0xFF0000FF);
  img.setPixel(1, 0, 0x00000000);
  img.setPixel(2, 0, 0xFFFFFF00);
  ASSERT_TRUE(img.save(QString::fromStdString(file)));
  TIcon png;
  png.LoadFromFile(file);
  EXPECT_EQ(png.ArgbPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(png.ArgbPixel(1, 0) >> 24, 0u);
  EXPECT_THROW(png.LoadFromFile(file + ".missing"), EInvalidGraphic);

  TImageList list;  // 16x16: the 2x2 icon is scaled up
  EXPECT_EQ(list.AddIcon(&icon), 0);
  TBitmap big(16, 16);
  list.Draw(big.Canvas(), 0, 0, 0);
  EXPECT_EQ(big.Pixel(3, 3), clRed);
  EXPECT_EQ(big.Pixel(12, 3), clWhite);
  EXPECT_EQ(big.Pixel(12, 12), clLime);
}

}  // namespace
