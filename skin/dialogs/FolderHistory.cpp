// The back button's folder history.
#include "skin/dialogs/FolderHistory.h"

#include "skin/dialogs/ItemIdLists.h"

TbsFolderHistory::~TbsFolderHistory() { Clear(); }

void TbsFolderHistory::Clear() { DestroyPIDLList(FItems); }

void TbsFolderHistory::FolderShown(PCItemIDList AbsoluteID) {
  if (FGoingBack || !AbsoluteID) return;
  if (!FItems.empty() && SamePIDL(FItems.back(), AbsoluteID)) return;
  FItems.push_back(CopyPIDL(AbsoluteID));
}

bool TbsFolderHistory::Back(const std::function<void(PCItemIDList)>& GoTo) {
  if (FItems.size() < 2) return false;
  const size_t target = FItems.size() - 2;
  // The entry stays alive while the list goes there; the list keeps a copy.
  FGoingBack = true;
  try {
    GoTo(FItems[target]);
  } catch (...) {
    FGoingBack = false;
    throw;
  }
  FGoingBack = false;
  DisposePIDL(FItems[target]);
  FItems.erase(FItems.begin() + std::ptrdiff_t(target));
  return true;
}
