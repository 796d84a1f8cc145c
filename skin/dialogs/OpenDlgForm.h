#pragma once
// TbsOpenDlgForm: the window of the skinned open dialog, built in code. A tool bar with
// the folder box and the back, up, new-folder and view buttons; the file list between two
// skin scroll bars; the file name edit, the file type box, open and cancel at the bottom.
// It keeps the history of visited folders for the back button and the path the user
// chose; the dialog component reads that path when the window closes with OK.
#include <string>

#include "framework/controls/ListView.h"
#include "framework/windows/Forms.h"
#include "skin/dialogs/FolderHistory.h"

class TMenuItem;
class TbsSkinBevel;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinEdit;
class TbsSkinFileListView;
class TbsSkinFilterComboBox;
class TbsSkinForm;
class TbsSkinMenuSpeedButton;
class TbsSkinPanel;
class TbsSkinPopupMenu;
class TbsSkinScrollBar;
class TbsSkinShellComboBox;
class TbsSkinSpeedButton;
class TbsSkinStdLabel;
class TbsSkinToolBar;

class TbsOpenDlgForm : public TForm {
 public:
  // Texts come from the resource strings of CtrlSkinData, when it has them.
  TbsOpenDlgForm(TComponent* AOwner, TbsSkinData* CtrlSkinData);
  ~TbsOpenDlgForm() override;
  std::string ClassName() const override { return "TbsOpenDlgForm"; }

  // The text under Key in the skin data's resource strings, else BuiltIn.
  static std::string ResText(TbsSkinData* Data, const char* Key, const char* BuiltIn);
  // The view styles of the view menu's items, in their order.
  static constexpr TViewStyle ViewStyles[4] = {vsIcon, vsSmallIcon, vsList, vsReport};

  // Gives the skin data to every control inside and picks the folder box's record.
  void SetCtrlSkinData(TbsSkinData* Value);
  // Sets the list's view style and checks that item of the view menu only.
  void SetViewStyle(TViewStyle Value);

  bool CheckFileExists() const { return FCheckFileExists; }
  void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }
  // The file the user chose (empty until then).
  const std::string& ChosenPath() const { return FChosenPath; }
  const TbsFolderHistory& History() const { return FHistory; }

  // The open button: the name in the edit (or the selected file) as the answer.
  void AcceptAction();
  // The back button: the second-last folder of the history.
  void GoBack();
  // The up button: the parent of the list's folder.
  void GoUp();
  // The new-folder button; a folder that cannot be made raises EInOutError.
  void NewFolder();

  TbsSkinForm* SkinForm = nullptr;
  TbsSkinToolBar* ToolBar = nullptr;
  TbsSkinBevel* LeftSpacer = nullptr;
  TbsSkinStdLabel* LookInLabel = nullptr;
  TbsSkinSpeedButton* BackButton = nullptr;
  TbsSkinSpeedButton* UpButton = nullptr;
  TbsSkinSpeedButton* NewFolderButton = nullptr;
  TbsSkinBevel* RightSpacer = nullptr;
  TbsSkinMenuSpeedButton* ViewButton = nullptr;
  TbsSkinShellComboBox* FolderBox = nullptr;
  TbsSkinPanel* BottomPanel = nullptr;
  TbsSkinPanel* CenterPanel = nullptr;
  TbsSkinScrollBar* HScrollBar = nullptr;
  TbsSkinScrollBar* VScrollBar = nullptr;
  TbsSkinFileListView* FileList = nullptr;
  TbsSkinEdit* FileNameEdit = nullptr;
  TbsSkinFilterComboBox* FileTypeBox = nullptr;
  TbsSkinButton* OpenButton = nullptr;
  TbsSkinButton* CancelButton = nullptr;
  TbsSkinStdLabel* FileNameLabel = nullptr;
  TbsSkinStdLabel* FileTypeLabel = nullptr;
  TbsSkinPopupMenu* ViewMenu = nullptr;
  TMenuItem* ViewItems[4] = {};

  // After every change of the list's folder; the sender is this window.
  TNotifyEvent OnFolderChange;

 private:
  void BuildToolBar();
  void BuildCenter();
  void BuildBottom();
  void BuildViewMenu();
  TbsSkinSpeedButton* ToolButton(const char* Glyph, const char* HintKey, const char* Hint, int Order);
  TbsSkinStdLabel* Label(TWinControl* Parent, const char* Key, const char* BuiltIn);

  void FolderChanged();
  void ListChanged();
  void ListKeyPress(char32_t& Key);
  void ListDblClick();
  void EditKeyDown(Word& Key);
  void FileTypeChanged();
  // The typed text as a path: absolute as it stands, else inside the list's folder.
  std::string TypedPath(const std::string& Text) const;
  // Goes to the folder of Path and selects its row; false when there is no such row.
  bool ShowFile(const std::string& Path);
  // Closes with OK when Path may be the answer.
  void Choose(const std::string& Path);

  TbsSkinData* FCtrlSkinData = nullptr;
  bool FCheckFileExists = true;
  std::string FChosenPath;
  TbsFolderHistory FHistory;
};
