// Item identifier list operations over the shell allocator.
#include "skin/dialogs/ItemIdLists.h"

#include <cstring>

PItemIDList CreatePIDL(int Size) {
  if (Size < int(sizeof(Word))) Size = sizeof(Word);
  return static_cast<PItemIDList>(SHGetMalloc().Alloc(std::size_t(Size)));
}

PCItemIDList NextPIDL(PCItemIDList IDList) {
  if (!IDList || IDList->mkid.cb == 0) return IDList;
  return reinterpret_cast<PCItemIDList>(reinterpret_cast<const Byte*>(IDList) + IDList->mkid.cb);
}

int GetPIDLCount(PCItemIDList IDList) {
  int n = 0;
  for (PCItemIDList p = IDList; p && p->mkid.cb != 0; p = NextPIDL(p)) ++n;
  return n;
}

int GetPIDLSize(PCItemIDList IDList) {
  if (!IDList) return 0;
  int size = sizeof(Word);
  for (PCItemIDList p = IDList; p->mkid.cb != 0; p = NextPIDL(p)) size += p->mkid.cb;
  return size;
}

PItemIDList CopyPIDL(PCItemIDList IDList) {
  const int size = GetPIDLSize(IDList);
  PItemIDList out = CreatePIDL(size);
  if (out && IDList) std::memcpy(out, IDList, std::size_t(size));
  return out;
}

PItemIDList ConcatPIDLs(PCItemIDList IDList1, PCItemIDList IDList2) {
  const int size1 = IDList1 ? GetPIDLSize(IDList1) - int(sizeof(Word)) : 0;
  const int size2 = GetPIDLSize(IDList2);
  PItemIDList out = CreatePIDL(size1 + size2);
  if (!out) return nullptr;
  if (size1 > 0) std::memcpy(out, IDList1, std::size_t(size1));
  if (size2 > 0) std::memcpy(reinterpret_cast<Byte*>(out) + size1, IDList2, std::size_t(size2));
  return out;
}

bool StripLastID(PItemIDList IDList) {
  if (!IDList || IDList->mkid.cb == 0) return false;
  PItemIDList last = IDList;
  for (PItemIDList p = IDList; p->mkid.cb != 0;
       p = const_cast<PItemIDList>(NextPIDL(p)))
    last = p;
  last->mkid.cb = 0;
  return true;
}

PItemIDList RelativeFromAbsolute(PCItemIDList AbsoluteID) {
  PCItemIDList last = AbsoluteID;
  for (PCItemIDList p = AbsoluteID; p && p->mkid.cb != 0; p = NextPIDL(p)) last = p;
  return CopyPIDL(last);
}

std::vector<PItemIDList> CreatePIDLList(PCItemIDList ID) {
  std::vector<PItemIDList> out;
  PItemIDList current = CopyPIDL(ID);
  if (!current) return out;
  out.push_back(current);
  for (int n = GetPIDLCount(ID); n > 1; --n) {
    PItemIDList parent = CopyPIDL(out.back());
    StripLastID(parent);
    out.push_back(parent);
  }
  return std::vector<PItemIDList>(out.rbegin(), out.rend());
}

void DestroyPIDLList(std::vector<PItemIDList>& List) {
  for (PItemIDList id : List) DisposePIDL(id);
  List.clear();
}

void DisposePIDL(PItemIDList ID) { SHGetMalloc().Free(ID); }

bool SamePIDL(PCItemIDList ID1, PCItemIDList ID2) {
  if (!ID1 || !ID2) return ID1 == ID2;
  return SHGetDesktopFolder()->CompareIDs(0, ID1, ID2) == 0;
}
