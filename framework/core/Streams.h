#pragma once
// Byte streams: the abstract TStream with exact-size transfers, a growable memory
// stream and a file stream over a POSIX descriptor. Positions and sizes are Int64.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Types.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
constexpr auto soBeginning = TSeekOrigin::soBeginning;
constexpr auto soCurrent = TSeekOrigin::soCurrent;
constexpr auto soEnd = TSeekOrigin::soEnd;

class TStream {
 public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  // Transfers up to count bytes; returns how many moved (0 at the end or for count <= 0).
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  // Returns the new position; a position before the start raises EStreamError.
  virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 pos) { Seek(pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 newSize) = 0;

  // Exact transfers: a short read raises EReadError("Stream read error"),
  // a short write EWriteError("Stream write error").
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
  // Copies count bytes from src's current position; count 0 copies all of src from
  // its start. Returns the bytes copied.
  Int64 CopyFrom(TStream& src, Int64 count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  Int64 Size() override { return static_cast<Int64>(FData.size()); }
  // Grows with zero bytes; keeps the position unless it lies past the new end.
  // An allocation that cannot be made raises EOutOfResources.
  void SetSize(Int64 newSize) override;

  // The bytes; valid until the next change of size.
  Byte* Memory() { return FData.data(); }
  const Byte* Memory() const { return FData.data(); }
  const std::vector<Byte>& Bytes() const { return FData; }
  void Clear();
  // Replaces the contents with the whole of stream (from its start); position 0 after.
  void LoadFromStream(TStream& stream);
  // Writes the whole contents to stream at its position.
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<Byte> FData;
  Int64 FPosition = 0;
};

// A stream over a string's bytes.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const std::string& data = {});
  std::string DataString() const;
};

// File modes and share flags, with the classic values; share flags are accepted and ignored.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

class TFileStream : public TStream {
 public:
  // fmCreate makes (or empties) the file for reading and writing; open failures raise
  // EFOpenError / EFCreateError naming the file and the system's reason.
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  void SetSize(Int64 newSize) override;
  const std::string& FileName() const { return FFileName; }
  int Handle() const { return FHandle; }

 private:
  std::string FFileName;
  int FHandle = -1;
};
