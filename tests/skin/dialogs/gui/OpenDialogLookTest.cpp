// The skinned open dialog's two looks (screenshots in the test artefacts), its texts from
// the resource strings and the records its controls take from a skin.
#include "framework/core/SysUtils.h"
#include "framework/menus/MenuItem.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/ResourceStrData.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "skin/form/SkinForm.h"
#include "tests/skin/dialogs/gui/OpenDialogFixture.h"

using namespace opendialogtest;

namespace {

class OpenDialogLookTest : public OpenDialogFixture {
 protected:
  // The shown window as the screen has it, frame included.
  Pic Capture(TbsOpenDlgForm* f, const std::string& name) {
    f->SkinForm->SetAlwaysDrawAsActive(true);
    f->Perform(WM_NCPAINT, 0, 0);
    testsupport::Pump(30);
    Pic p;
    PaintTo(f, p.B.get());
    SaveArtifact(*p.B, name);
    return p;
  }
};

TEST_F(OpenDialogLookTest, DefaultLookWithTheBuiltInTexts) {
  Pic shot;
  std::vector<std::string> texts, hints;
  bool skinFrame = true;
  int listRecord = 0;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    shot = Capture(f, "open_dialog_default");
    skinFrame = f->SkinForm->SkinFrame();
    listRecord = f->FileList->SkinIndex();
    texts = {f->LookInLabel->Caption(), f->FileNameLabel->Caption(), f->FileTypeLabel->Caption(),
             f->OpenButton->Caption(), f->CancelButton->Caption()};
    for (TControl* b : std::initializer_list<TControl*>{f->BackButton, f->UpButton, f->NewFolderButton, f->ViewButton})
      hints.push_back(b->Hint());
    for (TMenuItem* i : f->ViewItems) texts.push_back(i->Caption());
    Click(f->CancelButton);
  }}));
  EXPECT_FALSE(skinFrame);
  EXPECT_EQ(-1, listRecord);
  EXPECT_EQ((std::vector<std::string>{"Look in: ", "File name:", "File type:", "&Open", "Cancel", "Large icons",
                                      "Small icons", "List", "Details"}),
            texts);
  EXPECT_EQ((std::vector<std::string>{"Go To Last Folder Visited", "Up One Level", "Create New Folder", "View Menu"}),
            hints);
  // The default frame around a 450 x 290 client area; the list's white field in it.
  EXPECT_GT(shot.Width(), 450);
  EXPECT_GT(shot.Height(), 290);
  EXPECT_EQ(clWhite, ColorToRGB(shot.Pixel(shot.Width() / 2, shot.Height() / 2)));
}

// The folder box keeps the desktop as its root wherever the dialog opens: going above the
// first folder, or typing another one, it names the folder shown and offers the desktop's
// top-level items.
TEST_F(OpenDialogLookTest, AboveTheFirstFolderTheFolderBoxNamesTheShownFolder) {
  Dialog->SetInitialDir(t.Path("A"));
  std::vector<std::string> named;
  int home = -1, computer = -1;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
                      named.push_back(f->FolderBox->Text());
                      Click(f->UpButton);
                      named.push_back(f->FolderBox->Text());
                      Capture(f, "open_dialog_above_first_folder");
                      home = f->FolderBox->Items()->IndexOf("Home");
                      computer = f->FolderBox->Items()->IndexOf("Computer");
                      Type(f, t.Path("Music/sub"));
                      EditKey(f, VK_RETURN);
                      named.push_back(f->FolderBox->Text());
                      Click(f->UpButton);
                      named.push_back(f->FolderBox->Text());
                    },
                    [&](TbsOpenDlgForm* f) { Click(f->CancelButton); }}));
  EXPECT_EQ((std::vector<std::string>{"A", ExtractFileName(t.Root), "sub", "Music"}), named);
  EXPECT_GT(home, 0);
  EXPECT_GT(computer, home);
}

TEST_F(OpenDialogLookTest, SlateLookAndTextsFromTheResourceStrings) {
  LoadSlate();
  SetResourceTexts({"MSG_BTN_OPEN=Ö&ffnen", "MSG_BTN_CANCEL=Abbrechen", "FLV_LOOKIN=Suchen in: ",
                    "MSG_LV_DETAILS=Details anzeigen", "MSG_NEWFOLDER=Neuer Ordner"});
  Dialog->SetSkinData(SkinData);
  Dialog->SetCtrlSkinData(SkinData);
  Pic shot;
  std::vector<std::string> texts;
  bool skinFrame = false;
  std::string folderBoxRecord;
  int openRecord = -1;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    shot = Capture(f, "open_dialog_slate");
    skinFrame = f->SkinForm->SkinFrame();
    folderBoxRecord = f->FolderBox->SkinDataName();
    openRecord = f->OpenButton->SkinIndex();
    texts = {f->LookInLabel->Caption(), f->FileNameLabel->Caption(), f->OpenButton->Caption(),
             f->CancelButton->Caption(), f->ViewItems[3]->Caption()};
    Click(f->NewFolderButton);
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_TRUE(skinFrame);
  EXPECT_GE(openRecord, 0);
  EXPECT_EQ(SkinData->FindControlIndex("toolcombobox") >= 0 ? "toolcombobox" : "combobox", folderBoxRecord);
  EXPECT_EQ((std::vector<std::string>{"Suchen in: ", "File name:", "Ö&ffnen", "Abbrechen", "Details anzeigen"}), texts);
  EXPECT_TRUE(DirectoryExists(t.Path("Neuer Ordner")));
  EXPECT_EQ(450, Dialog->DialogWidth());
  EXPECT_EQ(290, Dialog->DialogHeight());
  EXPECT_GT(shot.Width(), 450);

  // The skin data going away leaves the dialog without it.
  SkinData->SetResourceStrData(nullptr);
  delete SkinData;
  SkinData = nullptr;
  EXPECT_EQ(nullptr, Dialog->SkinData());
  EXPECT_EQ(nullptr, Dialog->CtrlSkinData());
}

}  // namespace
