// The folder box's items.
#include "skin/dialogs/ItemsEx.h"

#include "framework/core/Exceptions.h"
#include "skin/dialogs/ItemIdLists.h"

TbsItemEx& TbsItemsEx::Items(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", Index));
  return *FItems[size_t(Index)];
}

const TbsItemEx& TbsItemsEx::Items(int Index) const {
  return const_cast<TbsItemsEx*>(this)->Items(Index);
}

TbsItemEx& TbsItemsEx::Insert(int Index, std::unique_ptr<TbsShellFolder> Folder, int Indent) {
  if (Index < 0 || Index > Count()) throw EListError(Format("List index out of bounds (%d)", Index));
  auto item = std::make_unique<TbsItemEx>();
  item->Caption = Folder->DisplayName();
  item->ImageIndex = Folder->ImageIndex(false);
  item->SelectedImageIndex = Folder->ImageIndex(false, true);
  item->Folder = std::move(Folder);
  item->Indent = Indent;
  return **FItems.insert(FItems.begin() + Index, std::move(item));
}

int TbsItemsEx::IndexOfID(PCItemIDList AbsoluteID) const {
  for (int i = 0; i < Count(); ++i)
    if (SamePIDL(FItems[size_t(i)]->Folder->AbsoluteID(), AbsoluteID)) return i;
  return -1;
}
