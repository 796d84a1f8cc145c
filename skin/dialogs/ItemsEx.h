#pragma once
// TbsItemsEx: the folder box's items, each with its caption, the folder object it owns,
// its indent level and its image indexes.
#include <memory>
#include <string>
#include <vector>

#include "skin/dialogs/ShellFolder.h"

struct TbsItemEx {
  std::string Caption;
  std::unique_ptr<TbsShellFolder> Folder;
  int Indent = 0;
  int ImageIndex = -1;
  int SelectedImageIndex = -1;
};

class TbsItemsEx {
 public:
  int Count() const { return int(FItems.size()); }
  // Index out of range raises EListError.
  TbsItemEx& Items(int Index);
  const TbsItemEx& Items(int Index) const;
  // Makes an item for the folder (taking it) at Index (the end when Index is Count).
  TbsItemEx& Insert(int Index, std::unique_ptr<TbsShellFolder> Folder, int Indent);
  TbsItemEx& Add(std::unique_ptr<TbsShellFolder> Folder, int Indent) {
    return Insert(Count(), std::move(Folder), Indent);
  }
  void Clear() { FItems.clear(); }
  // The item whose folder names the same shell item, or -1.
  int IndexOfID(PCItemIDList AbsoluteID) const;

 private:
  std::vector<std::unique_ptr<TbsItemEx>> FItems;
};
