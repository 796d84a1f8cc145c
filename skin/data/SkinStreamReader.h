#pragma once
// Reads the fields of a decompressed skin stream. Every size it meets is checked
// against the bytes the stream still holds before anything is read or allocated.
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

class TBitmap;

class ESkinStreamError : public EReadError { using EReadError::EReadError; };

class TSkinStreamReader {
 public:
  explicit TSkinStreamReader(TStream& stream) : FStream(stream) {}
  Integer ReadInteger();
  Byte ReadFlag();
  // One complete BMP image, exactly as many bytes as its file header declares.
  void ReadBitmap(TBitmap& bitmap);
  // A flag byte and, when it is 0, an image; a non-zero flag empties the bitmap.
  void ReadFlaggedBitmap(TBitmap& bitmap);
  // Everything from the current position to the end, as text.
  std::string ReadRest();
  Int64 Remaining();

 private:
  TStream& FStream;
};
