#pragma once
// Streams that deflate into, or inflate from, another stream through fixed 4096-byte
// buffers, and the two helpers that drive them over whole streams.
#include <functional>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

class EZlibError : public Exception { using Exception::Exception; };
class ECompressionError : public EZlibError { using EZlibError::EZlibError; };
class EDecompressionError : public EZlibError { using EZlibError::EZlibError; };

// Used scoped (TCompressionLevel::clMax): the short names are taken by colours.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream;
using TZlibProgressEvent = std::function<void(TCustomZlibStream* Sender)>;

constexpr int ZlibBufferSize = 4096;

class TCustomZlibStream : public TStream {
 public:
  ~TCustomZlibStream() override;
  void SetSize(Int64 newSize) override;
  TZlibProgressEvent OnProgress;

 protected:
  explicit TCustomZlibStream(TStream& strm);
  // Moves the underlying stream back where this wrapper left it, if someone moved it.
  void RestorePosition();
  void Progress();

  struct ZState;
  TStream& FStrm;
  Int64 FStrmPos;
  std::unique_ptr<ZState> FZRec;
  unsigned char FBuffer[ZlibBufferSize];
};

class TCompressionStream : public TCustomZlibStream {
 public:
  TCompressionStream(TCompressionLevel level, TStream& dest);
  // Finishes the deflate stream and writes what is left to the target.
  ~TCompressionStream() override;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  // Bytes written out so far relative to bytes taken in, in percent.
  float CompressionRate() const;
  // Ends the deflate stream and writes its tail; the destructor calls it too, but only
  // an explicit call lets a write failure reach the caller. Safe to call twice.
  void Finish();

 private:
  bool FFinished = false;
  Int64 FTotalIn = 0;
  Int64 FTotalOut = 0;
};

class TDecompressionStream : public TCustomZlibStream {
 public:
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;

 private:
  Int64 FTotalOut = 0;
  bool FEnded = false;
};

// Deflates all of source (from its start) into target at level 9, or at the level given.
void CompressStream(TStream& source, TStream& target);
void CompressStream(TStream& source, TStream& target, TCompressionLevel level);
// Inflates all of source (from its start) into target at target's position.
void DecompressStream(TStream& target, TStream& source);
