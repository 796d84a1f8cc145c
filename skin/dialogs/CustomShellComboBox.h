#pragma once
// TbsCustomShellComboBox: the folder box. It lists the root, the root's top-level items
// (and with "rfDesktop" the computer's volumes) and the chain down to the folder the
// linked file list shows, each indented by its level with its system icon; choosing an
// item sends the list there.
#include <string>

#include "skin/dialogs/ShellFolderChain.h"
#include "skin/dialogs/SkinCustomComboBox.h"

class TbsCustomShellListView;

class TbsCustomShellComboBox : public TbsSkinCustomComboBox {
 public:
  explicit TbsCustomShellComboBox(TComponent* AOwner);
  ~TbsCustomShellComboBox() override;
  std::string ClassName() const override { return "TbsCustomShellComboBox"; }

  // A root folder name or a path (compared without regard to case); passed on to the
  // linked list. A text that cannot be resolved raises EInvalidPath and the previous
  // root stays.
  const std::string& Root() const { return FChain.Root(); }
  void SetRoot(const std::string& Value);
  TShellObjectTypes ObjectTypes() const { return FChain.ObjectTypes(); }
  void SetObjectTypes(TShellObjectTypes Value);
  TbsCustomShellListView* ShellListView() const { return FShellListView; }
  // Links both ways and gives the list the box's root.
  void SetShellListView(TbsCustomShellListView* Value);

  const TbsItemsEx& ItemsEx() const { return FChain.Items(); }
  // The folder of the selected item (nullptr when none).
  TbsShellFolder* Folder() const;
  int IconWidth() const { return FIconWidth; }
  int IconHeight() const { return FIconHeight; }

  // Rebuilds the items and adds the chain down to the folder (from the list).
  void ShowFolder(PCItemIDList AbsoluteID);

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Change() override;
  void Loaded() override;

 private:
  friend class TbsCustomShellListView;
  void LinkListView(TbsCustomShellListView* Value) { FShellListView = Value; }
  // The list showed another folder.
  void FolderShownByList(PCItemIDList AbsoluteID);
  void Rebuild();
  void CopyCaptions();
  void DrawShellItem(TCanvas* C, int Index, const TRect& R, bool Indent);

  TbsShellFolderChain FChain;
  TbsCustomShellListView* FShellListView = nullptr;
  TImageList* FShellImages = nullptr;
  bool FUseShellImages = true;
  int FIconWidth = 16;
  int FIconHeight = 16;
  bool FUpdating = false;
  bool FChanging = false;
};
