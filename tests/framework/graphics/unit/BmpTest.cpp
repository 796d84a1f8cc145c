#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/unit/PixelHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

struct Bytes {
  std::vector<std::uint8_t> v;
  Bytes& u8(unsigned x) { v.push_back(std::uint8_t(x)); return *this; }
  Bytes& u16(unsigned x) { return u8(x & 0xFF).u8(x >> 8); }
  Bytes& u32(std::uint32_t x) { return u16(x & 0xFFFF).u16(x >> 16); }
  Bytes& pad(size_t n) { v.resize(v.size() + n, 0); return *this; }
};

// A BMP file assembled field by field, so each test can break one field.
struct BmpSpec {
  std::uint32_t headerSize = 40;
  std::int32_t width = 2, height = 2;
  unsigned planes = 1, bpp = 24;
  std::uint32_t compression = 0, clrUsed = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // after a 40-byte header
  std::vector<std::uint8_t> pixels;
  std::int64_t offsetDelta = 0;

  std::vector<std::uint8_t> Build() const {
    Bytes h;
    if (headerSize == 12) {
      h.u32(12).u16(unsigned(width)).u16(unsigned(height)).u16(planes).u16(bpp);
    } else {
      h.u32(headerSize).u32(std::uint32_t(width)).u32(std::uint32_t(height)).u16(planes).u16(bpp);
      h.u32(compression).u32(std::uint32_t(pixels.size())).u32(3780).u32(3780).u32(clrUsed).u32(0);
      for (std::uint32_t m : masks) h.u32(m);
      h.pad(headerSize - std::min<size_t>(headerSize, h.v.size() - (masks.size() * 4)) );
    }
    for (std::uint32_t c : palette) {
      h.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF);
      if (headerSize != 12) h.u8(0);
    }
    Bytes f;
    const std::uint32_t off = std::uint32_t(14 + h.v.size() + offsetDelta);
    f.u8('B').u8('M').u32(std::uint32_t(14 + h.v.size() + pixels.size())).u32(0).u32(off);
    f.v.insert(f.v.end(), h.v.begin(), h.v.end());
    f.v.insert(f.v.end(), pixels.begin(), pixels.end());
    return f.v;
  }
};

void Load(TBitmap& b, const std::vector<std::uint8_t>& data) { b.LoadFromBytes(data.data(), data.size()); }

std::string LoadError(const std::vector<std::uint8_t>& data) {
  TBitmap b;
  try {
    Load(b, data);
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return "loaded";
}

void Pattern(TBitmap& b, int w, int h, std::vector<TColor> colours) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, colours[size_t(x * 7 + y * 3) % colours.size()]);
}

void ExpectSame(const TBitmap& a, const TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

TEST(BmpFiles, RoundTripAtEveryBitDepthWithOddWidths) {
  struct Case {
    TPixelFormat format;
    std::vector<TColor> colours;
    int bpp;
  };
  std::vector<TColor> many;
  for (int i = 0; i < 300; ++i) many.push_back(RGB(i * 7, i * 13, i * 29));
  std::vector<TColor> sixteen, twoFiftySix;
  for (int i = 0; i < 16; ++i) sixteen.push_back(RGB(i * 16, 255 - i, i * 3));
  for (int i = 0; i < 256; ++i) twoFiftySix.push_back(RGB(i, (i * 5) & 0xFF, 255 - i));
  const Case cases[] = {{TPixelFormat::pf1bit, {clRed, clNavy}, 1},
                        {TPixelFormat::pf4bit, sixteen, 4},
                        {TPixelFormat::pf8bit, twoFiftySix, 8},
                        {TPixelFormat::pf24bit, many, 24},
                        {TPixelFormat::pf32bit, many, 32}};
  const std::string dir = testsupport::MakeTempDir("bmp");
  for (const Case& c : cases) {
    for (int w : {1, 13, 33}) {
      SCOPED_TRACE("bpp " + std::to_string(c.bpp) + " width " + std::to_string(w));
      TBitmap src;
      Pattern(src, w, 7, c.colours);
      src.SetPixelFormat(c.format);
      const std::vector<std::uint8_t> data = src.SaveToBytes();
      EXPECT_EQ(data[28], c.bpp);
      TBitmap back;
      Load(back, data);
      ExpectSame(src, back);
      EXPECT_EQ(back.PixelFormat(), c.format);

      const std::string file = dir + "/rt.bmp";
      src.SaveToFile(file);
      TBitmap fromFile;
      fromFile.LoadFromFile(file);
      ExpectSame(src, fromFile);
    }
  }
}

TEST(BmpFiles, TooManyColoursAreQuantisedForPalettedDepths) {
  TBitmap src(4, 1);
  src.SetPixel(0, 0, RGB(250, 250, 240));
  src.SetPixel(1, 0, RGB(20, 10, 30));
  src.SetPixel(2, 0, RGB(200, 190, 180));
  src.SetPixel(3, 0, RGB(60, 70, 50));
  src.SetPixelFormat(TPixelFormat::pf1bit);
  TBitmap back;
  Load(back, src.SaveToBytes());
  EXPECT_EQ(pixels::Row(back, 0), ".#.#");

  src.SetPixelFormat(TPixelFormat::pf4bit);
  TBitmap four;
  Pattern(four, 20, 20, [] {
    std::vector<TColor> v;
    for (int i = 0; i < 40; ++i) v.push_back(RGB(i * 6, 0, 0));
    return v;
  }());
  four.SetPixel(0, 0, RGB(250, 0, 0));
  four.SetPixelFormat(TPixelFormat::pf4bit);
  Load(back, four.SaveToBytes());
  EXPECT_EQ(back.Pixel(0, 0), clRed);  // nearest of the 16 standard colours
}

TEST(BmpFiles, ReadsTopDownBottomUpCoreHeaderBitfieldsAndV5) {
  BmpSpec s;  // bottom-up 24 bits: first stored row is the bottom one
  s.pixels = {0, 0, 255, 0, 255, 0, 0, 0,    // bottom: red, lime, pad
              255, 0, 0, 255, 255, 255, 0, 0};  // top: blue, white, pad
  TBitmap b;
  Load(b, s.Build());
  EXPECT_EQ(pixels::Row(b, 0), "b.");
  EXPECT_EQ(pixels::Row(b, 1), "rg");

  s.height = -2;
  Load(b, s.Build());
  EXPECT_EQ(pixels::Row(b, 0), "rg");
  EXPECT_EQ(pixels::Row(b, 1), "b.");

  BmpSpec core;
  core.headerSize = 12;
  core.bpp = 8;
  core.width = 3;
  core.height = 1;
  core.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  core.pixels = {2, 1, 0, 0};
  Load(b, core.Build());
  EXPECT_EQ(pixels::Row(b, 0), "bgr");

  BmpSpec p4;
  p4.bpp = 4;
  p4.width = 3;
  p4.height = 1;
  p4.clrUsed = 2;
  p4.palette = {0x000000, 0xFFFFFF};
  p4.pixels = {0x10, 0x70, 0, 0};  // index 7 lies past the palette: black
  Load(b, p4.Build());
  EXPECT_EQ(pixels::Row(b, 0), ".##");

  BmpSpec rgb565;
  rgb565.bpp = 16;
  rgb565.width = 2;
  rgb565.height = 1;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixels = {0x00, 0xF8, 0x1F, 0x00};
  Load(b, rgb565.Build());
  EXPECT_EQ(pixels::Row(b, 0), "rb");

  BmpSpec rgb555;
  rgb555.bpp = 16;
  rgb555.width = 2;
  rgb555.height = 1;
  rgb555.pixels = {0xE0, 0x03, 0xFF, 0x7F};
  Load(b, rgb555.Build());
  EXPECT_EQ(pixels::Row(b, 0), "g.");

  BmpSpec v5;
  v5.headerSize = 124;
  v5.bpp = 32;
  v5.width = 1;
  v5.height = 1;
  v5.compression = 3;
  v5.masks = {};
  v5.pixels = {0x00, 0x00, 0xFF, 0x00};
  auto data = v5.Build();
  // masks inside the V5 header: red, green, blue at offsets 54, 58, 62
  const std::uint32_t masks[3] = {0x0000FF00, 0x00FF0000, 0xFF000000};
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 4; ++k) data[54 + 4 * i + k] = std::uint8_t(masks[i] >> (8 * k));
  Load(b, data);
  EXPECT_EQ(b.Pixel(0, 0), clLime);
}

TEST(BmpFiles, MalformedFilesAreRejectedWithAReason) {
  BmpSpec good;
  good.bpp = 8;
  good.width = 4;
  good.height = 2;
  good.palette = std::vector<std::uint32_t>(256, 0);
  good.pixels = std::vector<std::uint8_t>(8, 1);
  ASSERT_EQ(LoadError(good.Build()), "loaded");

  auto data = good.Build();
  data.resize(data.size() - 3);
  EXPECT_EQ(LoadError(data), "Bitmap image is not valid: file is truncated in the pixel data");
  data.resize(40);
  EXPECT_NE(LoadError(data).find("truncated"), std::string::npos);
  EXPECT_NE(LoadError({'B', 'M'}).find("too short"), std::string::npos);

  BmpSpec huge = good;
  huge.width = 100000;
  huge.height = 100000;
  EXPECT_NE(LoadError(huge.Build()).find("too large"), std::string::npos);
  huge.width = 30000;
  huge.height = 2000;  // allowed size, but the data is not there
  EXPECT_NE(LoadError(huge.Build()).find("truncated"), std::string::npos);
  huge.width = 1;
  huge.height = INT32_MIN;
  EXPECT_NE(LoadError(huge.Build()).find("Bitmap image is not valid"), std::string::npos);

  BmpSpec off = good;
  off.offsetDelta = 100000;
  EXPECT_NE(LoadError(off.Build()).find("bad pixel data offset"), std::string::npos);
  off.offsetDelta = -1030;  // into the headers
  EXPECT_NE(LoadError(off.Build()).find("bad pixel data offset"), std::string::npos);

  BmpSpec pal = good;
  pal.clrUsed = 257;
  EXPECT_NE(LoadError(pal.Build()).find("palette of 257 colours"), std::string::npos);
  pal.clrUsed = 256;
  pal.offsetDelta = -8;  // pixels said to start inside the palette
  EXPECT_NE(LoadError(pal.Build()).find("palette overlaps"), std::string::npos);
  pal.offsetDelta = 0;
  pal.clrUsed = 0xFFFFFFFF;
  EXPECT_NE(LoadError(pal.Build()).find("palette"), std::string::npos);

  BmpSpec planes = good;
  planes.planes = 0;
  EXPECT_EQ(LoadError(planes.Build()), "Bitmap image is not valid: plane count must be 1, not 0");

  BmpSpec rle = good;
  rle.compression = 1;
  EXPECT_NE(LoadError(rle.Build()).find("unsupported compression"), std::string::npos);
  BmpSpec depth = good;
  depth.bpp = 7;
  EXPECT_NE(LoadError(depth.Build()).find("bit depth"), std::string::npos);
  BmpSpec header = good;
  header.headerSize = 41;
  EXPECT_NE(LoadError(header.Build()).find("header size"), std::string::npos);
  auto sig = good.Build();
  sig[0] = 'X';
  EXPECT_NE(LoadError(sig).find("signature"), std::string::npos);
  BmpSpec zero = good;
  zero.width = 0;
  EXPECT_NE(LoadError(zero.Build()).find("positive"), std::string::npos);

  // A failed load leaves the bitmap as it was.
  TBitmap keep(3, 3);
  EXPECT_THROW(Load(keep, planes.Build()), EInvalidGraphic);
  EXPECT_EQ(keep.Width(), 3);
  EXPECT_THROW(keep.LoadFromFile("/nonexistent/x.bmp"), EFOpenError);
}

TEST(BmpFiles, MutatedFilesEitherLoadOrRaiseInvalidGraphic) {
  BmpSpec s;
  s.bpp = 4;
  s.width = 5;
  s.height = 3;
  s.palette = std::vector<std::uint32_t>(16, 0x123456);
  s.pixels = std::vector<std::uint8_t>(12, 0x5A);
  const auto good = s.Build();
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  int loaded = 0, rejected = 0;
  for (int i = 0; i < 3000; ++i) {
    auto data = good;
    for (int k = 0, n = 1 + int(next() % 4); k < n; ++k) data[next() % data.size()] = std::uint8_t(next() >> 16);
    if (next() % 5 == 0) data.resize(next() % data.size());
    TBitmap b;
    try {
      Load(b, data);
      ++loaded;
      EXPECT_EQ(size_t(b.Width()) * size_t(b.Height()) > 0, true);
    } catch (const EInvalidGraphic& e) {
      ++rejected;
      EXPECT_EQ(e.Message().rfind("Bitmap image is not valid: ", 0), 0u) << e.Message();
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(rejected, 0);
}

TEST(BmpFiles, StreamsReadOneBitmapAndStopAfterIt) {
  TBitmap src;
  Pattern(src, 5, 3, {clRed, clLime, clBlue});
  TMemoryStream m;
  m.WriteBuffer("xy", 2);
  src.SaveToStream(m);
  const Int64 end = m.Position();
  m.WriteBuffer("tail", 4);
  m.SetPosition(2);
  TBitmap back;
  back.LoadFromStream(m);
  EXPECT_EQ(m.Position(), end);
  ExpectSame(src, back);

  TMemoryStream bad;
  bad.WriteBuffer("BM", 2);
  bad.SetPosition(0);
  EXPECT_THROW(back.LoadFromStream(bad), EInvalidGraphic);
}

TEST(Bitmaps, ResizeKeepsPixelsAndAssignCopies) {
  TBitmap b(2, 2);
  b.SetPixel(1, 1, clRed);
  b.SetSize(3, 3);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
  EXPECT_EQ(b.Pixel(2, 2), clWhite);
  EXPECT_EQ(b.Pixel(3, 0), clNone);
  EXPECT_EQ(b.ScanLine(3), nullptr);
  b.SetSize(1, 1);
  EXPECT_EQ(b.Pixel(0, 0), clWhite);
  b.SetSize(-4, 2);
  EXPECT_TRUE(b.Empty());
  TBitmap c(2, 1);
  c.SetPixel(0, 0, clBlue);
  c.SetTransparent(true);
  b.Assign(&c);
  EXPECT_EQ(b.Pixel(0, 0), clBlue);
  EXPECT_TRUE(b.Transparent());
  EXPECT_THROW(b.LoadFromResourceName("NO_SUCH_BITMAP_NAME"), EInvalidGraphic);
}

}  // namespace
