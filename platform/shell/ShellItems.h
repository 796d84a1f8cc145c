#pragma once
// Private: what one element of an identifier list holds, and resolving a list to the
// item it names. Element layout: cb (2 bytes), kind (1), flags (1), payload, 0.
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/Shell.h"

namespace shellitems {

enum TKind : Byte { kDesktop = 0, kHome = 1, kComputer = 2, kVolume = 3, kEntry = 4 };

// Flags cached when the element is made.
enum : Byte {
  efFolder = 1,   // a directory, or a link to one
  efLink = 2,     // a symbolic link
  efHidden = 4,   // the name starts with '.'
  efBroken = 8,   // a link whose target cannot be reached
};

constexpr size_t kElementHeader = 4;

struct TElement {
  TKind Kind = kDesktop;
  Byte Flags = 0;
  std::string_view Payload;  // kHome/kVolume: absolute path; kEntry: the name
};

// The element at p, false when it is malformed (never reads past cb).
bool ReadElement(const SHITEMID* p, TElement& out);
// Number of elements, -1 when malformed.
int ElementCount(PCItemIDList list);
// Bytes of the list including the terminator; 0 when malformed.
size_t ListSize(PCItemIDList list);
PCItemIDList NextElement(PCItemIDList list);  // nullptr at the terminator

// Lists from the allocator.
PItemIDList MakeList(const std::vector<TElement>& elements);
PItemIDList Combine(PCItemIDList a, PCItemIDList b);
PItemIDList Clone(PCItemIDList list);
void FreeList(PItemIDList list);

// What a list names.
struct TItem {
  TKind Kind = kDesktop;
  Byte Flags = 0;
  std::string Path;  // file-system path; the desktop's is the desktop folder
  std::string Name;  // the last element's payload
};
bool Resolve(PCItemIDList absolute, TItem& out);

// The user's desktop folder.
std::string DesktopDirectory();
// Flags of a directory entry from its lstat/stat answers.
Byte FlagsForPath(const std::string& path, const std::string& name);
// Whether a name is a hidden name.
inline bool IsHiddenName(std::string_view name) { return !name.empty() && name[0] == '.'; }

}  // namespace shellitems
