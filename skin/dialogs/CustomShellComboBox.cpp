// The folder box: building its items, following the list, owner-drawn items.
#include "skin/dialogs/CustomShellComboBox.h"

#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "platform/shell/ShellIcons.h"
#include "skin/dialogs/CustomShellListView.h"
#include "skin/dialogs/ItemIdLists.h"

namespace {
struct TFlagScope {
  bool& Flag;
  bool Saved;
  explicit TFlagScope(bool& f) : Flag(f), Saved(f) { Flag = true; }
  ~TFlagScope() { Flag = Saved; }
};
}  // namespace

TbsCustomShellComboBox::TbsCustomShellComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner) {
  FShellImages = SHGetSystemImageList(false);
  FIconWidth = FShellImages->Width();
  FIconHeight = FShellImages->Height();
  OnListBoxDrawItem = [this](TObject*, TCanvas* C, int Index, const TRect& R, bool) {
    DrawShellItem(C, Index, R, true);
  };
  OnDrawItem = [this](TObject*, TCanvas* C, int Index, const TRect& R, bool) {
    DrawShellItem(C, Index, R, false);
  };
  Rebuild();
}

TbsCustomShellComboBox::~TbsCustomShellComboBox() {
  if (FShellListView) FShellListView->LinkComboBox(nullptr);
}

void TbsCustomShellComboBox::CopyCaptions() {
  TFlagScope updating(FUpdating);
  Items()->Clear();
  for (int i = 0; i < FChain.Items().Count(); ++i) Items()->Add(FChain.Items().Items(i).Caption);
  if (FChain.ItemIndex() >= 0) SetItemIndex(FChain.ItemIndex());
  Invalidate();
}

void TbsCustomShellComboBox::Rebuild() {
  FChain.Build();
  CopyCaptions();
}

void TbsCustomShellComboBox::SetRoot(const std::string& Value) {
  if (SameText(Value, FChain.Root())) return;
  const std::string old = FChain.Root();
  try {
    FChain.SetRoot(Value);
  } catch (...) {
    FChain.SetRoot(old);
    CopyCaptions();
    throw;
  }
  CopyCaptions();
  if (FShellListView) FShellListView->SetRoot(Value);
}

void TbsCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value) {
  FChain.SetObjectTypes(Value);
  Rebuild();
}

void TbsCustomShellComboBox::SetShellListView(TbsCustomShellListView* Value) {
  if (Value == FShellListView) return;
  if (FShellListView) {
    FShellListView->RemoveFreeNotification(this);
    FShellListView->LinkComboBox(nullptr);
  }
  FShellListView = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  if (Value->ShellComboBox() && Value->ShellComboBox() != this)
    Value->ShellComboBox()->SetShellListView(nullptr);
  Value->LinkComboBox(this);
  Value->SetRoot(FChain.Root());
  if (Value->CurrentFolder()) FolderShownByList(Value->CurrentFolder()->AbsoluteID());
}

TbsShellFolder* TbsCustomShellComboBox::Folder() const {
  const int i = ItemIndex();
  return i >= 0 && i < FChain.Items().Count() ? FChain.Items().Items(i).Folder.get() : nullptr;
}

void TbsCustomShellComboBox::ShowFolder(PCItemIDList AbsoluteID) {
  TFlagScope updating(FUpdating);
  FChain.ShowFolder(AbsoluteID);
  CopyCaptions();
}

void TbsCustomShellComboBox::FolderShownByList(PCItemIDList AbsoluteID) {
  if (FChanging) return;
  if (Folder() && SamePIDL(Folder()->AbsoluteID(), AbsoluteID)) return;
  ShowFolder(AbsoluteID);
}

void TbsCustomShellComboBox::Change() {
  TbsSkinCustomComboBox::Change();
  if (FUpdating || FChanging || DroppedDown() || !Folder()) return;
  TFlagScope changing(FChanging);
  // The box rebuilds itself while the list moves: go by a copy of the identifier.
  TPIDLHolder id(CopyPIDL(Folder()->AbsoluteID()));
  ShowFolder(id.Get());
  if (FShellListView) FShellListView->SetPathFromID(id.Get());
}

void TbsCustomShellComboBox::Loaded() {
  TbsSkinCustomComboBox::Loaded();
  Rebuild();
}

void TbsCustomShellComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinCustomComboBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FShellListView) FShellListView = nullptr;
}

void TbsCustomShellComboBox::DrawShellItem(TCanvas* C, int Index, const TRect& R, bool Indent) {
  if (Index < 0 || Index >= FChain.Items().Count()) return;
  const TbsItemEx& item = FChain.Items().Items(Index);
  int x = R.Left + (Indent ? item.Indent * FIconWidth / 2 : 0);
  if (FUseShellImages && item.ImageIndex >= 0)
    FShellImages->Draw(C, x, R.Top + (R.Height() - FIconHeight) / 2, item.ImageIndex);
  x += FIconWidth + 4;
  C->Brush()->Style = TBrushStyle::bsClear;
  C->TextOut(x, R.Top + (R.Height() - C->TextHeight("Wg")) / 2, item.Caption);
}
