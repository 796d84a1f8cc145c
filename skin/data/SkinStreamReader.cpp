#include "skin/data/SkinStreamReader.h"

#include "framework/graphics/Bitmap.h"

namespace {
constexpr Int64 BmpFileHeaderSize = 14;
constexpr Int64 BmpCoreHeaderSize = 12;  // the smallest info header there is

std::uint32_t LittleEndian32(const Byte* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
}  // namespace

Int64 TSkinStreamReader::Remaining() { return FStream.Size() - FStream.Position(); }

Integer TSkinStreamReader::ReadInteger() {
  if (Remaining() < 4) throw ESkinStreamError("Skin data ends inside a 4-byte number");
  Byte b[4];
  FStream.ReadBuffer(b, 4);
  return Integer(LittleEndian32(b));
}

Byte TSkinStreamReader::ReadFlag() {
  if (Remaining() < 1) throw ESkinStreamError("Skin data ends before a picture flag");
  Byte b = 0;
  FStream.ReadBuffer(&b, 1);
  return b;
}

void TSkinStreamReader::ReadBitmap(TBitmap& bitmap) {
  const Int64 start = FStream.Position();
  const Int64 left = Remaining();
  if (left < BmpFileHeaderSize) throw ESkinStreamError("Skin data ends inside a bitmap header");
  Byte header[BmpFileHeaderSize];
  FStream.ReadBuffer(header, BmpFileHeaderSize);
  if (header[0] != 'B' || header[1] != 'M')
    throw ESkinStreamError(Format("Skin data holds no bitmap at offset %lld", static_cast<long long>(start)));
  const Int64 size = LittleEndian32(header + 2);
  if (size < BmpFileHeaderSize + BmpCoreHeaderSize)
    throw ESkinStreamError(Format("Bitmap at offset %lld declares an impossible size of %lld bytes",
                                  static_cast<long long>(start), static_cast<long long>(size)));
  if (size > left)
    throw ESkinStreamError(Format("Bitmap at offset %lld declares %lld bytes, only %lld follow",
                                  static_cast<long long>(start), static_cast<long long>(size),
                                  static_cast<long long>(left)));
  // The bitmap reader takes exactly the declared size, which fits: no copy needed.
  FStream.SetPosition(start);
  bitmap.LoadFromStream(FStream);
  FStream.SetPosition(start + size);
}

void TSkinStreamReader::ReadFlaggedBitmap(TBitmap& bitmap) {
  if (ReadFlag() != 0) {
    bitmap.SetSize(0, 0);
    return;
  }
  ReadBitmap(bitmap);
}

std::string TSkinStreamReader::ReadRest() {
  const Int64 left = Remaining();
  std::string text(static_cast<size_t>(left), '\0');
  if (left > 0) FStream.ReadBuffer(text.data(), left);
  return text;
}
