// The skinned open dialog component: prepares the window, shows it, keeps its answer.
#include "skin/dialogs/SkinOpenDialog.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Windows.h"
#include "platform/shell/Shell.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/SkinFilterComboBox.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "skin/form/SkinForm.h"

namespace {
TbsSkinOpenDialogHook& Hook() {
  static TbsSkinOpenDialogHook hook;
  return hook;
}

// A folder as the list takes it: without a trailing separator, the root excepted.
std::string FolderText(const std::string& Path) {
  const std::string folder = ExcludeTrailingPathDelimiter(Path);
  return folder.empty() && !Path.empty() ? "/" : folder;
}
}  // namespace

void SetSkinOpenDialogHook(TbsSkinOpenDialogHook hook) { Hook() = std::move(hook); }

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* AOwner) : TComponent(AOwner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetColor(clWindowText);
}

TbsSkinOpenDialog::~TbsSkinOpenDialog() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  if (FCtrlSkinData) FCtrlSkinData->RemoveFreeNotification(this);
}

void TbsSkinOpenDialog::SetFileName(const std::string& Value) {
  FFileName = Value;
  if (FForm) FForm->FileNameEdit->SetText(Value);
}

void TbsSkinOpenDialog::SetSkinData(TbsSkinData* Value) {
  if (FSkinData && FSkinData != FCtrlSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsSkinOpenDialog::SetCtrlSkinData(TbsSkinData* Value) {
  if (FCtrlSkinData && FCtrlSkinData != FSkinData) FCtrlSkinData->RemoveFreeNotification(this);
  FCtrlSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsSkinOpenDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

bool TbsSkinOpenDialog::Execute() {
  if (Hook()) return Hook()(this);
  return ShowWindow();
}

bool TbsSkinOpenDialog::ShowWindow() {
  // The window goes, and the reference with it, however the showing ends.
  std::unique_ptr<TbsOpenDlgForm> form(new TbsOpenDlgForm(Application, FCtrlSkinData));
  struct TForget {
    TbsOpenDlgForm*& Form;
    ~TForget() { Form = nullptr; }
  } forget{FForm};
  FForm = form.get();
  Prepare(form.get());
  const bool chosen = form->ShowModal() == mrOk;
  Collect(form.get(), chosen);
  return chosen;
}

void TbsSkinOpenDialog::Prepare(TbsOpenDlgForm* Form) {
  Form->OnFolderChange = OnFolderChange;
  Form->SetCheckFileExists(FCheckFileExists);
  Form->SetCaption(FTitle);

  TbsSkinForm* sf = Form->SkinForm;
  sf->SetBorderIcons({});
  sf->SetSkinData(FSkinData);
  sf->SetMenusSkinData(FCtrlSkinData);
  sf->SetAlphaBlend(FAlphaBlend);
  sf->SetAlphaBlendValue(FAlphaBlendValue);
  sf->SetAlphaBlendAnimation(FAlphaBlendAnimation);
  sf->SetMenusAlphaBlend(FCtrlAlphaBlend);
  sf->SetMenusAlphaBlendValue(FCtrlAlphaBlendValue);
  sf->SetMenusAlphaBlendAnimation(FCtrlAlphaBlendAnimation);
  for (TbsSkinCustomComboBox* box : {static_cast<TbsSkinCustomComboBox*>(Form->FolderBox),
                                     static_cast<TbsSkinCustomComboBox*>(Form->FileTypeBox)}) {
    box->SetAlphaBlend(FCtrlAlphaBlend);
    box->SetAlphaBlendValue(FCtrlAlphaBlendValue);
    box->SetAlphaBlendAnimation(FCtrlAlphaBlendAnimation);
  }

  Form->OpenButton->SetDefaultFont(&FDefaultFont);
  Form->CancelButton->SetDefaultFont(&FDefaultFont);
  Form->FolderBox->SetDefaultFont(&FDefaultFont);
  Form->FileList->SetDefaultFont(&FDefaultFont);

  Form->SetViewStyle(FViewStyle);
  ShowFirstFolder(Form);
  TbsSkinFileListView* list = Form->FileList;
  list->SetMultiSelect(FMultiSelection);
  list->SetHeaderSkinDataName(FLVHeaderSkinDataName);
  list->SetSkinData(FCtrlSkinData);

  // From here on the list follows the chosen filter.
  TbsSkinFilterComboBox* types = Form->FileTypeBox;
  types->SetFilter(FFilter);
  const int count = types->Items()->Count();
  if (count > 0) types->SetItemIndex(std::clamp(FFilterIndex - 1, 0, count - 1));
  list->SetMask(types->Mask());

  Form->SetCtrlSkinData(FCtrlSkinData);

  int width = FDialogWidth > 0 ? FDialogWidth : 450;
  int height = FDialogHeight > 0 ? FDialogHeight : 290;
  if (FSkinData && !FSkinData->SkinEmpty) {
    width = std::max(width, sf->MinWidth());
    height = std::max(height, sf->MinHeight());
  }
  // The skin form keeps the client size through later skin changes.
  sf->SetClientWidth(width);
  sf->SetClientHeight(height);
  Form->SetClientWidth(width);
  Form->SetClientHeight(height);

  if (list->ItemCount() > 0) list->SetItemFocused(0);
  Form->FileNameEdit->SetText(ExtractFileName(FFileName));
}

void TbsSkinOpenDialog::ShowFirstFolder(TbsOpenDlgForm* Form) {
  // A folder that went away since (the last answer's, say) or that cannot be listed gives
  // way to the next choice, so the dialog always opens; the desktop is the last resort.
  std::vector<std::string> candidates;
  if (!FFileName.empty() && !ExtractFilePath(FFileName).empty())
    candidates.push_back(FolderText(ExtractFilePath(FFileName)));
  if (!FInitialDir.empty()) candidates.push_back(FolderText(FInitialDir));
  candidates.push_back(FolderText(ExtractFilePath(ApplicationExeName())));
  PItemIDList home = nullptr;
  std::string homePath;
  if (SHGetSpecialFolderLocation(CSIDL_PROFILE, home) == 0 && SHGetPathFromIDList(home, homePath))
    candidates.push_back(homePath);
  SHGetMalloc().Free(home);
  TbsSkinFileListView* list = Form->FileList;
  std::string failures;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const std::string& folder = candidates[i];
    if (std::find(candidates.begin(), candidates.begin() + long(i), folder) != candidates.begin() + long(i)) continue;
    int error = 0;
    try {
      list->SetRoot(folder);
      error = list->ReadError();
    } catch (const Exception&) {
      error = ENOENT;
    }
    if (error == 0) return;
    failures += Format("\"%s\": %s\n", folder.c_str(), SysErrorMessage(error).c_str());
  }
  list->SetRoot("rfDesktop");
  Application->MessageBox("No folder could be shown, so the desktop is shown instead.\n" + failures, FTitle,
                          MB_OK | MB_ICONWARNING);
}

void TbsSkinOpenDialog::Collect(TbsOpenDlgForm* Form, bool Chosen) {
  FFilterIndex = Form->FileTypeBox->ItemIndex() + 1;
  FDialogWidth = Form->ClientWidth();
  FDialogHeight = Form->ClientHeight();
  FViewStyle = Form->FileList->ViewStyle();
  if (!Chosen) return;
  FFileName = Form->ChosenPath();
  TStringList selected;
  Form->FileList->SelectedFiles(&selected);
  // A typed name that is not among the selected rows is the one file chosen.
  if (selected.IndexOf(FFileName) < 0) {
    selected.Clear();
    selected.Add(FFileName);
  }
  FFiles.Assign(&selected);
  if (OnChoose) OnChoose(this);
}
