// The folder box's item chain.
#include "skin/dialogs/ShellFolderChain.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "skin/dialogs/ItemIdLists.h"

void TbsShellFolderChain::SetRoot(const std::string& Root) {
  FRoot = Root;
  Build();
}

void TbsShellFolderChain::InsertChildren(int Index) {
  TbsShellFolder* parent = FItems.Items(Index).Folder.get();
  const int indent = FItems.Items(Index).Indent + 1;
  std::shared_ptr<IShellFolder> folder = parent->BoundFolder();
  if (!folder) return;
  std::unique_ptr<IEnumIDList> list;
  if (const int err = folder->EnumObjects(ObjectFlags(FObjectTypes), list))
    throw EInOutError(err, SysErrorMessage(err));
  std::vector<PItemIDList> children;
  PItemIDList child = nullptr;
  while (list->Next(child)) children.push_back(child);
  std::stable_sort(children.begin(), children.end(), [&](PItemIDList a, PItemIDList b) {
    return short(folder->CompareIDs(0, a, b)) < 0;
  });
  int at = Index + 1;
  for (PItemIDList id : children) {
    FItems.Insert(at++, std::make_unique<TbsShellFolder>(parent, id, folder), indent);
    DisposePIDL(id);
  }
}

void TbsShellFolderChain::Build() {
  FItems.Clear();
  FItemIndex = -1;
  FItems.Add(CreateRootFolder(FRoot), 0);
  InsertChildren(0);
  if (FRoot == "rfDesktop") {
    PItemIDList computer = nullptr;
    if (SHGetSpecialFolderLocation(CSIDL_DRIVES, computer) == 0) {
      const int at = FItems.IndexOfID(computer);
      if (at >= 0) InsertChildren(at);
    }
    DisposePIDL(computer);
  }
  FItemIndex = 0;
}

bool TbsShellFolderChain::ShowFolder(PCItemIDList AbsoluteID) {
  Build();
  std::vector<PItemIDList> chain = CreatePIDLList(AbsoluteID);
  int found = -1, foundAt = -1;
  for (int i = int(chain.size()) - 1; i >= 0 && found < 0; --i) {
    found = FItems.IndexOfID(chain[size_t(i)]);
    foundAt = i;
  }
  if (found >= 0) {
    int at = found;
    int indent = FItems.Items(found).Indent;
    for (size_t i = size_t(foundAt) + 1; i < chain.size(); ++i)
      FItems.Insert(++at, std::make_unique<TbsShellFolder>(nullptr, chain[i], SHGetDesktopFolder()), ++indent);
    FItemIndex = at;
  }
  DestroyPIDLList(chain);
  return found >= 0;
}
