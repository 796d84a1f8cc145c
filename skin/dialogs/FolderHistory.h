#pragma once
// The open dialog's history of visited folders for its back button. A folder shown by
// the list is appended unless it equals the last entry or the back button caused it;
// back goes to the second-last entry and removes that entry, the last one staying.
#include <functional>
#include <vector>

#include "platform/shell/Shell.h"

class TbsFolderHistory {
 public:
  TbsFolderHistory() = default;
  ~TbsFolderHistory();
  TbsFolderHistory(const TbsFolderHistory&) = delete;
  TbsFolderHistory& operator=(const TbsFolderHistory&) = delete;

  int Count() const { return int(FItems.size()); }
  PCItemIDList Items(int Index) const { return FItems.at(size_t(Index)); }
  void Clear();
  // The list showed this folder.
  void FolderShown(PCItemIDList AbsoluteID);
  // Sends GoTo to the second-last entry (when there are at least two) and removes it;
  // false when there was nowhere to go.
  bool Back(const std::function<void(PCItemIDList)>& GoTo);

 private:
  std::vector<PItemIDList> FItems;
  bool FGoingBack = false;
};
