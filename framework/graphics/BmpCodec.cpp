#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "framework/core/Exceptions.h"

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

[[noreturn]] void Invalid(const std::string& reason) {
  throw EInvalidGraphic("Bitmap image is not valid: " + reason);
}

// Bounds-checked little-endian reader over the whole file.
class Reader {
 public:
  Reader(const std::uint8_t* d, std::size_t n) : FData(d), FSize(n) {}
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return std::uint32_t(FData[at]) | (std::uint32_t(FData[at + 1]) << 8) |
           (std::uint32_t(FData[at + 2]) << 16) | (std::uint32_t(FData[at + 3]) << 24);
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return std::uint16_t(FData[at] | (FData[at + 1] << 8));
  }
  std::uint8_t U8(std::size_t at) const {
    Need(at, 1);
    return FData[at];
  }
  const std::uint8_t* Ptr(std::size_t at, std::size_t n) const {
    Need(at, n);
    return FData + at;
  }
  std::size_t Size() const { return FSize; }

 private:
  void Need(std::size_t at, std::size_t n) const {
    if (at > FSize || n > FSize - at) Invalid("file is truncated");
  }
  const std::uint8_t* FData;
  std::size_t FSize;
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  std::uint32_t Get(std::uint32_t v) const {
    if (!bits) return 0;
    std::uint32_t x = (v & mask) >> shift;
    std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
    x &= max;
    return std::uint32_t((std::uint64_t(x) * 255 + max / 2) / max);
  }
};

TPixel Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return TPixel((r << 16) | (g << 8) | b); }

void PutU16(std::vector<std::uint8_t>& o, std::uint32_t v) {
  o.push_back(std::uint8_t(v));
  o.push_back(std::uint8_t(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& o, std::uint32_t v) {
  PutU16(o, v & 0xFFFF);
  PutU16(o, v >> 16);
}

}  // namespace

TDecodedBmp DecodeBmp(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 14 + 12) Invalid("file is too short");
  Reader in(data, size);
  if (data[0] != 'B' || data[1] != 'M') Invalid("missing \"BM\" signature");
  const std::uint32_t offBits = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
      headerSize != 108 && headerSize != 124)
    Invalid("unsupported header size " + std::to_string(headerSize));
  if (std::uint64_t(14) + headerSize > size) Invalid("file is truncated in the header");

  std::int64_t width, height;
  unsigned planes, bpp;
  std::uint32_t compression = BI_RGB, clrUsed = 0;
  if (core) {
    width = in.U16(18);
    height = in.U16(20);
    planes = in.U16(22);
    bpp = in.U16(24);
  } else {
    width = in.I32(18);
    height = in.I32(22);
    planes = in.U16(26);
    bpp = in.U16(28);
    compression = in.U32(30);
    clrUsed = in.U32(46);
  }
  if (planes != 1) Invalid("plane count must be 1, not " + std::to_string(planes));
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Invalid("unsupported bit depth " + std::to_string(bpp));
  const bool topDown = height < 0;
  height = std::abs(height);
  if (width <= 0 || height <= 0) Invalid("width and height must be positive");
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels)
    Invalid("image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large");
  if (topDown && core) Invalid("negative height");

  if (compression == BI_RLE8 || compression == BI_RLE4)
    Invalid("unsupported compression (run-length encoded)");
  if (compression != BI_RGB && compression != BI_BITFIELDS && compression != BI_ALPHABITFIELDS)
    Invalid("unsupported compression " + std::to_string(compression));
  if (compression != BI_RGB && bpp != 16 && bpp != 32)
    Invalid("bit-field compression needs 16 or 32 bits per pixel");

  // Masks: inside the header from 52 bytes on, otherwise right after a 40-byte header.
  std::size_t afterHeader = 14 + headerSize;
  Channel red, green, blue;
  if (bpp == 16) {
    red = Channel(0x7C00); green = Channel(0x03E0); blue = Channel(0x001F);
  } else if (bpp == 32) {
    red = Channel(0xFF0000); green = Channel(0xFF00); blue = Channel(0xFF);
  }
  if (compression != BI_RGB) {
    std::size_t at = 14 + 40;
    if (headerSize == 40) afterHeader += compression == BI_ALPHABITFIELDS ? 16 : 12;
    red = Channel(in.U32(at));
    green = Channel(in.U32(at + 4));
    blue = Channel(in.U32(at + 8));
  }

  if (offBits < afterHeader || offBits >= size) Invalid("bad pixel data offset " + std::to_string(offBits));

  // Palette: the declared count, or when none is declared as many entries as lie
  // between the headers and the pixels (up to the depth's maximum).
  std::vector<TPixel> palette;
  if (bpp <= 8) {
    const std::uint64_t maxColours = 1u << bpp;
    const std::size_t entry = core ? 3 : 4;
    std::uint64_t count = clrUsed;
    if (count > maxColours)
      Invalid("palette of " + std::to_string(count) + " colours is too large for " + std::to_string(bpp) + " bits");
    if (count == 0) count = std::min<std::uint64_t>(maxColours, (offBits - afterHeader) / entry);
    if (afterHeader + count * entry > offBits) Invalid("palette overlaps the pixel data");
    palette.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint8_t* p = in.Ptr(afterHeader + i * entry, 3);
      palette.push_back(Rgb(p[2], p[1], p[0]));
    }
  }

  const std::uint64_t rowBytes = (std::uint64_t(width) * bpp + 7) / 8;
  const std::uint64_t stride = (std::uint64_t(width) * bpp + 31) / 32 * 4;
  // The last row's padding may be missing in some files; the pixels themselves may not.
  if (std::uint64_t(offBits) + stride * std::uint64_t(height - 1) + rowBytes > size)
    Invalid("file is truncated in the pixel data");

  TDecodedBmp out;
  out.Width = int(width);
  out.Height = int(height);
  out.BitsPerPixel = int(bpp);
  out.Pixels.resize(std::size_t(width * height));
  auto paletteColour = [&](unsigned index) { return index < palette.size() ? palette[index] : TPixel(0); };
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t fileRow = topDown ? y : height - 1 - y;
    const std::uint8_t* row = in.Ptr(offBits + std::size_t(stride * fileRow), std::size_t(rowBytes));
    TPixel* dst = out.Pixels.data() + y * width;
    for (std::int64_t x = 0; x < width; ++x) {
      switch (bpp) {
        case 1: dst[x] = paletteColour((row[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: dst[x] = paletteColour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF); break;
        case 8: dst[x] = paletteColour(row[x]); break;
        case 16: {
          std::uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
          dst[x] = Rgb(red.Get(v), green.Get(v), blue.Get(v));
          break;
        }
        case 24: dst[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        case 32: {
          const std::uint8_t* p = row + 4 * x;
          std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
          dst[x] = Rgb(red.Get(v), green.Get(v), blue.Get(v));
          break;
        }
      }
    }
  }
  return out;
}

namespace {

int Brightness(TPixel p) {
  return int((((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000);
}

std::vector<TPixel> StandardPalette(int bpp) {
  std::vector<TPixel> pal;
  if (bpp == 1) return {0x000000, 0xFFFFFF};
  if (bpp == 4) {
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  }
  for (int i = 0; i < 256; ++i) {
    std::uint32_t r = ((i >> 5) & 7) * 255 / 7, g = ((i >> 2) & 7) * 255 / 7, b = (i & 3) * 255 / 3;
    pal.push_back(Rgb(r, g, b));
  }
  return pal;
}

unsigned Nearest(const std::vector<TPixel>& pal, TPixel p) {
  unsigned best = 0;
  long bestDist = -1;
  for (unsigned i = 0; i < pal.size(); ++i) {
    long dr = long((p >> 16) & 0xFF) - long((pal[i] >> 16) & 0xFF);
    long dg = long((p >> 8) & 0xFF) - long((pal[i] >> 8) & 0xFF);
    long db = long(p & 0xFF) - long(pal[i] & 0xFF);
    long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TPixel* pixels, int width, int height, int bpp) {
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
    throw EInvalidGraphic("Cannot save a bitmap with " + std::to_string(bpp) + " bits per pixel");
  if (width <= 0 || height <= 0) throw EInvalidGraphic("Cannot save an empty bitmap");
  const std::size_t count = std::size_t(width) * std::size_t(height);

  // Palette and per-pixel indices for the paletted depths.
  std::vector<TPixel> palette;
  std::vector<std::uint8_t> indices;
  if (bpp <= 8) {
    const std::size_t maxColours = std::size_t(1) << bpp;
    std::map<TPixel, unsigned> seen;
    for (std::size_t i = 0; i < count && seen.size() <= maxColours; ++i)
      seen.emplace(pixels[i] & 0xFFFFFF, 0);
    indices.resize(count);
    if (seen.size() <= maxColours) {
      for (auto& [colour, index] : seen) {
        index = unsigned(palette.size());
        palette.push_back(colour);
      }
      for (std::size_t i = 0; i < count; ++i) indices[i] = std::uint8_t(seen[pixels[i] & 0xFFFFFF]);
    } else {
      palette = StandardPalette(bpp);
      std::map<TPixel, unsigned> cache;
      for (std::size_t i = 0; i < count; ++i) {
        TPixel p = pixels[i] & 0xFFFFFF;
        auto it = cache.find(p);
        if (it == cache.end())
          it = cache.emplace(p, bpp == 1 ? (Brightness(p) >= 128 ? 1u : 0u) : Nearest(palette, p)).first;
        indices[i] = std::uint8_t(it->second);
      }
    }
  }

  const std::size_t stride = (std::size_t(width) * bpp + 31) / 32 * 4;
  const std::size_t paletteBytes = palette.size() * 4;
  const std::size_t offBits = 14 + 40 + paletteBytes;
  const std::size_t fileSize = offBits + stride * std::size_t(height);
  if (fileSize > 0xFFFFFFFFu) throw EInvalidGraphic("Bitmap is too large to save");
  std::vector<std::uint8_t> o;
  o.reserve(fileSize);
  o.push_back('B');
  o.push_back('M');
  PutU32(o, std::uint32_t(fileSize));
  PutU32(o, 0);
  PutU32(o, std::uint32_t(offBits));
  PutU32(o, 40);
  PutU32(o, std::uint32_t(width));
  PutU32(o, std::uint32_t(height));  // bottom-up
  PutU16(o, 1);
  PutU16(o, std::uint16_t(bpp));
  PutU32(o, BI_RGB);
  PutU32(o, std::uint32_t(stride * std::size_t(height)));
  PutU32(o, 3780);  // 96 dpi
  PutU32(o, 3780);
  PutU32(o, std::uint32_t(palette.size()));
  PutU32(o, 0);
  for (TPixel c : palette) {
    o.push_back(std::uint8_t(c));
    o.push_back(std::uint8_t(c >> 8));
    o.push_back(std::uint8_t(c >> 16));
    o.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = o.size();
    o.resize(rowStart + stride, 0);
    std::uint8_t* row = o.data() + rowStart;
    const std::size_t base = std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      const TPixel p = pixels[base + x];
      switch (bpp) {
        case 1: row[x >> 3] |= std::uint8_t(indices[base + x] << (7 - (x & 7))); break;
        case 4: row[x >> 1] |= std::uint8_t(indices[base + x] << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = indices[base + x]; break;
        case 24:
          row[3 * x] = std::uint8_t(p);
          row[3 * x + 1] = std::uint8_t(p >> 8);
          row[3 * x + 2] = std::uint8_t(p >> 16);
          break;
        case 32:
          row[4 * x] = std::uint8_t(p);
          row[4 * x + 1] = std::uint8_t(p >> 8);
          row[4 * x + 2] = std::uint8_t(p >> 16);
          row[4 * x + 3] = 0;
          break;
      }
    }
  }
  return o;
}
