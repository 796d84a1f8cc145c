#include "skin/data/ZlibStreams.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {
const char* const sInvalidStreamOp = "Invalid stream operation";

int CCheck(int code) {
  if (code < 0) throw ECompressionError("error");
  return code;
}

int DCheck(int code) {
  if (code < 0) throw EDecompressionError("compression error");
  return code;
}

// zlib counts in 32-bit units; larger transfers go in slices.
constexpr Int64 MaxSlice = std::numeric_limits<uInt>::max() / 2;
}  // namespace

struct TCustomZlibStream::ZState {
  z_stream z{};
};

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : FStrm(strm), FStrmPos(strm.Position()), FZRec(std::make_unique<ZState>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::SetSize(Int64) { throw EZlibError(sInvalidStreamOp); }

void TCustomZlibStream::RestorePosition() {
  if (FStrm.Position() != FStrmPos) FStrm.SetPosition(FStrmPos);
}

void TCustomZlibStream::Progress() {
  if (OnProgress) OnProgress(this);
}

// ---- compression ----------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& dest) : TCustomZlibStream(dest) {
  static constexpr int levels[] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
  z_stream& z = FZRec->z;
  z.next_out = FBuffer;
  z.avail_out = sizeof(FBuffer);
  CCheck(deflateInit_(&z, levels[static_cast<int>(level)], ZLIB_VERSION, sizeof(z_stream)));
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report; callers that care call Finish() themselves.
  }
  deflateEnd(&FZRec->z);
}

void TCompressionStream::Finish() {
  if (FFinished) return;
  FFinished = true;
  z_stream& z = FZRec->z;
  z.next_in = nullptr;
  z.avail_in = 0;
  RestorePosition();
  while (CCheck(deflate(&z, Z_FINISH)) != Z_STREAM_END && z.avail_out == 0) {
    FStrm.WriteBuffer(FBuffer, sizeof(FBuffer));
    z.next_out = FBuffer;
    z.avail_out = sizeof(FBuffer);
    FStrmPos = FStrm.Position();
    Progress();
  }
  if (z.avail_out < sizeof(FBuffer)) {
    FStrm.WriteBuffer(FBuffer, sizeof(FBuffer) - z.avail_out);
    FStrmPos = FStrm.Position();
  }
}

Int64 TCompressionStream::Read(void*, Int64) { throw ECompressionError(sInvalidStreamOp); }

Int64 TCompressionStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  if (FFinished) throw ECompressionError(sInvalidStreamOp);
  z_stream& z = FZRec->z;
  RestorePosition();
  const Bytef* in = static_cast<const Bytef*>(buffer);
  Int64 left = count;
  while (left > 0) {
    const Int64 slice = std::min(left, MaxSlice);
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = static_cast<uInt>(slice);
    while (z.avail_in > 0) {
      CCheck(deflate(&z, Z_NO_FLUSH));
      if (z.avail_out == 0) {
        FStrm.WriteBuffer(FBuffer, sizeof(FBuffer));
        z.next_out = FBuffer;
        z.avail_out = sizeof(FBuffer);
        FStrmPos = FStrm.Position();
        Progress();
      }
    }
    in += slice;
    left -= slice;
  }
  FTotalIn += count;
  return count;
}

Int64 TCompressionStream::Seek(Int64 offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soCurrent) return FTotalIn;
  throw ECompressionError(sInvalidStreamOp);
}

float TCompressionStream::CompressionRate() const {
  const z_stream& z = FZRec->z;
  if (z.total_in == 0) return 0;
  return (1.0f - float(z.total_out) / float(z.total_in)) * 100.0f;
}

// ---- decompression --------------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
  z_stream& z = FZRec->z;
  z.next_in = FBuffer;
  z.avail_in = 0;
  DCheck(inflateInit_(&z, ZLIB_VERSION, sizeof(z_stream)));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FZRec->z); }

Int64 TDecompressionStream::Read(void* buffer, Int64 count) {
  if (count <= 0 || FEnded) return 0;
  z_stream& z = FZRec->z;
  Bytef* out = static_cast<Bytef*>(buffer);
  Int64 produced = 0;
  while (produced < count && !FEnded) {
    const Int64 slice = std::min(count - produced, MaxSlice);
    z.next_out = out + produced;
    z.avail_out = static_cast<uInt>(slice);
    while (z.avail_out > 0) {
      if (z.avail_in == 0) {
        RestorePosition();
        const Int64 got = FStrm.Read(FBuffer, sizeof(FBuffer));
        if (got <= 0) {
          // The source ended inside the deflate data: the data is cut short, which is
          // corruption, not a clean end.
          throw EDecompressionError("compression error");
        }
        z.next_in = FBuffer;
        z.avail_in = static_cast<uInt>(got);
        FStrmPos = FStrm.Position();
        Progress();
      }
      const int rc = DCheck(inflate(&z, Z_NO_FLUSH));
      if (rc == Z_STREAM_END) {
        FEnded = true;
        break;
      }
      // A preset dictionary is never part of a packed skin; without one inflate would
      // make no progress at all.
      if (rc == Z_NEED_DICT) throw EDecompressionError("compression error");
    }
    produced += slice - z.avail_out;
  }
  FTotalOut += produced;
  return produced;
}

Int64 TDecompressionStream::Write(const void*, Int64) { throw EDecompressionError(sInvalidStreamOp); }

Int64 TDecompressionStream::Seek(Int64 offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soBeginning) {
    z_stream& z = FZRec->z;
    DCheck(inflateReset(&z));
    z.next_in = FBuffer;
    z.avail_in = 0;
    FStrm.SetPosition(0);
    FStrmPos = 0;
    FTotalOut = 0;
    FEnded = false;
  } else if ((offset >= 0 && origin == soCurrent) || (origin == soBeginning && offset - FTotalOut > 0)) {
    if (origin == soBeginning) offset -= FTotalOut;
    unsigned char skip[ZlibBufferSize];
    while (offset > 0) {
      const Int64 n = std::min<Int64>(offset, sizeof(skip));
      ReadBuffer(skip, n);
      offset -= n;
    }
  } else {
    throw EDecompressionError(sInvalidStreamOp);
  }
  return FTotalOut;
}

// ---- helpers --------------------------------------------------------------------

void CompressStream(TStream& source, TStream& target) { CompressStream(source, target, TCompressionLevel::clMax); }

void CompressStream(TStream& source, TStream& target, TCompressionLevel level) {
  source.SetPosition(0);
  TCompressionStream comp(level, target);
  unsigned char buf[ZlibBufferSize];
  for (;;) {
    const Int64 n = source.Read(buf, sizeof(buf));
    if (n <= 0) break;
    comp.WriteBuffer(buf, n);
  }
  comp.Finish();
}

void DecompressStream(TStream& target, TStream& source) {
  source.SetPosition(0);
  TDecompressionStream decomp(source);
  unsigned char buf[ZlibBufferSize];
  for (;;) {
    const Int64 n = decomp.Read(buf, sizeof(buf));
    if (n == 0) break;
    target.WriteBuffer(buf, n);
  }
}
