#pragma once
// The rows of the file list: one folder object per child of the current folder that
// the object types and the mask let through, folders first, then in the shell's order.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/dialogs/ShellFolder.h"

class TObject;

// Asked for every item before it is listed; may turn the decision either way.
using TbsAddFolderEvent = std::function<void(TObject* Sender, TbsShellFolder* AFolder, bool& CanAdd)>;

class TbsShellFolderRows {
 public:
  // Replaces the rows with the children of Folder (which stays the caller's). Returns
  // errno when the folder cannot be read; the rows are then empty.
  int Fill(TbsShellFolder* Folder, TShellObjectTypes Types, const std::string& Mask, bool Sorted,
           const TbsAddFolderEvent& OnAddFolder = nullptr, TObject* Sender = nullptr);
  void Clear();
  int Count() const { return int(FRows.size()); }
  // Index out of range raises EListError.
  TbsShellFolder* Rows(int Index) const;
  bool IsFolder(int Index) const;
  // Takes a row out (for renaming or removal by the caller).
  void Replace(int Index, std::unique_ptr<TbsShellFolder> Folder);

  // The first row from Start on whose caption starts with Text (without regard to
  // case), wrapping past the end when Wrap is set; -1 when none.
  int FindCaption(const std::string& Text, int Start, bool Wrap) const;

 private:
  std::vector<std::unique_ptr<TbsShellFolder>> FRows;
  std::vector<bool> FFolder;
};
