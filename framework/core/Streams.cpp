#include "framework/core/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#include "framework/core/Exceptions.h"

Int64 TStream::Size() {
  Int64 pos = Seek(0, soCurrent);
  Int64 end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream& src, Int64 count) {
  if (count < 0) throw EStreamError("Invalid stream copy size");
  if (count == 0) {
    src.SetPosition(0);
    count = src.Size();
  }
  constexpr Int64 kChunk = 64 * 1024;
  std::vector<Byte> buf(static_cast<size_t>(count < kChunk ? (count > 0 ? count : 1) : kChunk));
  Int64 left = count;
  while (left > 0) {
    Int64 n = left < kChunk ? left : kChunk;
    src.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return count;
}

// ---- TMemoryStream ----

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
  Int64 size = Size();
  if (count <= 0 || FPosition >= size) return 0;
  Int64 n = size - FPosition;
  if (n > count) n = count;
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  if (FPosition > std::numeric_limits<Int64>::max() - count) throw EWriteError("Stream write error");
  Int64 end = FPosition + count;
  if (end > Size()) SetSize(end);
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
  Int64 base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : Size();
  if ((offset > 0 && base > std::numeric_limits<Int64>::max() - offset) || base + offset < 0)
    throw EStreamError("Stream seek out of range");
  // Seeking past the end is allowed; a later write fills the gap with zeros.
  FPosition = base + offset;
  return FPosition;
}

namespace {
// No memory stream can be larger than the machine's memory; asking for more is refused
// before the allocator is tried (which could otherwise take the system into swap).
Int64 PhysicalMemory() {
  static const Int64 bytes = [] {
    long pages = ::sysconf(_SC_PHYS_PAGES);
    long pageSize = ::sysconf(_SC_PAGESIZE);
    return (pages > 0 && pageSize > 0) ? Int64(pages) * pageSize : std::numeric_limits<Int64>::max();
  }();
  return bytes;
}
}  // namespace

void TMemoryStream::SetSize(Int64 newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  try {
    if (static_cast<std::uint64_t>(newSize) > FData.max_size() || newSize > PhysicalMemory())
      throw std::bad_alloc();
    FData.resize(static_cast<size_t>(newSize));
  } catch (const std::bad_alloc&) {
    throw EOutOfResources(Format("Out of memory: cannot allocate a stream of %lld bytes",
                                 static_cast<long long>(newSize)));
  } catch (const std::length_error&) {
    throw EOutOfResources(Format("Out of memory: cannot allocate a stream of %lld bytes",
                                 static_cast<long long>(newSize)));
  }
  if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  Int64 n = stream.Size();
  SetSize(n);
  FPosition = 0;
  if (n) stream.ReadBuffer(FData.data(), n);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

TStringStream::TStringStream(const std::string& data) {
  WriteBuffer(data.data(), static_cast<Int64>(data.size()));
  SetPosition(0);
}

std::string TStringStream::DataString() const {
  return std::string(reinterpret_cast<const char*>(Memory()), Bytes().size());
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
  if (mode == fmCreate) {
    FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (FHandle < 0) {
      int e = errno;
      throw EFCreateError("Cannot create file \"" + fileName + "\". " + SysErrorMessage(e));
    }
    return;
  }
  int flags = O_CLOEXEC;
  switch (mode & 0x3) {
    case fmOpenWrite: flags |= O_WRONLY; break;
    case fmOpenReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
  }
  FHandle = ::open(fileName.c_str(), flags);
  int e = errno;
  if (FHandle >= 0) {
    struct stat st {};
    if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(FHandle);
      FHandle = -1;
      e = EISDIR;
    }
  }
  if (FHandle < 0) throw EFOpenError("Cannot open file \"" + fileName + "\". " + SysErrorMessage(e));
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
  Int64 done = 0;
  auto* p = static_cast<char*>(buffer);
  while (done < count) {
    ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
  Int64 done = 0;
  auto* p = static_cast<const char*>(buffer);
  while (done < count) {
    ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  if (r < 0) {
    int e = errno;
    throw EStreamError("Stream seek error on \"" + FFileName + "\". " + SysErrorMessage(e));
  }
  return r;
}

void TFileStream::SetSize(Int64 newSize) {
  if (newSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(newSize)) != 0) {
    int e = newSize < 0 ? EINVAL : errno;
    throw EInOutError(e, "Cannot set the size of \"" + FFileName + "\". " + SysErrorMessage(e));
  }
  if (Position() > newSize) SetPosition(newSize);
}
