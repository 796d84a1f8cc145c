// The shell list view: navigation, rows on demand, report columns, keys.
#include "skin/dialogs/CustomShellListView.h"

#include <unordered_set>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/Messages.h"
#include "framework/windows/Screen.h"
#include "framework/windows/Windows.h"
#include "platform/shell/ShellIcons.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/CustomShellComboBox.h"
#include "skin/dialogs/ItemIdLists.h"

namespace {
// Sets a flag for the life of the object.
struct TFlagScope {
  bool& Flag;
  explicit TFlagScope(bool& f) : Flag(f) { Flag = true; }
  ~TFlagScope() { Flag = false; }
};

}  // namespace

TbsCustomShellListView::TbsCustomShellListView(TComponent* AOwner) : TbsSkinCustomListView(AOwner) {
  SetOwnerData(true);
  SetHideSelection(false);
  SetSmallImages(SHGetSystemImageList(false));
  SetLargeImages(SHGetSystemImageList(true));
  OnData = [this](TObject*, int Index, TListItem& Item) { DataRequested(Index, Item); };
  // Typed text: partial and exact requests alike match captions that start with it.
  OnDataFind = [this](TObject*, const std::string& Value, int StartIndex, bool, bool Wrap) {
    return FRows.FindCaption(Value, StartIndex, Wrap);
  };
  CreateRoot();
}

TbsCustomShellListView::~TbsCustomShellListView() {
  FNotifier.reset();
  if (FShellComboBox) FShellComboBox->LinkListView(nullptr);
}

void TbsCustomShellListView::CreateRoot() {
  std::unique_ptr<TbsShellFolder> root = CreateRootFolder(FRoot);
  FRootFolder = std::move(root);
  FCurrent.reset();
  SetPathFromID(FRootFolder->AbsoluteID());
}

void TbsCustomShellListView::SetRoot(const std::string& Value) {
  if (SameText(Value, FRoot)) return;
  FOldRoot = FRoot;
  FRoot = Value;
  try {
    CreateRoot();
  } catch (...) {
    FRoot = FOldRoot;
    throw;
  }
}

void TbsCustomShellListView::SetMask(const std::string& Value) {
  if (Value == FMask) return;
  FMask = Value;
  Refresh();
}

void TbsCustomShellListView::SetObjectTypes(TShellObjectTypes Value) {
  if (Value == FObjectTypes) return;
  FObjectTypes = Value;
  Refresh();
}

void TbsCustomShellListView::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  Refresh();
}

std::string TbsCustomShellListView::CurrentFolderPath() const {
  return FCurrent ? FCurrent->PathName() : std::string();
}

std::string TbsCustomShellListView::SelectedFilePath() const {
  const int i = ItemIndex();
  if (i < 0 || i >= FolderCount() || RowIsFolder(i)) return {};
  return Folders(i)->PathName();
}

void TbsCustomShellListView::SelectedFiles(TStrings* Files) const {
  Files->Clear();
  for (int i = 0; i < FolderCount(); ++i)
    if (IsSelected(i) && !RowIsFolder(i)) Files->Add(Folders(i)->PathName());
}

void TbsCustomShellListView::SetPath(const std::string& Path) {
  TPIDLHolder id;
  if (Path.empty() || SHGetDesktopFolder()->ParseDisplayName(Path, id.Ref()) != 0)
    throw EInvalidPath(Format("Error setting path: \"%s\"", Path.c_str()));
  SetPathFromID(id.Get());
}

void TbsCustomShellListView::Back() {
  if (!FCurrent || GetPIDLCount(FCurrent->AbsoluteID()) == 0) return;
  TPIDLHolder parent(CopyPIDL(FCurrent->AbsoluteID()));
  StripLastID(parent.Get());
  SetPathFromID(parent.Get());
}

void TbsCustomShellListView::SetPathFromID(PCItemIDList ID) {
  if (FUpdating || !ID) return;
  if (FCurrent && SamePIDL(FCurrent->AbsoluteID(), ID)) return;
  {
    TFlagScope updating(FUpdating);
    FCurrent = std::make_unique<TbsShellFolder>(nullptr, ID, SHGetDesktopFolder());
    // The linked box keeps its own root (a new root of the list included) and shows
    // the folder in its chain, so it always names the folder shown.
    if (FShellComboBox) FShellComboBox->FolderShownByList(FCurrent->AbsoluteID());
    FillRows();
    WatchCurrent();
  }
  if (OnFolderChanged) OnFolderChanged(this);
}

void TbsCustomShellListView::Refresh() {
  if (!FCurrent) return;
  // New rows may sort before the selected ones: they are found again by name.
  std::unordered_set<std::string> selected;
  std::string focused;
  for (int i = 0; i < FolderCount(); ++i)
    if (IsSelected(i)) selected.insert(Folders(i)->PathName());
  if (ItemFocused() >= 0 && ItemFocused() < FolderCount()) focused = Folders(ItemFocused())->PathName();
  TNotifyEvent onChange = std::move(OnChange);
  OnChange = nullptr;
  struct TRestore {
    TNotifyEvent& Event;
    TNotifyEvent Saved;
    ~TRestore() { Event = std::move(Saved); }
  } restore{OnChange, std::move(onChange)};
  FillRows();
  int focus = -1;
  if (!selected.empty() || !focused.empty()) {
    for (int i = 0; i < FolderCount(); ++i) {
      const std::string name = Folders(i)->PathName();
      if (selected.count(name)) SetSelected(i, true);
      if (name == focused) focus = i;
    }
  }
  SetItemFocused(focus);
}

void TbsCustomShellListView::FillRows() {
  const TCursor saved = Screen()->Cursor();
  Screen()->SetCursor(crHourGlass);
  // An unreadable or vanished folder shows no rows.
  FReadError = FRows.Fill(FCurrent.get(), FObjectTypes, FMask, FSorted, OnAddFolder, this);
  ClearSelection();
  SetItemCount(FRows.Count());
  if (ViewStyle() == vsReport) RebuildColumns();
  ItemsChanged();
  Screen()->SetCursor(saved);
  CheckBars();
}

std::string TbsCustomShellListView::ColumnCaption(const char* Key, const char* BuiltIn) const {
  if (SkinData() && SkinData()->ResourceStrData()) {
    const std::string text = SkinData()->ResourceStrData()->GetResString(Key);
    if (!text.empty()) return text;
  }
  return BuiltIn;
}

void TbsCustomShellListView::RebuildColumns() {
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(Font());
  const int x = std::max(1, measure.Canvas()->TextWidth("X"));
  ClearColumns();
  AddColumn(ColumnCaption("FLV_NAME", "Name"), 25 * x);
  if (FCurrent && FCurrent->IsFileSystem()) {
    AddColumn(ColumnCaption("FLV_SIZE", "Size"), 10 * x).Alignment = taRightJustify;
    AddColumn(ColumnCaption("FLV_TYPE", "Type"), 10 * x);
    AddColumn(ColumnCaption("FLV_MODIFIED", "Modified"), 14 * x);
  }
  ColumnsChanged();
}

void TbsCustomShellListView::SetViewStyle(TViewStyle Value) {
  const bool entering = Value == vsReport && ViewStyle() != vsReport;
  TbsSkinCustomListView::SetViewStyle(Value);
  if (entering) RebuildColumns();
}

void TbsCustomShellListView::DataRequested(int Index, TListItem& Item) {
  if (Index < 0 || Index >= FolderCount()) return;
  TbsShellFolder* row = Folders(Index);
  Item.Caption = row->DisplayName();
  Item.ImageIndex = row->ImageIndex(ViewStyle() == vsIcon);
  if (ViewStyle() != vsReport || ColumnCount() < 2) return;
  try {
    row->LoadColumnDetails(ColumnCount());
    for (int c = 1; c < ColumnCount(); ++c) Item.SubItems.push_back(row->Details(c));
  } catch (const Exception&) {
    // An entry gone since the folder was read: the row is drawn without details.
  }
}

void TbsCustomShellListView::EnterSelectedFolder() {
  const int i = ItemIndex();
  if (i < 0 || i >= FolderCount() || !RowIsFolder(i)) return;
  // The rows are replaced on the way: go by a copy of the identifier.
  TPIDLHolder id(CopyPIDL(Folders(i)->AbsoluteID()));
  SetPathFromID(id.Get());
}

void TbsCustomShellListView::RenameItem(int Index, const std::string& NewName) {
  Folders(Index)->Rename(NewName);
  ItemsChanged();
  // A changed caption is an item change like a selection change (the dialog's name edit).
  if (OnChange) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
}

bool TbsCustomShellListView::CanEdit(int Index) {
  if (Index >= FolderCount() || !Folders(Index)->Capabilities().Contains(TShellFolderCapability::fcCanRename))
    return false;
  return TbsSkinCustomListView::CanEdit(Index);
}

void TbsCustomShellListView::Edited(int Index, std::string& S) {
  TbsSkinCustomListView::Edited(Index, S);
  RenameItem(Index, S);
}

void TbsCustomShellListView::KeyDown(Word& Key, TShiftState Shift) {
  if (FAutoNavigate) {
    switch (Key) {
      case VK_BACK:
        if (!IsEditing()) Back();
        Key = 0;
        return;
      case VK_RETURN:
        if (Shift.Contains(ssAlt)) {
          const int i = ItemIndex();
          if (i >= 0 && i < FolderCount()) Folders(i)->ExecuteCommandByVerb("properties");
        } else {
          EnterSelectedFolder();
        }
        Key = 0;
        return;
      case VK_F5:
        Refresh();
        Key = 0;
        return;
      default:
        break;
    }
  }
  TbsSkinCustomListView::KeyDown(Key, Shift);
}

void TbsCustomShellListView::SetAutoRefresh(bool Value) {
  if (Value == FAutoRefresh) return;
  FAutoRefresh = Value;
  WatchCurrent();
}

void TbsCustomShellListView::WatchCurrent() {
  FNotifier.reset();
  if (!FAutoRefresh || !FCurrent || !FCurrent->IsFileSystem()) return;
  const HWND wnd = Handle();
  FNotifier = std::make_unique<TShellChangeNotifier>(FCurrent->PathName(), [wnd] {
    PostMessageFromThread(wnd, WM_SHELLCHANGED, 0, 0);
  });
}

void TbsCustomShellListView::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SHELLCHANGED) {
    Refresh();
    return;
  }
  TbsSkinCustomListView::WndProc(Message);
}

void TbsCustomShellListView::DblClick() {
  if (FAutoNavigate) EnterSelectedFolder();
  TbsSkinCustomListView::DblClick();
}

void TbsCustomShellListView::Loaded() {
  TbsSkinCustomListView::Loaded();
}

void TbsCustomShellListView::SetShellComboBox(TbsCustomShellComboBox* Value) {
  if (Value == FShellComboBox) return;
  if (Value) {
    Value->SetShellListView(this);
  } else if (FShellComboBox) {
    FShellComboBox->SetShellListView(nullptr);
  }
}

void TbsCustomShellListView::LinkComboBox(TbsCustomShellComboBox* Value) {
  if (FShellComboBox) FShellComboBox->RemoveFreeNotification(this);
  FShellComboBox = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsCustomShellListView::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinCustomListView::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FShellComboBox) FShellComboBox = nullptr;
}
