// Identifier list elements and their resolution to paths.
#include "platform/shell/ShellItems.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/shell/UserDirs.h"

namespace shellitems {

bool ReadElement(const SHITEMID* p, TElement& out) {
  const size_t cb = p->cb;
  if (cb < kElementHeader + 1) return false;
  const Byte* b = reinterpret_cast<const Byte*>(p);
  if (b[2] > kEntry || b[cb - 1] != 0) return false;
  out.Kind = TKind(b[2]);
  out.Flags = b[3];
  // The payload ends at its terminator; a padding byte may follow.
  const char* payload = reinterpret_cast<const char*>(b + kElementHeader);
  out.Payload = std::string_view(payload, std::strlen(payload));
  return true;
}

PCItemIDList NextElement(PCItemIDList list) {
  if (!list || list->mkid.cb == 0) return nullptr;
  return reinterpret_cast<PCItemIDList>(reinterpret_cast<const Byte*>(list) + list->mkid.cb);
}

int ElementCount(PCItemIDList list) {
  if (!list) return -1;
  int n = 0;
  TElement e;
  for (PCItemIDList p = list; p->mkid.cb != 0; p = NextElement(p)) {
    if (!ReadElement(&p->mkid, e)) return -1;
    ++n;
  }
  return n;
}

size_t ListSize(PCItemIDList list) {
  if (ElementCount(list) < 0) return 0;
  size_t size = sizeof(Word);
  for (PCItemIDList p = list; p->mkid.cb != 0; p = NextElement(p)) size += p->mkid.cb;
  return size;
}

namespace {
// Elements keep an even size so every element starts on a 16-bit boundary.
size_t ElementSize(const TElement& e) { return (kElementHeader + e.Payload.size() + 2) & ~size_t(1); }
}  // namespace

PItemIDList MakeList(const std::vector<TElement>& elements) {
  size_t size = sizeof(Word);
  for (const TElement& e : elements) {
    if (ElementSize(e) > 0xFFFF || e.Payload.find('\0') != std::string_view::npos) return nullptr;
    size += ElementSize(e);
  }
  auto* b = static_cast<Byte*>(SHGetMalloc().Alloc(size));
  if (!b) return nullptr;
  Byte* p = b;
  for (const TElement& e : elements) {
    const size_t cb = ElementSize(e);
    p[0] = Byte(cb & 0xFF);
    p[1] = Byte(cb >> 8);
    p[2] = e.Kind;
    p[3] = e.Flags;
    if (!e.Payload.empty()) std::memcpy(p + kElementHeader, e.Payload.data(), e.Payload.size());
    p += cb;
  }
  return reinterpret_cast<PItemIDList>(b);
}

PItemIDList Combine(PCItemIDList a, PCItemIDList b) {
  const size_t sa = a ? ListSize(a) : sizeof(Word);
  const size_t sb = b ? ListSize(b) : sizeof(Word);
  if (sa == 0 || sb == 0) return nullptr;
  auto* out = static_cast<Byte*>(SHGetMalloc().Alloc(sa - sizeof(Word) + sb));
  if (!out) return nullptr;
  if (a) std::memcpy(out, a, sa - sizeof(Word));
  if (b) std::memcpy(out + sa - sizeof(Word), b, sb);
  return reinterpret_cast<PItemIDList>(out);
}

PItemIDList Clone(PCItemIDList list) { return Combine(nullptr, list); }

void FreeList(PItemIDList list) { SHGetMalloc().Free(list); }

std::string DesktopDirectory() { return UserDirectory("DESKTOP"); }

namespace {
std::string Join(const std::string& dir, std::string_view name) {
  std::string out = dir;
  if (out.empty() || out.back() != '/') out.push_back('/');
  out.append(name);
  return out;
}
}  // namespace

bool Resolve(PCItemIDList absolute, TItem& out) {
  if (!absolute) return false;
  out = TItem{};
  TElement e;
  // The desktop folder is read from the user's settings only when the list needs it.
  if (absolute->mkid.cb == 0 || (ReadElement(&absolute->mkid, e) && e.Kind == kEntry))
    out.Path = DesktopDirectory();
  for (PCItemIDList p = absolute; p->mkid.cb != 0; p = NextElement(p)) {
    if (!ReadElement(&p->mkid, e)) return false;
    switch (e.Kind) {
      case kHome:
      case kVolume:
        if (out.Kind != kDesktop && !(e.Kind == kVolume && out.Kind == kComputer)) return false;
        out.Path = std::string(e.Payload);
        break;
      case kComputer:
        if (out.Kind != kDesktop) return false;
        out.Path.clear();
        break;
      case kEntry:
        if (out.Kind == kComputer) return false;
        out.Path = Join(out.Path, e.Payload);
        break;
      default:
        return false;
    }
    out.Kind = e.Kind;
    out.Flags = e.Flags;
    out.Name = std::string(e.Payload);
  }
  return true;
}

Byte FlagsForPath(const std::string& path, const std::string& name) {
  Byte flags = IsHiddenName(name) ? efHidden : 0;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return flags;
  if (S_ISLNK(st.st_mode)) {
    flags |= efLink;
    if (stat(path.c_str(), &st) != 0) return flags | efBroken;
  }
  if (S_ISDIR(st.st_mode)) flags |= efFolder;
  return flags;
}

}  // namespace shellitems
