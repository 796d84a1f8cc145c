// Shell folders over the file system: the desktop, the computer, volumes and folders.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/shell/MountTable.h"
#include "platform/shell/Shell.h"
#include "platform/shell/ShellItems.h"
#include "platform/shell/UserDirs.h"

using namespace shellitems;

namespace {

const char kComputerParsingName[] = "::{Computer}";

// A list freed when it goes out of scope.
struct TListHolder {
  PItemIDList List = nullptr;
  explicit TListHolder(PItemIDList l) : List(l) {}
  ~TListHolder() { FreeList(List); }
  TListHolder(const TListHolder&) = delete;
  TListHolder& operator=(const TListHolder&) = delete;
};

class TEnumList : public IEnumIDList {
 public:
  ~TEnumList() override {
    for (size_t i = FNext; i < FItems.size(); ++i) FreeList(FItems[i]);
  }
  bool Next(PItemIDList& item) override {
    if (FNext >= FItems.size()) return false;
    item = FItems[FNext];
    FItems[FNext++] = nullptr;
    return true;
  }
  int Count() const override { return int(FItems.size()); }
  void Add(PItemIDList item) {
    if (item) FItems.push_back(item);
  }

 private:
  std::vector<PItemIDList> FItems;
  size_t FNext = 0;
};

PItemIDList OneElement(TKind kind, Byte flags, std::string_view payload) {
  return MakeList({TElement{kind, flags, payload}});
}

bool Wanted(DWORD flags, Byte itemFlags) {
  if ((itemFlags & efHidden) && !(flags & SHCONTF_INCLUDEHIDDEN)) return false;
  return (itemFlags & efFolder) ? (flags & SHCONTF_FOLDERS) : (flags & SHCONTF_NONFOLDERS);
}

bool EndsWithZip(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && (ext[1] | 0x20) == 'z' && (ext[2] | 0x20) == 'i' && (ext[3] | 0x20) == 'p';
}

// Flags of an entry of an open directory, from the directory's own type hint where it
// is enough.
Byte EntryFlagsAt(int dirFd, const char* name, unsigned char type) {
  Byte flags = IsHiddenName(name) ? efHidden : 0;
  struct stat st {};
  if (type == DT_DIR) return flags | efFolder;
  if (type == DT_UNKNOWN) {
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return flags;
    if (S_ISDIR(st.st_mode)) return flags | efFolder;
    if (!S_ISLNK(st.st_mode)) return flags;
    type = DT_LNK;
  }
  if (type != DT_LNK) return flags;
  flags |= efLink;
  if (fstatat(dirFd, name, &st, 0) != 0) return flags | efBroken;
  return S_ISDIR(st.st_mode) ? Byte(flags | efFolder) : flags;
}

// Flags of an existing path, or errno.
int PathFlags(const std::string& path, std::string_view name, Byte& flags) {
  if (path.size() >= PATH_MAX) return ENAMETOOLONG;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return errno;
  flags = IsHiddenName(name) ? efHidden : 0;
  if (S_ISLNK(st.st_mode)) {
    flags |= efLink;
    if (stat(path.c_str(), &st) != 0) {
      flags |= efBroken;
      return 0;
    }
  }
  if (S_ISDIR(st.st_mode)) flags |= efFolder;
  return 0;
}

int ReadDirectory(const std::string& path, DWORD flags, TEnumList& out) {
  if (path.size() >= PATH_MAX) return ENAMETOOLONG;
  DIR* dir = opendir(path.c_str());
  if (!dir) return errno;
  const int fd = dirfd(dir);
  // A folder that vanishes or fails while being read ends the list quietly.
  while (dirent* d = readdir(dir)) {
    const char* name = d->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    const Byte f = EntryFlagsAt(fd, name, d->d_type);
    if (!Wanted(flags, f)) continue;
    out.Add(OneElement(kEntry, f, name));
  }
  closedir(dir);
  return 0;
}

bool IsFolderItem(const TItem& item) {
  return item.Kind != kEntry || (item.Flags & efFolder);
}

bool HasSubfolder(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return false;
  bool found = false;
  const int fd = dirfd(dir);
  while (dirent* d = readdir(dir)) {
    const char* name = d->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    if (EntryFlagsAt(fd, name, d->d_type) & efFolder) {
      found = true;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool ValidName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= NAME_MAX &&
         name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

int CompareNames(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = a[i], cb = b[i];
    if (ca >= 'A' && ca <= 'Z') ca += 32;
    if (cb >= 'A' && cb <= 'Z') cb += 32;
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int exact = a.compare(b);
  return exact < 0 ? -1 : exact > 0 ? 1 : 0;
}

// Components of a path, "." and ".." resolved by text; false when ".." climbs above the
// start (relative) - an absolute path stays at "/".
bool SplitPath(const std::string& path, bool absolute, std::vector<std::string>& parts) {
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    const std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) {
        parts.pop_back();
      } else if (!absolute) {
        return false;
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  return true;
}

class TFsShellFolder : public IShellFolder {
 public:
  explicit TFsShellFolder(PItemIDList absolute) : FAbsolute(absolute) {}
  ~TFsShellFolder() override { FreeList(FAbsolute); }
  PCItemIDList AbsoluteID() const override { return FAbsolute; }

  int ParseDisplayName(const std::string& name, PItemIDList& result) override {
    result = nullptr;
    TItem self;
    if (!Resolve(FAbsolute, self)) return EINVAL;
    if (name.empty() || name.find('\0') != std::string::npos) return EINVAL;
    if (self.Kind == kDesktop) return ParseFromDesktop(name, result);
    if (self.Kind == kComputer || name[0] == '/') return EINVAL;
    std::vector<std::string> parts;
    if (!SplitPath(name, false, parts) || parts.empty()) return EINVAL;
    std::vector<std::string> payloads;
    std::vector<Byte> flags;
    std::string path = self.Path;
    for (const std::string& part : parts) {
      path += (path == "/" ? "" : "/") + part;
      Byte f = 0;
      if (const int err = PathFlags(path, part, f)) return err;
      flags.push_back(f);
    }
    std::vector<TElement> elements;
    for (size_t i = 0; i < parts.size(); ++i) elements.push_back({kEntry, flags[i], parts[i]});
    result = MakeList(elements);
    return result ? 0 : ENOMEM;
  }

  int EnumObjects(DWORD flags, std::unique_ptr<IEnumIDList>& result) override {
    result.reset();
    TItem self;
    if (!Resolve(FAbsolute, self) || !IsFolderItem(self)) return ENOTDIR;
    auto list = std::make_unique<TEnumList>();
    if (self.Kind == kDesktop) {
      if (flags & SHCONTF_FOLDERS) {
        list->Add(OneElement(kHome, efFolder, HomeDirectory()));
        list->Add(OneElement(kComputer, efFolder, ""));
      }
      struct stat st {};
      const std::string home = HomeDirectory();
      // The desktop folder's content lies on the desktop itself, unless it is the home.
      if (self.Path != home && stat(self.Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        ReadDirectory(self.Path, flags, *list);
    } else if (self.Kind == kComputer) {
      if (flags & SHCONTF_FOLDERS)
        for (const std::string& volume : ShellVolumes()) list->Add(OneElement(kVolume, efFolder, volume));
    } else if (const int err = ReadDirectory(self.Path, flags, *list)) {
      return err;
    }
    result = std::move(list);
    return 0;
  }

  int BindToObject(PCItemIDList item, std::shared_ptr<IShellFolder>& result) override {
    result.reset();
    PItemIDList absolute = Combine(FAbsolute, item);
    if (!absolute) return EINVAL;
    TItem target;
    if (!Resolve(absolute, target) || !IsFolderItem(target)) {
      FreeList(absolute);
      return ENOTDIR;
    }
    result = std::make_shared<TFsShellFolder>(absolute);
    return 0;
  }

  int CompareIDs(int column, PCItemIDList a, PCItemIDList b) override {
    TElement ea, eb;
    while (a && b && a->mkid.cb != 0 && b->mkid.cb != 0) {
      if (!ReadElement(&a->mkid, ea) || !ReadElement(&b->mkid, eb)) return 0;
      if (ea.Kind != eb.Kind) return ea.Kind < eb.Kind ? -1 : 1;
      if (const int c = CompareNames(ea.Payload, eb.Payload)) return c;
      a = NextElement(a);
      b = NextElement(b);
    }
    const bool endA = !a || a->mkid.cb == 0, endB = !b || b->mkid.cb == 0;
    return endA == endB ? 0 : endA ? -1 : 1;
  }

  DWORD GetAttributesOf(PCItemIDList item, DWORD requested) override {
    TListHolder absolute(Combine(FAbsolute, item));
    TItem it;
    if (!absolute.List || !Resolve(absolute.List, it)) return 0;
    DWORD a = 0;
    switch (it.Kind) {
      case kDesktop:
      case kComputer:
        return SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
      case kHome:
      case kVolume:
        a = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET |
            SFGAO_HASPROPSHEET;
        break;
      case kEntry:
        a = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
        if (it.Flags & efFolder) {
          a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET;
          if (EndsWithZip(it.Name)) a |= SFGAO_STREAM;
        }
        if (it.Flags & efLink) a |= SFGAO_LINK;
        if (it.Flags & efHidden) a |= SFGAO_HIDDEN;
        if ((requested & (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE)) &&
            access(ParentOf(it.Path).c_str(), W_OK | X_OK) == 0)
          a |= SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
        break;
    }
    if ((requested & SFGAO_READONLY) && !(it.Flags & efBroken) &&
        access(it.Path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
      a |= SFGAO_READONLY;
    if ((requested & SFGAO_HASSUBFOLDER) && (a & SFGAO_FOLDER) && HasSubfolder(it.Path))
      a |= SFGAO_HASSUBFOLDER;
    return a & (requested | ~SFGAO_SLOWMASK);
  }

  std::string GetDisplayNameOf(PCItemIDList item, DWORD flags) override {
    TListHolder absolute(Combine(FAbsolute, item));
    TItem it;
    if (!absolute.List || !Resolve(absolute.List, it)) return {};
    const bool parsing = flags & SHGDN_FORPARSING;
    switch (it.Kind) {
      case kDesktop:
        return parsing ? it.Path : "Desktop";
      case kHome:
        return parsing ? it.Path : "Home";
      case kComputer:
        return parsing ? kComputerParsingName : "Computer";
      case kVolume:
        return it.Path;
      case kEntry:
        return parsing && !(flags & SHGDN_INFOLDER) ? it.Path : it.Name;
    }
    return {};
  }

  int SetNameOf(PCItemIDList item, const std::string& newName, PItemIDList& result) override {
    result = nullptr;
    TElement e;
    if (!item || item->mkid.cb == 0 || !ReadElement(&item->mkid, e) || e.Kind != kEntry ||
        NextElement(item)->mkid.cb != 0)
      return EINVAL;
    if (!ValidName(newName)) return EINVAL;
    TListHolder absolute(Combine(FAbsolute, item));
    TItem it;
    if (!absolute.List || !Resolve(absolute.List, it)) return EINVAL;
    const std::string dir = ParentOf(it.Path);
    const std::string target = dir + (dir == "/" ? "" : "/") + newName;
    if (target.size() >= PATH_MAX) return ENAMETOOLONG;
    if (renameat2(AT_FDCWD, it.Path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
      if (errno != EINVAL && errno != ENOSYS) return errno;
      // File systems without the no-replace rename: test first, then rename.
      struct stat st {};
      if (lstat(target.c_str(), &st) == 0) return EEXIST;
      if (rename(it.Path.c_str(), target.c_str()) != 0) return errno;
    }
    Byte flags = e.Flags & Byte(~efHidden);
    if (IsHiddenName(newName)) flags |= efHidden;
    result = OneElement(kEntry, flags, newName);
    return result ? 0 : ENOMEM;
  }

 private:
  static int ParseFromDesktop(const std::string& name, PItemIDList& result) {
    if (name == kComputerParsingName) {
      result = OneElement(kComputer, efFolder, "");
      return result ? 0 : ENOMEM;
    }
    if (name[0] != '/') return ParseFromDesktopFolder(name, result);
    const std::string& path = name;
    if (path.size() >= PATH_MAX) return ENAMETOOLONG;
    std::vector<std::string> parts;
    SplitPath(path, true, parts);
    // The volume is the longest mount point holding the path.
    std::string volume = "/";
    size_t volumeParts = 0;
    for (const std::string& v : ShellVolumes()) {
      std::vector<std::string> vp;
      SplitPath(v, true, vp);
      if (vp.size() <= volumeParts || vp.size() > parts.size()) continue;
      if (std::equal(vp.begin(), vp.end(), parts.begin())) {
        volume = v;
        volumeParts = vp.size();
      }
    }
    std::vector<TElement> elements{{kComputer, efFolder, ""}, {kVolume, efFolder, volume}};
    std::vector<Byte> flags(parts.size());
    std::string current = volume;
    for (size_t i = volumeParts; i < parts.size(); ++i) {
      current += (current == "/" ? "" : "/") + parts[i];
      if (const int err = PathFlags(current, parts[i], flags[i])) return err;
      elements.push_back({kEntry, flags[i], parts[i]});
    }
    if (volumeParts == parts.size()) {
      struct stat st {};
      if (stat(volume.c_str(), &st) != 0) return errno;
    }
    result = MakeList(elements);
    return result ? 0 : ENOMEM;
  }

  // A relative name names items on the desktop: entries of the desktop folder.
  static int ParseFromDesktopFolder(const std::string& name, PItemIDList& result) {
    std::vector<std::string> parts;
    if (!SplitPath(name, false, parts) || parts.empty()) return EINVAL;
    std::string path = DesktopDirectory();
    std::vector<TElement> elements;
    std::vector<Byte> flags(parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
      path += (path == "/" ? "" : "/") + parts[i];
      if (const int err = PathFlags(path, parts[i], flags[i])) return err;
      elements.push_back({kEntry, flags[i], parts[i]});
    }
    result = MakeList(elements);
    return result ? 0 : ENOMEM;
  }

  PItemIDList FAbsolute;
};

}  // namespace

std::shared_ptr<IShellFolder> SHGetDesktopFolder() {
  static const std::shared_ptr<IShellFolder> desktop =
      std::make_shared<TFsShellFolder>(MakeList({}));
  return desktop;
}

int SHGetSpecialFolderLocation(int csidl, PItemIDList& result) {
  result = nullptr;
  std::string path;
  const std::string home = HomeDirectory();
  auto dataHome = [&] {
    const char* env = std::getenv("XDG_DATA_HOME");
    return env && env[0] == '/' ? std::string(env) : home + "/.local/share";
  };
  switch (csidl) {
    case CSIDL_DESKTOP:
      result = MakeList({});
      return result ? 0 : ENOMEM;
    case CSIDL_DRIVES:
      result = OneElement(kComputer, efFolder, "");
      return result ? 0 : ENOMEM;
    case CSIDL_PROFILE:
      result = OneElement(kHome, efFolder, home);
      return result ? 0 : ENOMEM;
    case CSIDL_DESKTOPDIRECTORY: path = UserDirectory("DESKTOP"); break;
    case CSIDL_PERSONAL: path = UserDirectory("DOCUMENTS"); break;
    case CSIDL_MYMUSIC: path = UserDirectory("MUSIC"); break;
    case CSIDL_MYVIDEO: path = UserDirectory("VIDEOS"); break;
    case CSIDL_MYPICTURES: path = UserDirectory("PICTURES"); break;
    case CSIDL_TEMPLATES: path = UserDirectory("TEMPLATES"); break;
    case CSIDL_APPDATA: {
      const char* env = std::getenv("XDG_CONFIG_HOME");
      path = env && env[0] == '/' ? std::string(env) : home + "/.config";
      break;
    }
    case CSIDL_FONTS: path = dataHome() + "/fonts"; break;
    case CSIDL_BITBUCKET: path = dataHome() + "/Trash/files"; break;
    default:
      return ENOENT;
  }
  return SHGetDesktopFolder()->ParseDisplayName(path, result);
}

bool SHGetPathFromIDList(PCItemIDList absolute, std::string& path) {
  TItem it;
  if (!Resolve(absolute, it) || it.Kind == kComputer) return false;
  path = it.Path;
  return true;
}

int SHCreateDirectory(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return EINVAL;
  if (path.size() >= PATH_MAX) return ENAMETOOLONG;
  return mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

int SHGetFileDetails(const std::string& path, TShellFileDetails& details) {
  details = TShellFileDetails{};
  if (path.empty() || path.find('\0') != std::string::npos) return EINVAL;
  if (path.size() >= PATH_MAX) return ENAMETOOLONG;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0) return errno;
  details.Size = Int64(st.st_size);
  details.Directory = S_ISDIR(st.st_mode);
  details.ModifiedSeconds = st.st_mtim.tv_sec;
  details.ModifiedNanoseconds = int(st.st_mtim.tv_nsec);
  details.Mode = st.st_mode;
  return 0;
}
