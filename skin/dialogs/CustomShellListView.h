#pragma once
// TbsCustomShellListView: the skinned list view showing one folder of the shell name
// space in owner-data mode: a folder object per row, captions and system icons asked
// for as rows are drawn, folders first, files through a mask. It enters folders, goes
// up, refreshes keeping the selected rows by name, renames a row whose label was edited,
// and answers the typed-text search by caption.
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Strings.h"
#include "framework/messages/Messages.h"
#include "platform/shell/ShellChangeNotifier.h"
#include "skin/controls/SkinCustomListView.h"
#include "skin/dialogs/ShellFolderRows.h"

class TbsCustomShellComboBox;

class TbsCustomShellListView : public TbsSkinCustomListView {
 public:
  explicit TbsCustomShellListView(TComponent* AOwner);
  ~TbsCustomShellListView() override;
  std::string ClassName() const override { return "TbsCustomShellListView"; }

  // A root folder name or a path; a text the shell cannot resolve raises EInvalidPath
  // and the previous root stays.
  const std::string& Root() const { return FRoot; }
  void SetRoot(const std::string& Value);
  // Patterns separated by ";" or "|"; a change refreshes the list.
  const std::string& Mask() const { return FMask; }
  void SetMask(const std::string& Value);
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  void SetObjectTypes(TShellObjectTypes Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool AutoNavigate() const { return FAutoNavigate; }
  void SetAutoNavigate(bool Value) { FAutoNavigate = Value; }
  bool AutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool Value) { FAutoContextMenus = Value; }
  // Watches the current folder and refreshes when its entries change.
  bool AutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool Value);
  // The message the watching thread posts to the list's window.
  static constexpr UINT WM_SHELLCHANGED = WM_USER + 0x1A0;
  TbsCustomShellComboBox* ShellComboBox() const { return FShellComboBox; }
  void SetShellComboBox(TbsCustomShellComboBox* Value);

  TbsShellFolder* RootFolder() const { return FRootFolder.get(); }
  TbsShellFolder* CurrentFolder() const { return FCurrent.get(); }
  int FolderCount() const { return FRows.Count(); }
  TbsShellFolder* Folders(int Index) const { return FRows.Rows(Index); }
  bool RowIsFolder(int Index) const { return FRows.IsFolder(Index); }

  // The current folder's path (empty without one).
  std::string CurrentFolderPath() const;
  // The selected row's path when it is not a folder, else empty.
  std::string SelectedFilePath() const;
  // The paths of all selected rows that are not folders, in row order.
  void SelectedFiles(TStrings* Files) const;
  // Goes to a path parsed from the desktop; raises EInvalidPath "Error setting path: "%s"".
  void SetPath(const std::string& Path);
  // Goes to the parent of the current folder.
  void Back();
  // Goes to a folder by its absolute identifier, unless it is the one shown.
  void SetPathFromID(PCItemIDList ID);
  // Reads the current folder again. The selected rows and the focused one stay so by
  // their names wherever they now sort; a row that is gone is no longer selected. The
  // selection is put back silently: OnChange does not fire for it.
  void Refresh();
  // errno of the last reading of the current folder (0: it was read).
  int ReadError() const { return FReadError; }
  // Renames a row's item; raises "Rename to %s failed" when the shell refuses.
  void RenameItem(int Index, const std::string& NewName);

  void SetViewStyle(TViewStyle Value) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TbsAddFolderEvent OnAddFolder;
  // After every change of folder (the dialog's history).
  TNotifyEvent OnFolderChanged;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DblClick() override;
  bool CanEdit(int Index) override;
  // The shell renames the item; a refused name raises and both files stay as they were.
  void Edited(int Index, std::string& S) override;
  void WndProc(TMessage& Message) override;
  // Makes the root folder from Root and shows it.
  void CreateRoot();
  // The folder box links itself without calling back.
  friend class TbsCustomShellComboBox;
  void LinkComboBox(TbsCustomShellComboBox* Value);

 private:
  void FillRows();
  void WatchCurrent();
  void RebuildColumns();
  void EnterSelectedFolder();
  void DataRequested(int Index, TListItem& Item);
  std::string ColumnCaption(const char* Key, const char* BuiltIn) const;

  std::string FRoot = "rfDesktop";
  std::string FOldRoot;
  std::string FMask = "*.*|*.*";
  TShellObjectTypes FObjectTypes{otFolders, otNonFolders};
  bool FSorted = true;
  bool FAutoNavigate = true;
  bool FAutoContextMenus = true;
  bool FAutoRefresh = false;
  bool FUpdating = false;
  int FReadError = 0;
  TbsCustomShellComboBox* FShellComboBox = nullptr;
  std::unique_ptr<TbsShellFolder> FRootFolder;
  std::unique_ptr<TbsShellFolder> FCurrent;
  TbsShellFolderRows FRows;
  std::unique_ptr<TShellChangeNotifier> FNotifier;
};
