#include "platform/mci/TakeJournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/mci/WaveFile.h"
#include "platform/mci/WaveSave.h"

namespace {
constexpr std::uint64_t kHeader = 44;
std::atomic<std::uint64_t> gWrites{0}, gHeaderWrites{0}, gSyncs{0};

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string Why(int err) { return std::strerror(err); }

// A new or renamed directory entry survives a power loss only once its folder is synced.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// An OFD lock belongs to the open file, not to the process: a second open in this same
// process conflicts too, and the lock of a process that died is gone with it.
bool LockFile(int fd, bool exclusive) {
  struct flock fl {};
  fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
  fl.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// True while path still names the file open on fd (nobody renamed or replaced it
// between our open and our lock).
bool StillThere(int fd, const std::string& path) {
  struct stat mine {}, there {};
  return ::fstat(fd, &mine) == 0 && ::lstat(path.c_str(), &there) == 0 && mine.st_dev == there.st_dev &&
         mine.st_ino == there.st_ino;
}

bool WriteFully(int fd, std::uint64_t offset, const void* data, size_t bytes) {
  const char* p = static_cast<const char*>(data);
  while (bytes > 0) {
    ssize_t n = ::pwrite(fd, p, bytes, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    bytes -= static_cast<size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

// Cuts the file to the header and length bytes of sound (padded to an even size, as
// RIFF wants), writes the header announcing them and syncs it all.
bool FinishFile(int fd, const TAudioFormat& fmt, std::uint64_t length) {
  auto header = MakeWaveHeader(fmt, static_cast<std::uint32_t>(length));
  return ::ftruncate(fd, static_cast<off_t>(kHeader + length)) == 0 &&
         ((length & 1) == 0 || ::ftruncate(fd, static_cast<off_t>(kHeader + length + 1)) == 0) &&
         WriteFully(fd, 0, header.data(), header.size()) && ::fsync(fd) == 0;
}

// Moves from to to unless to exists; EEXIST when it does.
int MoveNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the flag: a link cannot replace a file either.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

// Files beside the journal named after it (".Temp.wav.recording.<more>") follow it as
// "<stem of the rescued take>.<more>".
void CarryCompanions(const std::string& journal, const std::string& rescued) {
  const std::string folder = FolderOf(journal), prefix = NameOf(journal) + ".";
  std::string stem = NameOf(rescued);
  if (auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
  std::vector<std::string> found;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      std::string n = e->d_name;
      if (n.size() > prefix.size() && n.compare(0, prefix.size(), prefix) == 0) found.push_back(n);
    }
    ::closedir(d);
  }
  // One whose new name is taken stays where it is.
  for (const auto& n : found) MoveNoReplace(folder + "/" + n, FolderOf(rescued) + "/" + stem + n.substr(prefix.size() - 1));
}
}  // namespace

TJournalCounters JournalCounters() { return {gWrites.load(), gHeaderWrites.load(), gSyncs.load()}; }

std::string JournalPathFor(const std::string& target) {
  auto slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  return folder + "." + NameOf(target) + ".recording";
}

TTakeJournal::TCreateResult TTakeJournal::CreateFor(const std::string& target, const TAudioFormat& format) {
  Release();
  const std::string path = JournalPathFor(target);
  for (int attempt = 0; attempt < 4; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      int e = errno;
      return e == EACCES || e == EPERM || e == EROFS || e == ENOSPC || e == EDQUOT ? jcNoRoom : jcFailed;
    }
    if (!LockFile(fd, true)) {
      int e = errno;
      ::close(fd);
      return e == EAGAIN || e == EACCES ? jcBusy : jcFailed;
    }
    if (!StillThere(fd, path)) {  // rescued or removed between our open and our lock
      ::close(fd);
      continue;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return jcFailed;
    }
    if (static_cast<std::uint64_t>(st.st_size) > kHeader) {
      ::close(fd);  // a take nobody rescued yet: never written over
      return jcBusy;
    }
    FFile.Adopt(fd);
    FPath = path;
    FFormat = format;
    FPublished = false;
    FSyncedLength = 0;
    FLastSyncMs = NowMs();
    if (::ftruncate(fd, 0) != 0 || !WriteHeader(0) || ::fdatasync(fd) != 0) {
      Discard();
      return jcNoRoom;
    }
    SyncFolder(FolderOf(path));
    return jcOk;
  }
  return jcBusy;
}

bool TTakeJournal::CreateUnnamed(const std::string& folder, const TAudioFormat& format) {
  Release();
  FFormat = format;
  return FFile.Create(folder);
}

size_t TTakeJournal::WriteSome(std::uint64_t pos, const void* data, size_t bytes) {
  ++gWrites;
  return FFile.WriteSome(DataOffset() + pos, data, bytes);
}

bool TTakeJournal::ReadAt(std::uint64_t pos, void* data, size_t bytes) const {
  return FFile.ReadAt(DataOffset() + pos, data, bytes);
}

bool TTakeJournal::WriteHeader(std::uint64_t announced) {
  ++gHeaderWrites;
  auto header = MakeWaveHeader(FFormat, static_cast<std::uint32_t>(announced));
  return WriteFully(FFile.Fd(), 0, header.data(), header.size());
}

bool TTakeJournal::Grew(std::uint64_t length) {
  if (!Named() || FPublished) return true;
  const std::int64_t now = NowMs();
  const std::uint64_t since = length > FSyncedLength ? length - FSyncedLength : 0;
  if (now - FLastSyncMs < 1000 && since < static_cast<std::uint64_t>(FFormat.BytesPerSec())) return true;
  FLastSyncMs = now;
  FSyncedLength = length;
  ++gSyncs;
  // An even size: a header never announces the pad byte a growing file does not have.
  return WriteHeader(length - (length & 1)) && ::fdatasync(FFile.Fd()) == 0;
}

bool TTakeJournal::SaveAs(const std::string& target, std::uint64_t length) {
  if (Named() && !FPublished) {
    struct stat st {};
    mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (FinishFile(FFile.Fd(), FFormat, length) && ::fchmod(FFile.Fd(), mode) == 0 &&
        ::rename(FPath.c_str(), target.c_str()) == 0) {
      SyncFolder(FolderOf(target));
      FPublished = true;
      return true;
    }
    // Another file system, or a folder that takes no new names: a copy, as always.
    // The journal stays whole, its header now true.
  }
  return SaveWaveFile(target, FFormat, FFile, length, DataOffset());
}

void TTakeJournal::Discard() {
  if (Named() && !FPublished && FFile.IsOpen()) ::unlink(FPath.c_str());
  Release();
}

void TTakeJournal::Release() {
  FFile.Close();
  FPath.clear();
  FPublished = false;
}

bool ParseJournalHeader(const std::uint8_t* b, size_t size, TAudioFormat& format, bool& incomplete,
                        std::string& why) {
  incomplete = false;
  // The fixed bytes of the header the device writes, by offset.
  struct TFixed {
    size_t At;
    const char* Bytes;
    size_t Size;
  };
  static const TFixed kFixed[] = {{0, "RIFF", 4}, {8, "WAVEfmt ", 8}, {16, "\x10\0\0\0", 4}, {20, "\x01\0", 2},
                                  {36, "data", 4}};
  for (const auto& f : kFixed) {
    if (f.At >= size) break;
    size_t n = std::min(f.Size, size - f.At);
    if (std::memcmp(b + f.At, f.Bytes, n) != 0) {
      why = f.At == 0 ? "not a wave file" : f.At == 20 ? "not PCM sound" : "not a journal's wave header";
      return false;
    }
  }
  if (size < kHeader) {
    incomplete = true;
    why = "cut inside its header";
    return false;
  }
  auto u16 = [b](size_t at) { return static_cast<int>(b[at] | (b[at + 1] << 8)); };
  auto u32 = [b](size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
  };
  const std::uint32_t rate = u32(24);
  TAudioFormat f{u16(22), rate <= 96000 ? static_cast<int>(rate) : 0, u16(34)};
  if (!IsSupportedFormat(f)) {
    why = "a format this program does not record (" + std::to_string(f.Channels) + " channels, " +
          std::to_string(rate) + " Hz, " + std::to_string(f.BitsPerSample) + " bits)";
    return false;
  }
  if (u16(32) != f.BlockAlign() || u32(28) != static_cast<std::uint32_t>(f.BytesPerSec())) {
    why = "inconsistent block alignment or byte rate";
    return false;
  }
  format = f;
  return true;
}

TJournalRescue RescueJournal(const std::string& path,
                             const std::function<std::string(std::time_t lastWrite)>& pickName) {
  TJournalRescue r;
  bool writable = true;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    writable = false;
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  }
  if (fd < 0) {
    r.Reason = errno == ELOOP ? "it is a symbolic link" : "it cannot be opened: " + Why(errno);
    return r;
  }
  struct Closer {
    int Fd;
    ~Closer() { ::close(Fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    r.Reason = "it is not a regular file";
    return r;
  }
  // A reader's lock is enough to learn that a recording process holds the file.
  if (!LockFile(fd, writable) || !StillThere(fd, path)) {
    r.Outcome = TJournalRescue::jrBusy;
    return r;
  }
  std::uint8_t head[kHeader];
  const size_t have = static_cast<size_t>(std::min<std::uint64_t>(kHeader, static_cast<std::uint64_t>(st.st_size)));
  if (have > 0 && ::pread(fd, head, have, 0) != static_cast<ssize_t>(have)) {
    r.Reason = "it cannot be read: " + Why(errno);
    return r;
  }
  bool incomplete = false;
  if (!ParseJournalHeader(head, have, r.Format, incomplete, r.Reason) && !incomplete) return r;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  const auto block = static_cast<std::uint64_t>(r.Format.BlockAlign());
  r.Frames = incomplete ? 0 : (size - kHeader) / block;
  if (r.Frames == 0) {
    if (::unlink(path.c_str()) != 0) {
      r.Reason = "it holds no sound, yet cannot be removed: " + Why(errno);
      return r;
    }
    r.Reason.clear();
    r.Outcome = TJournalRescue::jrEmpty;
    return r;
  }
  const std::string folder = FolderOf(path);
  if (!writable || ::access(folder.c_str(), W_OK | X_OK) != 0) {
    r.Reason = writable ? "its folder cannot be written" : "it cannot be written";
    return r;
  }
  if (!FinishFile(fd, r.Format, r.Frames * block) || ::fchmod(fd, 0644) != 0) {
    r.Reason = "its header cannot be written: " + Why(errno);
    return r;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = pickName(st.st_mtime);
    int e = MoveNoReplace(path, name);
    if (e == EEXIST) continue;
    if (e != 0) {
      r.Reason = "it cannot be renamed to " + name + ": " + Why(e);
      return r;
    }
    SyncFolder(folder);
    if (FolderOf(name) != folder) SyncFolder(FolderOf(name));
    CarryCompanions(path, name);
    r.RescuedPath = name;
    r.Outcome = TJournalRescue::jrRescued;
    return r;
  }
  r.Reason = "no free name for it";
  return r;
}
