#include "platform/mci/WaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/core/Exceptions.h"

namespace {
std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
[[noreturn]] void Bad(const std::string& why) { throw Exception("Not a usable wave file: " + why); }
}  // namespace

TWaveFileInfo ParseWaveFile(std::uint64_t fileSize,
                            const std::function<bool(std::uint64_t, void*, size_t)>& read) {
  std::uint8_t head[12];
  if (fileSize < 12 || !read(0, head, 12)) Bad("shorter than a RIFF header");
  if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0) Bad("no RIFF/WAVE signature");
  // The RIFF size may understate a file with trailing bytes, never overstate it.
  std::uint64_t end = std::uint64_t(U32(head + 4)) + 8;
  if (end > fileSize) Bad("RIFF size runs past the end of the file");

  TWaveFileInfo info;
  bool haveFormat = false, haveData = false;
  std::uint64_t pos = 12;
  while (pos + 8 <= end && !haveData) {
    std::uint8_t ch[8];
    if (!read(pos, ch, 8)) Bad("cannot read a chunk header");
    std::uint64_t size = U32(ch + 4);
    std::uint64_t body = pos + 8;
    if (body + size > end) Bad("chunk runs past the end of the file");
    if (std::memcmp(ch, "fmt ", 4) == 0) {
      if (size < 16) Bad("format chunk too short");
      std::uint8_t f[16];
      if (!read(body, f, 16)) Bad("cannot read the format chunk");
      TAudioFormat fmt{U16(f + 2), static_cast<int>(U32(f + 4)), U16(f + 14)};
      if (U16(f) != 1) Bad("not PCM");
      if (!IsSupportedFormat(fmt)) Bad("unsupported channels, rate or sample size");
      if (U16(f + 12) != fmt.BlockAlign() || U32(f + 8) != static_cast<std::uint32_t>(fmt.BytesPerSec()))
        Bad("inconsistent block alignment or byte rate");
      info.Format = fmt;
      haveFormat = true;
    } else if (std::memcmp(ch, "data", 4) == 0) {
      if (!haveFormat) Bad("data before format");
      info.DataOffset = body;
      info.DataSize = size - size % static_cast<std::uint64_t>(info.Format.BlockAlign());
      haveData = true;
    }
    pos = body + size + (size & 1);
  }
  if (!haveFormat) Bad("no format chunk");
  if (!haveData) Bad("no data chunk");
  return info;
}

TWaveFileInfo ReadWaveFileInfo(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int e = errno;
    ::close(fd);
    throw EInOutError(e);
  }
  try {
    auto info = ParseWaveFile(static_cast<std::uint64_t>(st.st_size), [fd](std::uint64_t off, void* buf, size_t n) {
      return ::pread(fd, buf, n, static_cast<off_t>(off)) == static_cast<ssize_t>(n);
    });
    ::close(fd);
    return info;
  } catch (...) {
    ::close(fd);
    throw;
  }
}

std::array<std::uint8_t, 44> MakeWaveHeader(const TAudioFormat& format, std::uint32_t dataSize) {
  std::array<std::uint8_t, 44> h{};
  std::memcpy(&h[0], "RIFF", 4);
  Put32(&h[4], 36 + dataSize + (dataSize & 1));
  std::memcpy(&h[8], "WAVEfmt ", 8);
  Put32(&h[16], 16);
  Put16(&h[20], 1);
  Put16(&h[22], static_cast<std::uint16_t>(format.Channels));
  Put32(&h[24], static_cast<std::uint32_t>(format.SamplesPerSec));
  Put32(&h[28], static_cast<std::uint32_t>(format.BytesPerSec()));
  Put16(&h[32], static_cast<std::uint16_t>(format.BlockAlign()));
  Put16(&h[34], static_cast<std::uint16_t>(format.BitsPerSample));
  std::memcpy(&h[36], "data", 4);
  Put32(&h[40], dataSize);
  return h;
}
