// Filling, sorting and searching the file list's rows.
#include "skin/dialogs/ShellFolderRows.h"

#include <algorithm>
#include <numeric>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "skin/dialogs/FileMask.h"
#include "skin/dialogs/ItemIdLists.h"

void TbsShellFolderRows::Clear() {
  FRows.clear();
  FFolder.clear();
}

int TbsShellFolderRows::Fill(TbsShellFolder* Folder, TShellObjectTypes Types, const std::string& Mask,
                             bool Sorted, const TbsAddFolderEvent& OnAddFolder, TObject* Sender) {
  Clear();
  std::shared_ptr<IShellFolder> folder = Folder ? Folder->BoundFolder() : nullptr;
  if (!folder) return ENOTDIR;
  std::unique_ptr<IEnumIDList> list;
  if (const int err = folder->EnumObjects(ObjectFlags(Types), list)) return err;
  std::vector<std::unique_ptr<TbsShellFolder>> rows;
  std::vector<bool> isFolder;
  rows.reserve(size_t(list->Count()));
  isFolder.reserve(size_t(list->Count()));
  PItemIDList id = nullptr;
  while (list->Next(id)) {
    TPIDLHolder holder(id);
    auto row = std::make_unique<TbsShellFolder>(Folder, id, folder);
    const bool dir = row->IsFolder();
    bool accept = dir || MaskAcceptsFile(row->PathName(), Mask);
    if (OnAddFolder) OnAddFolder(Sender, row.get(), accept);
    if (!accept) continue;
    rows.push_back(std::move(row));
    isFolder.push_back(dir);
  }
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t(0));
  if (Sorted) {
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      if (isFolder[a] != isFolder[b]) return bool(isFolder[a]);
      return short(folder->CompareIDs(0, rows[a]->RelativeID(), rows[b]->RelativeID())) < 0;
    });
  }
  FRows.reserve(rows.size());
  for (size_t i : order) {
    FRows.push_back(std::move(rows[i]));
    FFolder.push_back(isFolder[i]);
  }
  return 0;
}

TbsShellFolder* TbsShellFolderRows::Rows(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", Index));
  return FRows[size_t(Index)].get();
}

bool TbsShellFolderRows::IsFolder(int Index) const {
  Rows(Index);
  return FFolder[size_t(Index)];
}

void TbsShellFolderRows::Replace(int Index, std::unique_ptr<TbsShellFolder> Folder) {
  Rows(Index);
  FFolder[size_t(Index)] = Folder->IsFolder();
  FRows[size_t(Index)] = std::move(Folder);
}

int TbsShellFolderRows::FindCaption(const std::string& Text, int Start, bool Wrap) const {
  const int n = Count();
  if (n == 0) return -1;
  if (Start < 0 || Start >= n) Start = 0;
  for (int k = 0; k < n; ++k) {
    const int i = Start + k;
    if (i >= n && !Wrap) break;
    if (StartsWithFolded(FRows[size_t(i % n)]->DisplayName(), Text)) return i % n;
  }
  return -1;
}
