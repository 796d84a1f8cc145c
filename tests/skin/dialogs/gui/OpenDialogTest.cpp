// The skinned open dialog shown modally over a temporary tree and answered with the
// mouse and keys: its size, the folder history, typed names, filters, cancel, the list's
// double click and Enter, a new folder.
#include <fstream>

#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMenuItem.h"
#include "skin/form/SkinPopupWindow.h"
#include "framework/menus/MenuItem.h"
#include "tests/skin/dialogs/gui/OpenDialogFixture.h"

using namespace opendialogtest;

namespace {

class OpenDialogTest : public OpenDialogFixture {
 protected:
  // Drags the window's bottom-right corner by (dx, dy) with the mouse.
  static void DragCorner(TbsOpenDlgForm* f, int dx, int dy) {
    const TPoint corner = Point(f->Left() + f->Width() - 2, f->Top() + f->Height() - 2);
    SimulateMouseAt(corner, WM_MOUSEMOVE, 0);
    SimulateMouseAt(corner, WM_LBUTTONDOWN, MK_LBUTTON);
    SimulateMouseAt(Point(corner.X + dx, corner.Y + dy), WM_MOUSEMOVE, MK_LBUTTON);
    SimulateMouseAt(Point(corner.X + dx, corner.Y + dy), WM_LBUTTONUP, 0);
  }
};

TEST_F(OpenDialogTest, FirstShowing450x290AndAResizedWindowReopensAtItsSize) {
  EXPECT_EQ(0, Dialog->DialogWidth());
  TSize first{}, resized{}, second{};
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
                      first = TSize{f->ClientWidth(), f->ClientHeight()};
                      EXPECT_EQ("Open file", f->Caption());
                      EXPECT_EQ(t.Root, Folder(f));
                      DragCorner(f, 90, 60);
                      resized = TSize{f->ClientWidth(), f->ClientHeight()};
                    },
                    [&](TbsOpenDlgForm* f) { Click(f->CancelButton); }}));
  EXPECT_FALSE(Stuck);
  EXPECT_EQ(450, first.cx);
  EXPECT_EQ(290, first.cy);
  EXPECT_EQ(540, resized.cx);
  EXPECT_EQ(350, resized.cy);
  EXPECT_EQ(540, Dialog->DialogWidth());
  EXPECT_EQ(350, Dialog->DialogHeight());
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    second = TSize{f->ClientWidth(), f->ClientHeight()};
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_EQ(540, second.cx);
  EXPECT_EQ(350, second.cy);
}

TEST_F(OpenDialogTest, BackGoesThroughTheVisitedFoldersAndThenDoesNothing) {
  Dialog->SetInitialDir(t.Path("A"));
  std::vector<TObject*> senders;
  Dialog->OnFolderChange = [&](TObject* s) { senders.push_back(s); };
  std::vector<std::string> seen;
  TbsOpenDlgForm* window = nullptr;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
                      window = f;
                      DoubleClickRow(f, "B");
                      DoubleClickRow(f, "C");
                      seen.push_back(Folder(f));
                    },
                    [&](TbsOpenDlgForm* f) {
                      Click(f->BackButton);
                      seen.push_back(Folder(f));
                      Click(f->BackButton);
                      seen.push_back(Folder(f));
                      Click(f->BackButton);
                      seen.push_back(Folder(f));
                      // Up still works from there, and is recorded.
                      Click(f->UpButton);
                      seen.push_back(Folder(f));
                    },
                    [&](TbsOpenDlgForm* f) { EditKey(f, VK_ESCAPE); }}));
  EXPECT_EQ((std::vector<std::string>{t.Path("A/B/C"), t.Path("A/B"), t.Path("A"), t.Path("A"), t.Root}), seen);
  ASSERT_FALSE(senders.empty());
  for (TObject* s : senders) EXPECT_EQ(window, s);
}

TEST_F(OpenDialogTest, CheckFileExistsRefusesAMissingNameAndTakesAnExistingOne) {
  Dialog->SetFileName("previous.txt");
  bool openAfterMissing = false;
  std::string folderAfterDir;
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
                     EXPECT_EQ("previous.txt", f->FileNameEdit->Text());
                     Type(f, "missing.txt");
                     EditKey(f, VK_RETURN);
                   },
                   [&](TbsOpenDlgForm* f) {
                     openAfterMissing = f->Showing() && f->ModalResult() == mrNone;
                     // The open button refuses it as well.
                     Click(f->OpenButton);
                   },
                   [&](TbsOpenDlgForm* f) {
                     // A folder name enters the folder.
                     Type(f, "Music");
                     EditKey(f, VK_RETURN);
                     folderAfterDir = Folder(f);
                     Type(f, t.Path("a.txt"));
                     Click(f->OpenButton);
                   }}));
  EXPECT_TRUE(openAfterMissing);
  EXPECT_EQ(t.Path("Music"), folderAfterDir);
  EXPECT_EQ(t.Path("a.txt"), Dialog->FileName());
  ASSERT_EQ(1, Dialog->Files()->Count());
  EXPECT_EQ(t.Path("a.txt"), Dialog->Files()->Strings(0));

  // Without the check a missing name is the answer, inside the shown folder.
  Dialog->SetCheckFileExists(false);
  Dialog->SetFileName("");
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    Type(f, "new.txt");
    EditKey(f, VK_RETURN);
  }}));
  EXPECT_EQ(t.Path("new.txt"), Dialog->FileName());
}

TEST_F(OpenDialogTest, AFileNameWithAFolderOpensThereAndATypedPathPicksItsFile) {
  Dialog->SetFileName(t.Path("Music/sub/song.txt"));
  Dialog->SetInitialDir(t.Path("A"));
  std::string firstFolder, editText;
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    firstFolder = Folder(f);
    editText = f->FileNameEdit->Text();
    Type(f, t.Path("A"));
    EditKey(f, VK_RETURN);
    EXPECT_EQ(t.Path("A"), Folder(f));
    EXPECT_EQ("", f->FileNameEdit->Text());
    // A relative name with a folder part: the list goes there and the file is the answer.
    Type(f, "../Music/sub/song.txt");
    EditKey(f, VK_RETURN);
    EXPECT_EQ(t.Path("Music/sub"), Folder(f));
    EXPECT_EQ(mrOk, f->ModalResult());
  }}));
  EXPECT_EQ(t.Path("Music/sub"), firstFolder);
  EXPECT_EQ("song.txt", editText);
  EXPECT_EQ(t.Path("Music/sub/song.txt"), Dialog->FileName());

  // A folder that has gone since gives way to InitialDir.
  Dialog->SetFileName(t.Path("Gone/x.txt"));
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    firstFolder = Folder(f);
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_EQ(t.Path("A"), firstFolder);
  EXPECT_EQ(t.Path("Gone/x.txt"), Dialog->FileName());
}

TEST_F(OpenDialogTest, AllFilesGivesOneEntryAndAMaskListFiltersTheList) {
  std::vector<std::string> entries, rows;
  std::string mask;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    entries = f->FileTypeBox->Items()->ToVector();
    mask = f->FileList->Mask();
    EXPECT_EQ(0, f->FileTypeBox->ItemIndex());
    // A typed pattern becomes the list's mask.
    Type(f, "*.wav");
    EditKey(f, VK_RETURN);
    for (int i = 0; i < f->FileList->ItemCount(); ++i) rows.push_back(f->FileList->DisplayItem(i).Caption);
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_EQ((std::vector<std::string>{"All files"}), entries);
  EXPECT_EQ("*.*", mask);
  EXPECT_EQ((std::vector<std::string>{"A", "Music", "b.wav"}), rows);
  EXPECT_EQ(1, Dialog->FilterIndex());
}

TEST_F(OpenDialogTest, CancelKeepsTheFileNameButTheFilterSizeAndViewStyleCarryOver) {
  Dialog->SetFilter("Text files|*.txt|Sound|*.wav;*.mp3|All files|*.*");
  Dialog->SetFilterIndex(1);
  Dialog->SetFileName(t.Path("a.txt"));
  std::vector<std::string> rows;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
                      EXPECT_EQ(vsList, f->FileList->ViewStyle());
                      EXPECT_TRUE(f->ViewItems[2]->Checked());
                      EXPECT_EQ("*.txt", f->FileList->Mask());
                      KeyPress(f->FileTypeBox, VK_DOWN);
                      for (int i = 0; i < f->FileList->ItemCount(); ++i)
                        rows.push_back(f->FileList->DisplayItem(i).Caption);
                      DragCorner(f, 30, 20);
                      // The view button drops down its menu; "Details" is clicked there.
                      Click(f->ViewButton);
                      TbsSkinMenu* menu = f->SkinForm->SkinMenu();
                      ASSERT_TRUE(menu && menu->MenuOpen());
                      TbsSkinPopupWindow* w = menu->Windows(0);
                      ASSERT_EQ(4, w->ItemCount());
                      const TRect r = w->Items(3)->ItemRect;
                      const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
                      SimulateMouse(w, WM_MOUSEMOVE, x, y, 0);
                      SimulateMouse(w, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
                      SimulateMouse(w, WM_LBUTTONUP, x, y, 0);
                    },
                    [&](TbsOpenDlgForm* f) {
                      EXPECT_FALSE(f->SkinForm->SkinMenu()->MenuOpen());
                      EXPECT_EQ(vsReport, f->FileList->ViewStyle());
                      EXPECT_TRUE(f->ViewItems[3]->Checked());
                      EXPECT_FALSE(f->ViewItems[2]->Checked());
                    },
                    [&](TbsOpenDlgForm* f) {
                      // A selected file is put into the edit; cancel still keeps FileName.
                      f->FileList->SetItemIndex(Row(f, "b.wav"));
                      EXPECT_EQ("b.wav", f->FileNameEdit->Text());
                      Click(f->CancelButton);
                    }}));
  EXPECT_EQ((std::vector<std::string>{"A", "Music", "b.wav"}), rows);
  EXPECT_EQ(t.Path("a.txt"), Dialog->FileName());
  EXPECT_EQ(0, Dialog->Files()->Count());
  EXPECT_EQ(2, Dialog->FilterIndex());
  EXPECT_EQ(vsReport, Dialog->ViewStyle());
  EXPECT_EQ(480, Dialog->DialogWidth());
  EXPECT_EQ(310, Dialog->DialogHeight());

  int reopenedIndex = -1;
  TViewStyle reopenedStyle = vsIcon;
  bool detailsChecked = false, listChecked = true;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    reopenedIndex = f->FileTypeBox->ItemIndex();
    reopenedStyle = f->FileList->ViewStyle();
    detailsChecked = f->ViewItems[3]->Checked();
    listChecked = f->ViewItems[2]->Checked();
    Click(f->CancelButton);
  }}));
  EXPECT_EQ(1, reopenedIndex);
  EXPECT_EQ(vsReport, reopenedStyle);
  EXPECT_TRUE(detailsChecked);
  EXPECT_FALSE(listChecked);
}

TEST_F(OpenDialogTest, TypingANameAndEnterChoosesIt) {
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    Type(f, "b.wav");
    EditKey(f, VK_RETURN);
  }}));
  EXPECT_EQ(t.Path("b.wav"), Dialog->FileName());
  // The typed file is selected in the list, so Files agrees.
  ASSERT_EQ(1, Dialog->Files()->Count());
  EXPECT_EQ(t.Path("b.wav"), Dialog->Files()->Strings(0));
}

TEST_F(OpenDialogTest, TheListsDoubleClickEntersFoldersAndChoosesAFileAsDoesEnter) {
  std::string inside;
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    DoubleClickRow(f, "Music");
    DoubleClickRow(f, "sub");
    inside = Folder(f);
    DoubleClickRow(f, "song.txt");
  }}));
  EXPECT_EQ(t.Path("Music/sub"), inside);
  EXPECT_EQ(t.Path("Music/sub/song.txt"), Dialog->FileName());

  Dialog->SetFileName("");
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    f->FileList->SetFocus();
    f->FileList->SetItemIndex(Row(f, "b.wav"));
    SimulateChar(f->FileList, U'\r');
  }}));
  EXPECT_EQ(t.Path("b.wav"), Dialog->FileName());
}

TEST_F(OpenDialogTest, NewFolderMakesOneFolderByTheResourceName) {
  std::vector<std::string> rows;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    Click(f->NewFolderButton);
    Click(f->NewFolderButton);  // already there: nothing, no numbered variant
    for (int i = 0; i < f->FileList->ItemCount(); ++i) rows.push_back(f->FileList->DisplayItem(i).Caption);
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_TRUE(DirectoryExists(t.Path("New Folder")));
  EXPECT_EQ((std::vector<std::string>{"A", "Music", "New Folder", "a.txt", "b.wav"}), rows);
}

TEST_F(OpenDialogTest, ANewFolderKeepsTheSelectedFileWhichOpenThenReturns) {
  std::string selectedAfter;
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    const TRect r = f->FileList->ItemRect(Row(f, "b.wav"));
    SimulateMouse(f->FileList, WM_LBUTTONDOWN, r.Left + 8, r.Top + 5, MK_LBUTTON);
    SimulateMouse(f->FileList, WM_LBUTTONUP, r.Left + 8, r.Top + 5, 0);
    Click(f->NewFolderButton);  // a row now sorts before b.wav
    selectedAfter = f->FileList->DisplayItem(f->FileList->ItemIndex()).Caption;
    Click(f->OpenButton);
  }}));
  EXPECT_EQ("b.wav", selectedAfter);
  EXPECT_EQ(t.Path("b.wav"), Dialog->FileName());
}

// Label editing in the list renames the file; while a label is edited, Enter and Escape
// end the edit and reach neither Open nor Cancel. Keys go where the keyboard focus is.
TEST_F(OpenDialogTest, EditingARowsLabelRenamesTheFileAndKeepsEnterAndEscape) {
  std::vector<std::string> boxes;
  Application->SetMessageBoxHook([&](const std::string& text, const std::string&, unsigned) {
    boxes.push_back(text);
    return 1;
  });
  auto open = [](TbsOpenDlgForm* f) { return f->Showing() && f->ModalResult() == mrNone; };
  auto rowClick = [](TbsOpenDlgForm* f, const std::string& caption) {
    const TRect r = f->FileList->ItemRect(Row(f, caption));
    SimulateMouse(f->FileList, WM_LBUTTONDOWN, r.Left + 30, r.Top + 5, MK_LBUTTON);
    SimulateMouse(f->FileList, WM_LBUTTONUP, r.Left + 30, r.Top + 5, 0);
  };
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) { rowClick(f, "a.txt"); },
                    [&](TbsOpenDlgForm* f) {
                      FocusKey(Qt::Key_F2);
                      FocusType("x.txt");
                      FocusKey(Qt::Key_Escape, "\x1b");  // cancels the edit only
                      EXPECT_TRUE(open(f));
                      EXPECT_TRUE(FileExists(t.Path("a.txt")));
                      FocusKey(Qt::Key_F2);
                      FocusType("z.txt");
                      FocusKey(Qt::Key_Return, "\r");
                      EXPECT_TRUE(open(f));
                      EXPECT_TRUE(FileExists(t.Path("z.txt")));
                      EXPECT_FALSE(FileExists(t.Path("a.txt")));
                      EXPECT_EQ("z.txt", f->FileNameEdit->Text());
                      // A name taken already is refused; both files stay.
                      FocusKey(Qt::Key_F2);
                      FocusType("b.wav");
                      FocusKey(Qt::Key_Return, "\r");
                      EXPECT_TRUE(open(f));
                      // A second click on the selected row, too slow for a double click.
                      rowClick(f, "z.txt");
                    },
                    Pause(int(GetDoubleClickTime()) + 150),
                    [&](TbsOpenDlgForm* f) {
                      FocusType("y.txt");
                      Click(f->FileNameEdit->Field());  // leaving the edit commits it
                      EXPECT_TRUE(FileExists(t.Path("y.txt")));
                      EXPECT_TRUE(open(f));
                      EditKey(f, VK_ESCAPE);
                    }}));
  Application->SetMessageBoxHook({});
  EXPECT_EQ((std::vector<std::string>{"Rename to b.wav failed"}), boxes);
  EXPECT_FALSE(FileExists(t.Path("z.txt")));
  std::ifstream in(t.Path("y.txt"));
  EXPECT_EQ("hello", std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_TRUE(FileExists(t.Path("b.wav")));
}

TEST_F(OpenDialogTest, ANewFolderThatCannotBeMadeIsReportedAndTheDialogStaysOpen) {
  t.File("New Folder");  // the name is taken by a file
  std::vector<std::string> boxes;
  Application->SetMessageBoxHook([&](const std::string& text, const std::string&, unsigned) {
    boxes.push_back(text);
    return 1;
  });
  bool open = false;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) { Click(f->NewFolderButton); },
                    [&](TbsOpenDlgForm* f) {
                      open = f->Showing() && f->ModalResult() == mrNone;
                      EditKey(f, VK_ESCAPE);
                    }}));
  Application->SetMessageBoxHook({});
  EXPECT_TRUE(open);
  EXPECT_EQ(1u, boxes.size());
  EXPECT_FALSE(DirectoryExists(t.Path("New Folder")));
}


TEST_F(OpenDialogTest, MultiSelectionGivesEveryChosenFileAndNoFolderOrNameOpensBesideTheProgram) {
  Dialog->SetMultiSelection(true);
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    // a.txt clicked, b.wav added with Ctrl held, the Music folder too.
    for (const char* name : {"a.txt", "b.wav", "Music"}) {
      const TRect r = f->FileList->ItemRect(Row(f, name));
      const WPARAM keys = std::string(name) == "a.txt" ? 0 : MK_CONTROL;
      SimulateMouse(f->FileList, WM_LBUTTONDOWN, r.Left + 8, (r.Top + r.Bottom) / 2, MK_LBUTTON | keys);
      SimulateMouse(f->FileList, WM_LBUTTONUP, r.Left + 8, (r.Top + r.Bottom) / 2, keys);
    }
    Click(f->OpenButton);
  }}));
  EXPECT_EQ((std::vector<std::string>{t.Path("a.txt"), t.Path("b.wav")}), Dialog->Files()->ToVector());
  EXPECT_NE(-1, Dialog->Files()->IndexOf(Dialog->FileName()));

  Dialog->SetFileName("");
  Dialog->SetInitialDir("");
  std::string first;
  EXPECT_FALSE(Run({[&](TbsOpenDlgForm* f) {
    first = Folder(f);
    EditKey(f, VK_ESCAPE);
  }}));
  EXPECT_EQ(ExcludeTrailingPathDelimiter(ExtractFilePath(ApplicationExeName())), first);
}

}  // namespace
