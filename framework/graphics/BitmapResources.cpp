// Bitmaps from streams and from the program's compiled-in resources.
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"

void TBitmap::LoadFromResourceName(const std::string& name) {
  const std::string* data = FindResource("bitmap", name);
  if (!data) throw EInvalidGraphic("Bitmap resource not found: " + name);
  LoadFromBytes(reinterpret_cast<const std::uint8_t*>(data->data()), data->size());
}

// Reads one BMP file from the stream's position: as many bytes as its header declares
// when that is plausible, otherwise the rest of the stream. The position ends after it.
void TBitmap::LoadFromStream(TStream& stream) {
  const Int64 start = stream.Position();
  const Int64 remaining = std::max<Int64>(0, stream.Size() - start);
  std::uint8_t header[14] = {};
  const Int64 got = stream.Read(header, sizeof header);
  Int64 length = remaining;
  if (got == Int64(sizeof header)) {
    const std::uint32_t declared = std::uint32_t(header[2]) | (std::uint32_t(header[3]) << 8) |
                                   (std::uint32_t(header[4]) << 16) | (std::uint32_t(header[5]) << 24);
    if (declared >= 14 + 12 && Int64(declared) <= remaining) length = declared;
  }
  // Never take more than the largest image could need, whatever the stream holds.
  const Int64 limit = kMaxBmpPixels * 4 + (1 << 20);
  if (length > limit) throw EInvalidGraphic("Bitmap image is not valid: file is too large");
  std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
  std::copy_n(header, std::min<Int64>(got, length), data.begin());
  if (length > got) {
    stream.SetPosition(start + got);
    stream.ReadBuffer(data.data() + got, length - got);
  }
  stream.SetPosition(start + length);
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::SaveToStream(TStream& stream) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  stream.WriteBuffer(data.data(), Int64(data.size()));
}
