// The file list over a temporary tree: rows, masks, entering and leaving folders by keys
// and double clicks, refresh, report columns, typed search, rename, failures; default
// and Slate looks.
#include <fstream>

#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/dialogs/SkinFileListView.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"
#include "tests/support/RealInput.h"
#include "tests/support/SlatePieces.h"

using namespace skincontrolstest;
using namespace dialogtest;

namespace {

class FileListViewTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    t.Dir("Music");
    t.Dir("Video");
    t.Dir("Video/Clips");
    t.File("Video/clip.mp4", "0123456789");
    t.File("a.txt", "hello");
    t.File("b.wav");
    t.File("c.txt");
    List = new TbsSkinFileListView(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 380, 220);
    VBar = new TbsSkinScrollBar(Form);
    VBar->SetParent(Form);
    VBar->SetKind(sbVertical);
    VBar->SetBounds(390, 10, 19, 220);
    HBar = new TbsSkinScrollBar(Form);
    HBar->SetParent(Form);
    HBar->SetBounds(10, 230, 380, 19);
    List->SetVScrollBar(VBar);
    List->SetHScrollBar(HBar);
    List->SetViewStyle(vsList);
    List->OnFolderChanged = [this](TObject*) { ++FolderChanges; };
    List->SetRoot(t.Root);
    FolderChanges = 0;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < List->ItemCount(); ++i) out.push_back(List->DisplayItem(i).Caption);
    return out;
  }
  int Row(const std::string& caption) const {
    for (int i = 0; i < List->ItemCount(); ++i)
      if (List->DisplayItem(i).Caption == caption) return i;
    return -1;
  }
  void Key(int vk, WPARAM keys = 0) {
    SimulateKey(List, (keys & MK_ALT) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keys);
    SimulateKey(List, (keys & MK_ALT) ? WM_SYSKEYUP : WM_KEYUP, vk, keys);
  }
  TTree t;
  TbsSkinFileListView* List = nullptr;
  TbsSkinScrollBar* VBar = nullptr;
  TbsSkinScrollBar* HBar = nullptr;
  int FolderChanges = 0;
};

TEST_F(FileListViewTest, RowsShowFoldersFirstWithIconsAndFollowTheMask) {
  EXPECT_EQ("rfDesktop", TbsSkinFileListView(nullptr).Root());
  EXPECT_EQ("*.*|*.*", List->Mask());
  EXPECT_EQ((std::vector<std::string>{"Music", "Video", "a.txt", "b.wav", "c.txt"}), Captions());
  const int folderIcon = List->DisplayItem(0).ImageIndex;
  EXPECT_GE(folderIcon, 0);
  EXPECT_NE(folderIcon, List->DisplayItem(2).ImageIndex);
  EXPECT_EQ(t.Root, List->CurrentFolderPath());
  List->SetMask("*.txt");
  EXPECT_EQ((std::vector<std::string>{"Music", "Video", "a.txt", "c.txt"}), Captions());
  List->SetMask("");
  EXPECT_EQ((std::vector<std::string>{"Music", "Video"}), Captions());
  // Root texts the shell cannot resolve raise and leave the list as it was.
  EXPECT_THROW(List->SetRoot(t.Path("missing")), EInvalidPath);
  EXPECT_EQ(t.Root, List->Root());
  EXPECT_THROW(List->SetPath(t.Path("missing")), EInvalidPath);
  EXPECT_EQ(t.Root, List->CurrentFolderPath());
}

TEST_F(FileListViewTest, KeysAndDoubleClicksEnterAndLeaveFolders) {
  int dblClicks = 0;
  std::string selectedAtDblClick = "?";
  List->OnDblClick = [&](TObject*) {
    ++dblClicks;
    selectedAtDblClick = List->SelectedFilePath();
  };
  List->SetFocus();
  List->SetItemIndex(Row("Video"));
  Key(VK_RETURN);
  EXPECT_EQ(t.Path("Video"), List->CurrentFolderPath());
  EXPECT_EQ((std::vector<std::string>{"Clips", "clip.mp4"}), Captions());
  EXPECT_EQ(1, FolderChanges);
  Key(VK_BACK);
  EXPECT_EQ(t.Root, List->CurrentFolderPath());
  EXPECT_EQ(2, FolderChanges);
  // A double click on a folder row enters it before the list's own event runs.
  const TRect r = List->ItemRect(Row("Video"));
  SimulateMouse(List, WM_LBUTTONDOWN, r.Left + 5, r.Top + 5, MK_LBUTTON);
  SimulateMouse(List, WM_LBUTTONUP, r.Left + 5, r.Top + 5);
  SimulateMouse(List, WM_LBUTTONDBLCLK, r.Left + 5, r.Top + 5, MK_LBUTTON);
  SimulateMouse(List, WM_LBUTTONUP, r.Left + 5, r.Top + 5);
  EXPECT_EQ(t.Path("Video"), List->CurrentFolderPath());
  EXPECT_EQ(1, dblClicks);
  EXPECT_EQ("", selectedAtDblClick);
  // Enter on a file does not navigate; the selected file's path is known.
  List->SetItemIndex(Row("clip.mp4"));
  Key(VK_RETURN);
  EXPECT_EQ(t.Path("Video"), List->CurrentFolderPath());
  EXPECT_EQ(t.Path("Video/clip.mp4"), List->SelectedFilePath());
  // Alt+Enter on a folder asks for its properties (which the desktop does not offer)
  // instead of entering it.
  List->SetItemIndex(Row("Clips"));
  Key(VK_RETURN, MK_ALT);
  EXPECT_EQ(t.Path("Video"), List->CurrentFolderPath());
  EXPECT_EQ(Row("Clips"), List->ItemIndex());
  // Up from the root of the name space stays there.
  List->SetRoot("rfDesktop");
  const int changes = FolderChanges;
  List->Back();
  EXPECT_EQ(changes, FolderChanges);
}

TEST_F(FileListViewTest, RefreshKeepsTheSelectedRowsByNameAndTheSameFolderIsNotReread) {
  int changes = 0;
  List->OnChange = [&](TObject*) { ++changes; };
  List->SetFocus();
  List->SetItemIndex(Row("c.txt"));  // the last row
  changes = 0;
  t.File("d.txt");
  t.Dir("0");  // sorts before every row
  unlink(t.Path("b.wav").c_str());
  Key(VK_F5);
  EXPECT_EQ((std::vector<std::string>{"0", "Music", "Video", "a.txt", "c.txt", "d.txt"}), Captions());
  EXPECT_EQ(Row("c.txt"), List->ItemIndex());
  // Several selected rows and the focused one too; a row gone is no longer selected. No
  // change is reported (the dialog's name field stays as it is).
  List->SetMultiSelect(true);
  for (const char* name : {"a.txt", "d.txt"}) {
    const TRect r = List->ItemRect(Row(name));
    SimulateMouse(List, WM_LBUTTONDOWN, r.Left + 8, r.Top + 5, MK_LBUTTON | MK_CONTROL);
    SimulateMouse(List, WM_LBUTTONUP, r.Left + 8, r.Top + 5, MK_CONTROL);
  }
  changes = 0;
  t.Dir("1");
  unlink(t.Path("c.txt").c_str());
  Key(VK_F5);
  std::vector<std::string> selected;
  for (int i = 0; i < List->ItemCount(); ++i)
    if (List->IsSelected(i)) selected.push_back(Captions()[size_t(i)]);
  EXPECT_EQ((std::vector<std::string>{"a.txt", "d.txt"}), selected);
  EXPECT_EQ(Row("d.txt"), List->ItemFocused());
  EXPECT_EQ(0, changes);
  // Going to the folder already shown: no new reading, no folder-changed call.
  t.File("e.txt");
  List->SetPath(t.Root);
  EXPECT_EQ(6, List->ItemCount());
  EXPECT_EQ(0, FolderChanges);
  // A folder that vanished while shown refreshes to an empty list.
  List->SetPath(t.Path("Music"));
  rmdir(t.Path("Music").c_str());
  Key(VK_F5);
  EXPECT_EQ(0, List->ItemCount());
  EXPECT_EQ("", List->SelectedFilePath());
}

TEST_F(FileListViewTest, AutoRefreshFollowsTheFolderAndStopsWhenOff) {
  EXPECT_FALSE(List->AutoRefresh());
  t.File("new1.txt");
  testsupport::Pump(200);
  EXPECT_EQ(5, List->ItemCount());
  List->SetAutoRefresh(true);
  t.File("new2.txt");
  EXPECT_TRUE(testsupport::WaitUntil([&] { return List->ItemCount() == 7; }, 3000));
  // It watches whatever folder the list goes to.
  List->SetPath(t.Path("Video"));
  t.File("Video/more.mp4");
  EXPECT_TRUE(testsupport::WaitUntil([&] { return List->ItemCount() == 3; }, 3000));
  List->SetAutoRefresh(false);
  t.File("Video/quiet.mp4");
  testsupport::Pump(300);
  EXPECT_EQ(3, List->ItemCount());
}

TEST_F(FileListViewTest, ReportColumnsAndDetails) {
  List->SetViewStyle(vsReport);
  ASSERT_EQ(4, List->ColumnCount());
  EXPECT_EQ("Name", List->Column(0).Caption);
  EXPECT_EQ("Size", List->Column(1).Caption);
  EXPECT_EQ("Type", List->Column(2).Caption);
  EXPECT_EQ("Modified", List->Column(3).Caption);
  EXPECT_EQ(taRightJustify, List->Column(1).Alignment);
  EXPECT_EQ(List->Column(0).Width * 10, List->Column(1).Width * 25);
  const TListItem a = List->DisplayItem(Row("a.txt"));
  ASSERT_EQ(3u, a.SubItems.size());
  EXPECT_EQ("5", a.SubItems[0]);
  EXPECT_EQ(".txt", a.SubItems[1]);
  // A virtual folder has names only; a row whose entry vanished keeps its name.
  unlink(t.Path("a.txt").c_str());
  EXPECT_EQ("a.txt", List->DisplayItem(Row("a.txt")).Caption);
  List->SetRoot("rfMyComputer");
  EXPECT_EQ(1, List->ColumnCount());
  SaveArtifact(Shot(Form), "file_list_report_computer");
}

TEST_F(FileListViewTest, TypedTextFindsRowsAndRenameReportsRefusal) {
  List->SetFocus();
  List->SetItemIndex(0);
  SimulateChar(List, 'c');
  EXPECT_EQ(Row("c.txt"), List->ItemIndex());
  SimulateChar(List, '.');
  EXPECT_EQ(Row("c.txt"), List->ItemIndex());
  // Rename through the shell; a taken name is refused with the shell's message.
  List->RenameItem(Row("b.wav"), "z.wav");
  EXPECT_TRUE(FileExists(t.Path("z.wav")));
  try {
    List->RenameItem(Row("a.txt"), "c.txt");
    ADD_FAILURE() << "renamed onto an existing file";
  } catch (const Exception& e) {
    EXPECT_EQ("Rename to c.txt failed", e.Message());
  }
  // Several selected rows give the files among them, folders left out.
  List->SetMultiSelect(true);
  for (int i = 0; i < List->ItemCount(); ++i) List->SetSelected(i, true);
  TStringList files;
  List->SelectedFiles(&files);
  ASSERT_EQ(3, files.Count());
  EXPECT_EQ(t.Path("a.txt"), files[0]);
}

TEST_F(FileListViewTest, TypedLettersFindNamesInEitherCaseInAnyScript) {
  t.File("École.txt");
  t.File("øre.wav");
  t.File("Жук.mp4");
  List->SetFocus();
  Key(VK_F5);
  List->SetItemIndex(0);
  const struct {
    std::u32string typed;
    const char* row;
  } cases[] = {{U"é", "École.txt"}, {U"ØR", "øre.wav"}, {U"жу", "Жук.mp4"}, {U"ÉCO", "École.txt"}};
  for (const auto& c : cases) {
    List->SetSearchTimeout(0);  // each case a new search
    testsupport::Pump(5);
    realinput::Type(c.typed.substr(0, 1));
    List->SetSearchTimeout(10000);
    realinput::Type(c.typed.substr(1));
    EXPECT_EQ(Row(c.row), List->ItemIndex()) << c.row;
  }
}

TEST_F(FileListViewTest, LooksDefaultAndSlate) {
  List->SetViewStyle(vsReport);
  List->SetItemIndex(Row("a.txt"));
  testsupport::Pump(20);
  const Pic plain = Shot(List);
  SaveArtifact(plain, "file_list_default");
  // The folder icon of the first row is drawn (not the list's background colour).
  int drawn = 0;
  const TRect r = List->ItemRect(0);
  for (int x = r.Left; x < r.Left + 20; ++x)
    for (int y = r.Top; y < r.Bottom; ++y) drawn += plain.Pixel(x, y) != clWindow;
  EXPECT_GT(drawn, 30);
  LoadSlate();
  List->SetSkinData(SkinData);
  VBar->SetSkinData(SkinData);
  HBar->SetSkinData(SkinData);
  testsupport::Pump(20);
  SaveArtifact(Shot(Form), "file_list_slate");
  // Slate: the list's background colour and the header sections drawn from the header
  // record's picture (their corners are the picture's).
  const Pic skinned = Shot(List);
  const TRect a = List->ItemArea();
  EXPECT_EQ(TColor(slatepieces::IniNumbers("listview", "bgcolor").at(0)), skinned.Pixel(a.Right - 3, a.Bottom - 3));
  const TBitmap& pic =
      *SkinData->PictureList.at(size_t(slatepieces::IniNumbers("resizebutton", "pictureindex").at(0)));
  for (int c : {0, 1}) {  // the sections the list shows whole
    TRect r = List->Header()->SectionRect(c);
    OffsetRect(r, List->Header()->Left(), List->Header()->Top());
    EXPECT_TRUE(slatepieces::CornersFromSkin(skinned, r, pic, "resizebutton")) << c;
  }
}

}  // namespace
