#include "app/RecordingHeader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "framework/core/Exceptions.h"

namespace {

void Put16(TWaveHeader& h, size_t at, std::uint16_t v) {
  h[at] = std::uint8_t(v & 0xFF);
  h[at + 1] = std::uint8_t(v >> 8);
}

void Put32(TWaveHeader& h, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) h[at + i] = std::uint8_t((v >> (8 * i)) & 0xFF);
}

void PutTag(TWaveHeader& h, size_t at, const char* tag) {
  for (int i = 0; i < 4; ++i) h[at + i] = std::uint8_t(tag[i]);
}

}  // namespace

TWaveHeader MakeWaveHeader(std::uint16_t channels, std::uint16_t bitsPerSample,
                           std::uint32_t samplesPerSec) {
  TWaveHeader h{};
  const std::uint32_t bytesPerSample = bitsPerSample / 8u;
  PutTag(h, 0, "RIFF");
  Put32(h, 4, 36);
  PutTag(h, 8, "WAVE");
  PutTag(h, 12, "fmt ");
  Put32(h, 16, 16);
  Put16(h, 20, 1);
  Put16(h, 22, channels);
  Put32(h, 24, samplesPerSec);
  Put32(h, 28, std::uint32_t(channels) * samplesPerSec * bytesPerSample);
  Put16(h, 32, std::uint16_t(channels * bytesPerSample));
  Put16(h, 34, bitsPerSample);
  PutTag(h, 36, "data");
  Put32(h, 40, 0);
  return h;
}

void WriteWaveHeaderFile(std::uint16_t channels, std::uint16_t bitsPerSample,
                         std::uint32_t samplesPerSec, const std::string& fileName) {
  const TWaveHeader header = MakeWaveHeader(channels, bitsPerSample, samplesPerSec);
  int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) throw EInOutError(errno);
  // Linux has no share modes: a program that holds an exclusive lock on the file is
  // the one that did not share it for writing.
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
    int err = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    throw EInOutError(err);
  }
  if (::ftruncate(fd, 0) != 0) {
    int err = errno;
    ::close(fd);
    throw EInOutError(err);
  }
  size_t done = 0;
  while (done < header.size()) {
    ssize_t n = ::write(fd, header.data() + done, header.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int err = n < 0 ? errno : ENOSPC;
      ::close(fd);
      throw EInOutError(err);
    }
    done += size_t(n);
  }
  ::flock(fd, LOCK_UN);
  if (::close(fd) != 0) throw EInOutError(errno);
}
