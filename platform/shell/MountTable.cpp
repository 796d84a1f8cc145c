// Volumes from the mount table.
#include "platform/shell/MountTable.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

namespace {
std::mutex gPathLock;
std::string gTablePath;

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// Decodes "\040"-style escapes; a backslash not followed by three octal digits stays.
std::string Unescape(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
        IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
      const int v = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (v > 0 && v < 256) {
        out.push_back(char(v));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The mount point itself or anything below it.
bool Under(const std::string& path, const std::string& dir) {
  return path == dir || StartsWith(path, dir + "/");
}
}  // namespace

std::vector<TMountEntry> ParseMountTable(const std::string& text) {
  std::vector<TMountEntry> out;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    if (device[0] == '#') continue;
    mountPoint = Unescape(mountPoint);
    if (mountPoint.empty() || mountPoint[0] != '/') continue;
    if (mountPoint.find('\0') != std::string::npos) continue;
    while (mountPoint.size() > 1 && mountPoint.back() == '/') mountPoint.pop_back();
    out.push_back({Unescape(device), mountPoint, type});
  }
  return out;
}

bool IsUserVolume(const TMountEntry& e) {
  if (e.MountPoint == "/") return true;
  for (const char* pseudo : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib/docker",
                             "/var/lib/containers"}) {
    if (Under(e.MountPoint, pseudo)) {
      // Removable media of the desktop are mounted under /run/media.
      if (!Under(e.MountPoint, "/run/media")) return false;
    }
  }
  static const char* const network[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs",
                                        "9p", "virtiofs"};
  if (std::find(std::begin(network), std::end(network), e.Type) != std::end(network)) return true;
  return StartsWith(e.Device, "/dev/") || e.Type == "fuseblk" || e.Type == "zfs";
}

void SetMountTablePath(const std::string& path) {
  std::lock_guard<std::mutex> lock(gPathLock);
  gTablePath = path;
}

std::vector<std::string> ShellVolumes() {
  std::string path;
  {
    std::lock_guard<std::mutex> lock(gPathLock);
    path = gTablePath.empty() ? "/proc/self/mounts" : gTablePath;
  }
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    // The table is small; a huge file is not a mount table.
    std::string chunk(1 << 20, '\0');
    in.read(chunk.data(), std::streamsize(chunk.size()));
    chunk.resize(size_t(in.gcount()));
    text = std::move(chunk);
  }
  std::vector<std::string> out{"/"};
  for (const TMountEntry& e : ParseMountTable(text)) {
    if (!IsUserVolume(e)) continue;
    if (std::find(out.begin(), out.end(), e.MountPoint) != out.end()) continue;
    struct stat st {};
    if (stat(e.MountPoint.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    out.push_back(e.MountPoint);
  }
  std::sort(out.begin() + 1, out.end());
  return out;
}
