#include "platform/mci/SpillFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {
int MakeUnlinked(const std::string& folder) {
  std::string pattern = (folder.empty() ? std::string(".") : folder) + "/.corvale-rec~XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back(0);
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.data());
  return fd;
}
}  // namespace

bool TSpillFile::Create(const std::string& folder) {
  Close();
  FFd = MakeUnlinked(folder);
  if (FFd < 0) {
    const char* tmp = std::getenv("TMPDIR");
    FFd = MakeUnlinked(tmp && tmp[0] ? tmp : "/tmp");
  }
  return FFd >= 0;
}

void TSpillFile::Close() {
  if (FFd >= 0) ::close(FFd);
  FFd = -1;
}

size_t TSpillFile::WriteSome(std::uint64_t offset, const void* data, size_t bytes) {
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < bytes) {
    ssize_t n = ::pwrite(FFd, p + done, bytes - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  return done;
}

bool TSpillFile::ReadAt(std::uint64_t offset, void* data, size_t bytes) const {
  char* p = static_cast<char*>(data);
  while (bytes > 0) {
    ssize_t n = ::pread(FFd, p, bytes, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    bytes -= static_cast<size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

bool TSpillFile::Truncate(std::uint64_t size) { return ::ftruncate(FFd, static_cast<off_t>(size)) == 0; }
