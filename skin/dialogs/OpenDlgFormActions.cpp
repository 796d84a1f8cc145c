// The open dialog's window: what its buttons, keys and the list's notices do.
#include <cstdlib>
#include <filesystem>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/menus/MenuItem.h"
#include "framework/messages/Messages.h"
#include "platform/shell/Shell.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/dialogs/ShellFolder.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/SkinFilterComboBox.h"

void TbsOpenDlgForm::SetViewStyle(TViewStyle Value) {
  FileList->SetViewStyle(Value);
  for (int i = 0; i < 4; ++i) ViewItems[i]->SetChecked(ViewStyles[i] == Value);
}

void TbsOpenDlgForm::FolderChanged() {
  if (TbsShellFolder* folder = FileList->CurrentFolder()) FHistory.FolderShown(folder->AbsoluteID());
  if (FileList->ItemCount() > 0) FileList->SetItemFocused(0);
  if (OnFolderChange) OnFolderChange(this);
}

void TbsOpenDlgForm::ListChanged() {
  const int i = FileList->ItemIndex();
  if (i < 0 || i >= FileList->FolderCount() || FileList->RowIsFolder(i)) return;
  FileNameEdit->SetText(ExtractFileName(FileList->Folders(i)->PathName()));
}

void TbsOpenDlgForm::ListKeyPress(char32_t& Key) {
  if (Key != U'\r') return;
  const std::string selected = FileList->SelectedFilePath();
  if (!selected.empty()) Choose(selected);
}

void TbsOpenDlgForm::ListDblClick() {
  // The list has entered a double-clicked folder by now; a file is the answer.
  const std::string selected = FileList->SelectedFilePath();
  if (!selected.empty()) Choose(selected);
}

void TbsOpenDlgForm::EditKeyDown(Word& Key) {
  if (Key == VK_ESCAPE) {
    Key = 0;
    SetModalResult(mrCancel);
    return;
  }
  if (Key != VK_RETURN) return;
  Key = 0;
  const std::string text = FileNameEdit->Text();
  if (text.find('*') != std::string::npos) {
    FileList->SetMask(text);
    return;
  }
  AcceptAction();
}

void TbsOpenDlgForm::FileTypeChanged() { FileList->SetMask(FileTypeBox->Mask()); }

std::string TbsOpenDlgForm::TypedPath(const std::string& Text) const {
  std::string path = Text;
  if (Text == "~" || Text.rfind("~/", 0) == 0) {
    const char* home = std::getenv("HOME");
    if (home && *home) path = std::string(home) + Text.substr(1);
  } else if (Text[0] != '/') {
    const std::string folder = FileList->CurrentFolderPath();
    if (!folder.empty()) path = IncludeTrailingPathDelimiter(folder) + Text;
  }
  // "a/../b" names the folder the list shows as "b".
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal.empty() ? path : normal;
}

bool TbsOpenDlgForm::ShowFile(const std::string& Path) {
  const std::string folder = ExcludeTrailingPathDelimiter(ExtractFilePath(Path));
  if (!folder.empty() && folder != FileList->CurrentFolderPath()) FileList->SetPath(folder);
  for (int i = 0; i < FileList->FolderCount(); ++i) {
    if (!FileList->RowIsFolder(i) && FileList->Folders(i)->PathName() == Path) {
      // A row already among several selected keeps the others selected with it.
      if (!FileList->IsSelected(i)) {
        FileList->ClearSelection();
        FileList->SetItemIndex(i);
      }
      return true;
    }
  }
  return false;
}

void TbsOpenDlgForm::Choose(const std::string& Path) {
  if (FCheckFileExists && !FileExists(Path)) {
    FChosenPath.clear();
    return;
  }
  FChosenPath = Path;
  SetModalResult(mrOk);
}

void TbsOpenDlgForm::AcceptAction() {
  const std::string text = FileNameEdit->Text();
  if (text.empty()) {
    // Nothing typed: the selected file is the answer.
    const std::string selected = FileList->SelectedFilePath();
    if (!selected.empty()) Choose(selected);
    return;
  }
  const std::string path = TypedPath(text);
  if (DirectoryExists(path)) {
    FileList->SetPath(path);
    FileNameEdit->SetText("");
    return;
  }
  if (FileExists(path)) {
    // The typed file becomes the list's selection too, so the answer and the list agree.
    ShowFile(path);
    Choose(path);
    return;
  }
  if (FCheckFileExists) {
    FChosenPath.clear();
    return;
  }
  Choose(path);
}

void TbsOpenDlgForm::GoBack() {
  FHistory.Back([this](PCItemIDList ID) { FileList->SetPathFromID(ID); });
}

void TbsOpenDlgForm::GoUp() { FileList->Back(); }

void TbsOpenDlgForm::NewFolder() {
  TbsShellFolder* current = FileList->CurrentFolder();
  if (!current || !current->IsFileSystem()) return;
  const std::string path =
      IncludeTrailingPathDelimiter(current->PathName()) + ResText(FCtrlSkinData, "MSG_NEWFOLDER", "New Folder");
  if (DirectoryExists(path)) return;
  if (const int error = SHCreateDirectory(path); error != 0) throw EInOutError(error);
  FileList->Refresh();
}
