#pragma once
// A temporary folder tree for the shell tests, and small helpers over the shell.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/Shell.h"

namespace shelltest {

// An identifier list freed at the end of its scope.
struct TPidl {
  PItemIDList P = nullptr;
  TPidl() = default;
  explicit TPidl(PItemIDList p) : P(p) {}
  ~TPidl() { SHGetMalloc().Free(P); }
  TPidl(const TPidl&) = delete;
  TPidl& operator=(const TPidl&) = delete;
};

// A fresh folder under /tmp that everyone may enter, removed with everything in it.
class TTree {
 public:
  TTree() {
    char templ[] = "/tmp/corvale-shell-XXXXXX";
    Root = mkdtemp(templ);
    chmod(Root.c_str(), 0755);
  }
  ~TTree() {
    // Give back what the tests locked, then remove the tree (rm copes with deep paths).
    std::string cmd = "chmod -R u+rwx '" + Root + "' 2>/dev/null; rm -rf '" + Root + "'";
    if (std::system(cmd.c_str()) != 0) {
    }
  }
  std::string Path(const std::string& rel) const { return rel.empty() ? Root : Root + "/" + rel; }
  void Dir(const std::string& rel, mode_t mode = 0755) const {
    mkdir(Path(rel).c_str(), mode);
    chmod(Path(rel).c_str(), mode);
  }
  void File(const std::string& rel, const std::string& content = "x", mode_t mode = 0644) const {
    const int fd = open(Path(rel).c_str(), O_CREAT | O_WRONLY | O_TRUNC, mode);
    if (fd >= 0) {
      if (write(fd, content.data(), content.size()) < 0) {
      }
      close(fd);
    }
    chmod(Path(rel).c_str(), mode);
  }
  void Link(const std::string& target, const std::string& rel) const {
    if (symlink(target.c_str(), Path(rel).c_str()) != 0) {
    }
  }
  std::string Root;
};

inline std::shared_ptr<IShellFolder> FolderOf(const std::string& path, int* error = nullptr) {
  TPidl abs;
  int err = SHGetDesktopFolder()->ParseDisplayName(path, abs.P);
  std::shared_ptr<IShellFolder> folder;
  if (err == 0) err = SHGetDesktopFolder()->BindToObject(abs.P, folder);
  if (error) *error = err;
  return folder;
}

struct TChild {
  std::string Name;
  DWORD Attributes = 0;
};

// The children of a folder with their in-folder names and attributes, sorted by name.
inline std::vector<TChild> Children(IShellFolder& folder, DWORD flags, DWORD requested = 0xFFFFFFFF,
                                    int* error = nullptr) {
  std::vector<TChild> out;
  std::unique_ptr<IEnumIDList> list;
  const int err = folder.EnumObjects(flags, list);
  if (error) *error = err;
  if (err != 0) return out;
  PItemIDList item = nullptr;
  while (list->Next(item)) {
    TPidl owned(item);
    out.push_back({folder.GetDisplayNameOf(item, SHGDN_INFOLDER), folder.GetAttributesOf(item, requested)});
  }
  std::sort(out.begin(), out.end(), [](const TChild& a, const TChild& b) { return a.Name < b.Name; });
  return out;
}

inline const TChild* Find(const std::vector<TChild>& children, const std::string& name) {
  for (const TChild& c : children)
    if (c.Name == name) return &c;
  return nullptr;
}

constexpr DWORD kAll = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;

}  // namespace shelltest
