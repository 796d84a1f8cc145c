// The open dialog's window: its controls, built in code, and their skin data.
#include "skin/dialogs/OpenDlgForm.h"

#include "framework/graphics/Bitmap.h"
#include "framework/menus/MenuItem.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/SkinFilterComboBox.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupMenu.h"

namespace {
// Right-aligned controls line up by their right edges: later ones further right.
constexpr int kRightBase = 10000;

template <class T>
T* Child(TWinControl* Parent, TComponent* Owner) {
  auto* c = new T(Owner);
  c->SetParent(Parent);
  return c;
}
}  // namespace

TbsOpenDlgForm::TbsOpenDlgForm(TComponent* AOwner, TbsSkinData* CtrlSkinData)
    : TForm(AOwner), FCtrlSkinData(CtrlSkinData) {
  SetKeyPreview(true);
  SetPosition(poScreenCenter);
  SkinForm = new TbsSkinForm(this);
  SkinForm->SetBorderIcons({});
  BuildToolBar();
  BuildCenter();
  BuildBottom();
  BuildViewMenu();
  SetActiveControl(FileNameEdit);
}

TbsOpenDlgForm::~TbsOpenDlgForm() {
  // The list's hooks point here; the controls go with the form's components.
  if (FileList) {
    FileList->OnFolderChanged = nullptr;
    FileList->OnChange = nullptr;
  }
  if (FileTypeBox) FileTypeBox->OnChange = nullptr;
}

std::string TbsOpenDlgForm::ResText(TbsSkinData* Data, const char* Key, const char* BuiltIn) {
  if (Data && Data->ResourceStrData()) {
    std::string text = Data->ResourceStrData()->GetResString(Key);
    if (!text.empty()) return text;
  }
  return BuiltIn;
}

TbsSkinStdLabel* TbsOpenDlgForm::Label(TWinControl* Parent, const char* Key, const char* BuiltIn) {
  auto* l = Child<TbsSkinStdLabel>(Parent, this);
  l->SetAutoSize(true);
  l->SetCaption(ResText(FCtrlSkinData, Key, BuiltIn));
  return l;
}

TbsSkinSpeedButton* TbsOpenDlgForm::ToolButton(const char* Glyph, const char* HintKey, const char* Hint,
                                               int Order) {
  auto* b = Child<TbsSkinSpeedButton>(ToolBar, this);
  b->SetBounds(kRightBase + Order * 100, 0, 27, 25);
  b->SetAlign(alRight);
  b->SetSkinDataName("toolbutton");
  TBitmap glyph;
  glyph.LoadFromResourceName(Glyph);
  b->SetGlyph(&glyph);
  b->SetNumGlyphs(1);
  b->SetHint(ResText(FCtrlSkinData, HintKey, Hint));
  b->SetShowHint(true);
  return b;
}

void TbsOpenDlgForm::BuildToolBar() {
  ToolBar = Child<TbsSkinToolBar>(this, this);
  ToolBar->SetAlign(alTop);
  ToolBar->SetHeight(25);
  ToolBar->SetBorderStyle(bvNone);

  LeftSpacer = Child<TbsSkinBevel>(ToolBar, this);
  LeftSpacer->SetBounds(0, 0, 10, 25);
  LeftSpacer->SetShape(bsSpacer);
  LeftSpacer->SetAlign(alLeft);

  LookInLabel = Label(ToolBar, "FLV_LOOKIN", "Look in: ");
  LookInLabel->SetLeft(10);
  LookInLabel->SetLayout(tlCenter);
  LookInLabel->SetAlign(alLeft);

  BackButton = ToolButton("BS_BACK", "MSG_BTN_BACK_HINT", "Go To Last Folder Visited", 0);
  BackButton->OnClick = [this](TObject*) { GoBack(); };
  UpButton = ToolButton("BS_UP", "MSG_BTN_UP_HINT", "Up One Level", 1);
  UpButton->OnClick = [this](TObject*) { GoUp(); };
  NewFolderButton = ToolButton("BS_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", "Create New Folder", 2);
  NewFolderButton->OnClick = [this](TObject*) { NewFolder(); };

  RightSpacer = Child<TbsSkinBevel>(ToolBar, this);
  RightSpacer->SetBounds(kRightBase + 300, 0, 10, 25);
  RightSpacer->SetShape(bsSpacer);
  RightSpacer->SetAlign(alRight);

  ViewButton = Child<TbsSkinMenuSpeedButton>(ToolBar, this);
  ViewButton->SetBounds(kRightBase + 400, 0, 37, 25);
  ViewButton->SetAlign(alRight);
  ViewButton->SetSkinDataName("toolmenubutton");
  TBitmap glyph;
  glyph.LoadFromResourceName("BS_LVSTYLE");
  ViewButton->SetGlyph(&glyph);
  ViewButton->SetNumGlyphs(1);
  ViewButton->SetHint(ResText(FCtrlSkinData, "MSG_BTN_VIEWMENU_HINT", "View Menu"));
  ViewButton->SetShowHint(true);

  FolderBox = Child<TbsSkinShellComboBox>(ToolBar, this);
  FolderBox->SetBounds(100, 2, 190, 21);
  FolderBox->SetDropDownCount(10);
  FolderBox->SetAlign(alClient);
}

void TbsOpenDlgForm::BuildCenter() {
  BottomPanel = Child<TbsSkinPanel>(this, this);
  BottomPanel->SetHeight(80);
  BottomPanel->SetAlign(alBottom);
  BottomPanel->SetBorderStyle(bvNone);

  CenterPanel = Child<TbsSkinPanel>(this, this);
  CenterPanel->SetBorderStyle(bvFrame);
  CenterPanel->SetAlign(alClient);

  HScrollBar = Child<TbsSkinScrollBar>(CenterPanel, this);
  HScrollBar->SetHeight(19);
  HScrollBar->SetBothMarkerWidth(19);
  HScrollBar->SetEnabled(false);
  HScrollBar->SetAlign(alBottom);

  VScrollBar = Child<TbsSkinScrollBar>(CenterPanel, this);
  VScrollBar->SetKind(sbVertical);
  VScrollBar->SetSkinDataName("vscrollbar");
  VScrollBar->SetDefaultHeight(0);
  VScrollBar->SetDefaultWidth(19);
  VScrollBar->SetWidth(19);
  VScrollBar->SetBothMarkerWidth(19);
  VScrollBar->SetEnabled(false);
  VScrollBar->SetAlign(alRight);

  FileList = Child<TbsSkinFileListView>(CenterPanel, this);
  FileList->SetAlign(alClient);
  FileList->SetViewStyle(vsList);
  FileList->SetShowColumnHeaders(true);
  FileList->SetHideSelection(false);
  FileList->SetAutoContextMenus(false);
  FileList->SetHScrollBar(HScrollBar);
  FileList->SetVScrollBar(VScrollBar);
  FolderBox->SetShellListView(FileList);
  FileList->OnFolderChanged = [this](TObject*) { FolderChanged(); };
  FileList->OnChange = [this](TObject*) { ListChanged(); };
  FileList->OnKeyPress = [this](TObject*, char32_t& Key) { ListKeyPress(Key); };
  FileList->OnDblClick = [this](TObject*) { ListDblClick(); };
}

void TbsOpenDlgForm::BuildBottom() {
  FileNameEdit = Child<TbsSkinEdit>(BottomPanel, this);
  FileNameEdit->SetBounds(70, 10, 280, 21);
  FileNameEdit->OnKeyDown = [this](TObject*, Word& Key, TShiftState) { EditKeyDown(Key); };

  FileTypeBox = Child<TbsSkinFilterComboBox>(BottomPanel, this);
  FileTypeBox->SetBounds(70, 45, 280, 21);
  FileTypeBox->OnChange = [this](TObject*) { FileTypeChanged(); };

  OpenButton = Child<TbsSkinButton>(BottomPanel, this);
  OpenButton->SetBounds(370, 10, 70, 25);
  OpenButton->SetCaption(ResText(FCtrlSkinData, "MSG_BTN_OPEN", "&Open"));
  OpenButton->SetCanFocused(true);
  OpenButton->OnClick = [this](TObject*) { AcceptAction(); };

  CancelButton = Child<TbsSkinButton>(BottomPanel, this);
  CancelButton->SetBounds(370, 45, 70, 25);
  CancelButton->SetCaption(ResText(FCtrlSkinData, "MSG_BTN_CANCEL", "Cancel"));
  CancelButton->SetCanFocused(true);
  CancelButton->SetModalResult(mrCancel);
  CancelButton->SetCancel(true);

  FileNameLabel = Label(BottomPanel, "MSG_FILENAME", "File name:");
  FileNameLabel->SetLeft(10);
  FileNameLabel->SetTop(10);
  FileTypeLabel = Label(BottomPanel, "MSG_FILETYPE", "File type:");
  FileTypeLabel->SetLeft(10);
  FileTypeLabel->SetTop(45);
}

void TbsOpenDlgForm::BuildViewMenu() {
  ViewMenu = new TbsSkinPopupMenu(this);
  const char* keys[4] = {"MSG_LV_ICON", "MSG_LV_SMALLICON", "MSG_LV_LIST", "MSG_LV_DETAILS"};
  const char* texts[4] = {"Large icons", "Small icons", "List", "Details"};
  for (int i = 0; i < 4; ++i) {
    auto* item = new TMenuItem(ViewMenu);
    item->SetCaption(ResText(FCtrlSkinData, keys[i], texts[i]));
    item->SetRadioItem(true);
    const TViewStyle style = ViewStyles[i];
    item->OnClick = [this, style](TObject*) { SetViewStyle(style); };
    ViewMenu->Items()->Add(item);
    ViewItems[i] = item;
  }
  ViewButton->SetSkinPopupMenu(ViewMenu);
}

void TbsOpenDlgForm::SetCtrlSkinData(TbsSkinData* Value) {
  FCtrlSkinData = Value;
  BottomPanel->SetSkinData(Value);
  CenterPanel->SetSkinData(Value);
  ToolBar->SetSkinData(Value);
  for (TbsSkinStdLabel* l : {LookInLabel, FileNameLabel, FileTypeLabel}) l->SetSkinData(Value);
  for (TbsSkinSpeedButton* b : {BackButton, UpButton, NewFolderButton}) b->SetSkinData(Value);
  ViewButton->SetSkinData(Value);
  LeftSpacer->SetSkinData(Value);
  RightSpacer->SetSkinData(Value);
  HScrollBar->SetSkinData(Value);
  VScrollBar->SetSkinData(Value);
  FileNameEdit->SetSkinData(Value);
  FolderBox->SetSkinData(Value);
  FileTypeBox->SetSkinData(Value);
  OpenButton->SetSkinData(Value);
  CancelButton->SetSkinData(Value);
  ViewMenu->SetSkinData(Value);
  FolderBox->SetSkinDataName(Value && Value->FindControlIndex("toolcombobox") >= 0 ? "toolcombobox" : "combobox");
  FolderBox->ApplySkinChange();
}
