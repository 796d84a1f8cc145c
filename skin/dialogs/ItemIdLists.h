#pragma once
// Operations on shell item identifier lists; every list made here comes from the shell
// allocator and goes back to it through DisposePIDL.
#include <vector>

#include "platform/shell/Shell.h"

// A zero-filled list of Size bytes (at least a terminator).
PItemIDList CreatePIDL(int Size);
// The element after the first one (the terminator at the end); nullptr for nullptr.
PCItemIDList NextPIDL(PCItemIDList IDList);
int GetPIDLCount(PCItemIDList IDList);
// Sum of the element lengths + 2 for the terminator; 0 for nullptr.
int GetPIDLSize(PCItemIDList IDList);
PItemIDList CopyPIDL(PCItemIDList IDList);
// The first list without its terminator, then the second.
PItemIDList ConcatPIDLs(PCItemIDList IDList1, PCItemIDList IDList2);
// Ends the list before its last element (in place); false when it was empty.
bool StripLastID(PItemIDList IDList);
// A copy of the last element alone.
PItemIDList RelativeFromAbsolute(PCItemIDList AbsoluteID);
// The list and each of its ancestors down to one element, the root-most first.
std::vector<PItemIDList> CreatePIDLList(PCItemIDList ID);
void DestroyPIDLList(std::vector<PItemIDList>& List);
void DisposePIDL(PItemIDList ID);
// The desktop folder's comparison says the two name the same item.
bool SamePIDL(PCItemIDList ID1, PCItemIDList ID2);

// A list disposed at the end of its scope.
class TPIDLHolder {
 public:
  TPIDLHolder() = default;
  explicit TPIDLHolder(PItemIDList ID) : FID(ID) {}
  ~TPIDLHolder() { DisposePIDL(FID); }
  TPIDLHolder(const TPIDLHolder&) = delete;
  TPIDLHolder& operator=(const TPIDLHolder&) = delete;
  PItemIDList Get() const { return FID; }
  PItemIDList& Ref() { return FID; }
  PItemIDList Release() {
    PItemIDList id = FID;
    FID = nullptr;
    return id;
  }

 private:
  PItemIDList FID = nullptr;
};
