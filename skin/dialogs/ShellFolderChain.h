#pragma once
// What the folder box lists: the root, the root's children (and with the root
// "rfDesktop" the computer's volumes under the computer), and the chain of folders from
// the nearest listed ancestor down to the folder shown in the file list.
#include <string>

#include "skin/dialogs/ItemsEx.h"

class TbsShellFolderChain {
 public:
  const std::string& Root() const { return FRoot; }
  // Raises EInvalidPath when the text cannot be resolved (the items are then empty).
  void SetRoot(const std::string& Root);
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  void SetObjectTypes(TShellObjectTypes Types) { FObjectTypes = Types; }

  TbsItemsEx& Items() { return FItems; }
  const TbsItemsEx& Items() const { return FItems; }
  // The selected item (0 after building; -1 while there are no items).
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Index) { FItemIndex = Index; }

  // Frees all items and lists the root and its children again.
  void Build();
  // Builds, then adds the chain down to the folder and selects it; a folder outside the
  // root's chain leaves the first item selected. Returns whether it was found.
  bool ShowFolder(PCItemIDList AbsoluteID);

 private:
  // Inserts the children of Items(Index)'s folder after it, one level deeper.
  void InsertChildren(int Index);
  std::string FRoot = "rfDesktop";
  TShellObjectTypes FObjectTypes{otFolders};
  TbsItemsEx FItems;
  int FItemIndex = -1;
};
