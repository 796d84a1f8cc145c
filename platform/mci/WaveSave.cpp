#include "platform/mci/WaveSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/mci/WaveFile.h"

namespace {
constexpr size_t kChunk = 256 * 1024;

// pwrite until done; the bytes written before a failure.
std::uint64_t WriteFully(int fd, std::uint64_t offset, const void* data, size_t bytes) {
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < bytes) {
    ssize_t n = ::pwrite(fd, p + done, bytes - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

// Copies the sound to fd from offset 44 on, padded to an even size; the sound bytes
// that reached the file.
std::uint64_t WriteSound(int fd, const TSpillFile& spill, std::uint64_t from, std::uint64_t length, bool& ok) {
  std::vector<char> buf(kChunk);
  std::uint64_t done = 0;
  ok = true;
  while (ok && done < length) {
    size_t n = static_cast<size_t>(std::min<std::uint64_t>(buf.size(), length - done));
    if (!spill.ReadAt(from + done, buf.data(), n)) {
      ok = false;
      break;
    }
    std::uint64_t w = WriteFully(fd, 44 + done, buf.data(), n);
    done += w;
    ok = w == n;
  }
  if (ok && (length & 1)) ok = WriteFully(fd, 44 + length, "", 1) == 1;  // RIFF pads odd chunks
  return done;
}

bool WriteHeader(int fd, const TAudioFormat& fmt, std::uint64_t length) {
  auto header = MakeWaveHeader(fmt, static_cast<std::uint32_t>(length));
  return WriteFully(fd, 0, header.data(), header.size()) == header.size();
}

bool SaveInPlace(const std::string& target, const TAudioFormat& fmt, const TSpillFile& spill, std::uint64_t from,
                 std::uint64_t length) {
  int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // An empty wave first: whatever the file held before, from here on its header is true.
  bool ok = WriteHeader(fd, fmt, 0) && ::ftruncate(fd, 44) == 0;
  if (!ok) {
    ::ftruncate(fd, 0);  // no room even for the header: an empty file rather than a torn one
  } else {
    std::uint64_t written = WriteSound(fd, spill, from, length, ok);
    if (ok) ok = ::fsync(fd) == 0 && WriteHeader(fd, fmt, length) && ::fsync(fd) == 0;
    if (!ok) {
      // Keep the whole frames that reached the disk, at an even size, and say so.
      auto block = static_cast<std::uint64_t>(fmt.BlockAlign());
      std::uint64_t kept = std::min(written, length);
      kept -= kept % block;
      if (kept & 1) kept -= block;
      if (::ftruncate(fd, static_cast<off_t>(44 + kept)) == 0) WriteHeader(fd, fmt, kept);
      else WriteHeader(fd, fmt, 0);
    }
  }
  if (::close(fd) != 0) ok = false;
  return ok;
}
}  // namespace

bool SaveWaveFile(const std::string& target, const TAudioFormat& fmt, const TSpillFile& spill,
                  std::uint64_t length, std::uint64_t dataOffset) {
  std::string pattern = target + ".tmp~XXXXXX";
  std::vector<char> tmp(pattern.begin(), pattern.end());
  tmp.push_back(0);
  int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return SaveInPlace(target, fmt, spill, dataOffset, length);
  bool ok = WriteHeader(fd, fmt, length);
  if (ok) WriteSound(fd, spill, dataOffset, length, ok);
  struct stat st {};
  mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (ok) ok = ::fchmod(fd, mode) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(tmp.data(), target.c_str()) == 0;
  if (!ok) ::unlink(tmp.data());
  return ok;
}
