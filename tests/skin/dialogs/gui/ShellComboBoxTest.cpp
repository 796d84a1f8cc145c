// The folder box over a temporary home and mount table: its items, the chain to the
// list's folder, the user's choice sending the list there, the box's root passed to the list, and
// the drop-down's indented icons in the default and Slate looks.
#include <fstream>

#include "framework/core/Exceptions.h"
#include "platform/shell/MountTable.h"
#include "skin/dialogs/PopupListBox.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

using namespace skincontrolstest;
using namespace dialogtest;

namespace {

class ShellComboBoxTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    t.Dir(".config");
    t.Dir("Desk");
    t.Dir("Desk/Work");
    t.Dir("vol");
    t.Dir("vol/x");
    t.Dir("vol/x/y");
    t.File("vol/x/y/song.wav");
    std::ofstream(t.Path(".config/user-dirs.dirs")) << "XDG_DESKTOP_DIR=\"$HOME/Desk\"\n";
    std::ofstream(t.Path("mounts")) << "/dev/vda / ext4 rw 0 0\n/dev/vdb " << t.Path("vol")
                                    << " ext4 rw 0 0\n";
    SetMountTablePath(t.Path("mounts"));
    Box = Make<TbsSkinShellComboBox>(10, 10, 260, 22);
    List = Make<TbsSkinFileListView>(10, 40, 300, 200);
    List->SetViewStyle(vsList);
  }
  void TearDown() override {
    SkinControlsFixture::TearDown();
    SetMountTablePath("");
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < Box->ItemsEx().Count(); ++i)
      out.push_back(std::string(size_t(Box->ItemsEx().Items(i).Indent) * 2, ' ') +
                    (*Box->Items())[i]);
    return out;
  }
  TTree t;
  TScopedHome home{t.Root};
  TbsSkinShellComboBox* Box = nullptr;
  TbsSkinFileListView* List = nullptr;
};

TEST_F(ShellComboBoxTest, TheDesktopBoxListsTopLevelItemsAndFollowsTheList) {
  EXPECT_EQ("rfDesktop", Box->Root());
  EXPECT_EQ((std::vector<std::string>{"Desktop", "  Home", "  Computer", "    /",
                                      "    " + t.Path("vol"), "  Work"}),
            Lines());
  EXPECT_EQ(0, Box->ItemIndex());
  EXPECT_EQ("Desktop", Box->Text());
  Box->SetShellListView(List);
  EXPECT_EQ(Box, List->ShellComboBox());
  EXPECT_EQ("rfDesktop", List->Root());
  List->SetPath(t.Path("vol/x/y"));
  EXPECT_EQ((std::vector<std::string>{"Desktop", "  Home", "  Computer", "    /",
                                      "    " + t.Path("vol"), "      x", "        y", "  Work"}),
            Lines());
  EXPECT_EQ(6, Box->ItemIndex());
  EXPECT_EQ("y", Box->Text());
  // The user steps up one item: the list goes there and the chain shortens.
  Box->SetFocus();
  SimulateKey(Box, WM_KEYDOWN, VK_UP);
  SimulateKey(Box, WM_KEYUP, VK_UP);
  EXPECT_EQ(t.Path("vol/x"), List->CurrentFolderPath());
  EXPECT_EQ("x", Box->Text());
  EXPECT_EQ(7, Box->Items()->Count());
  // A jump to a top-level item.
  Box->SetItemIndex(1);
  EXPECT_EQ(t.Root, List->CurrentFolderPath());
  EXPECT_EQ("Home", Box->Text());
}

TEST_F(ShellComboBoxTest, TheBoxsRootGoesToTheListNotBackAndBadRootsAreRefused) {
  Box->SetShellListView(List);
  // The list's own root leaves the box at the desktop, naming the list's folder.
  List->SetRoot(t.Path("vol/x"));
  EXPECT_EQ("rfDesktop", Box->Root());
  EXPECT_EQ("x", Box->Text());
  Box->SetRoot(t.Path("vol"));
  EXPECT_EQ(t.Path("vol"), List->Root());
  EXPECT_EQ((std::vector<std::string>{t.Path("vol"), "  x"}), Lines());
  // Outside the root's chain the box stays at its first item.
  List->SetPath(t.Path("Desk/Work"));
  EXPECT_EQ(0, Box->ItemIndex());
  EXPECT_THROW(Box->SetRoot(t.Path("nothing")), EInvalidPath);
  EXPECT_EQ(t.Path("vol"), Box->Root());
  EXPECT_EQ(2, Box->Items()->Count());
  Box->SetRoot("rfMyComputer");
  EXPECT_EQ("rfMyComputer", List->Root());
  EXPECT_EQ("Computer", List->CurrentFolderPath());
  // Either side going away unlinks the other.
  delete List;
  List = nullptr;
  EXPECT_EQ(nullptr, Box->ShellListView());
}

TEST_F(ShellComboBoxTest, DropDownShowsIndentedIcons) {
  Box->SetShellListView(List);
  List->SetPath(t.Path("vol/x/y"));
  Box->DropDown();
  testsupport::Pump(20);
  ASSERT_TRUE(Box->DroppedDown());
  Pic list = Shot(Box->ListBox());
  SaveArtifact(list, "shell_combo_default");
  // Icons start half an icon further right per level (rows 0, 1 and 5; row 6 is selected).
  auto firstInk = [&](int row) {
    const int h = Box->ListBox()->RowHeight();
    const TRect rows = Box->ListBox()->RowsRect();
    // The row's own background, taken at its right end.
    const TColor back = list.Pixel(rows.Right - 3, rows.Top + row * h + h / 2);
    for (int x = rows.Left; x < rows.Right; ++x)
      for (int y = rows.Top + row * h; y < rows.Top + (row + 1) * h; ++y)
        if (list.Pixel(x, y) != back) return x;
    return -1;
  };
  EXPECT_GE(firstInk(0), 0);
  EXPECT_EQ(firstInk(0) + 8, firstInk(1));
  EXPECT_EQ(firstInk(0) + 24, firstInk(5));  // "x", three levels in
  Box->CloseUp(false);
  LoadSlate();
  Box->SetSkinData(SkinData);
  Box->DropDown();
  testsupport::Pump(20);
  SaveArtifact(Shot(Box->ListBox()), "shell_combo_slate");
  SaveArtifact(Shot(Form), "shell_combo_slate_form");
  Box->CloseUp(false);
}

}  // namespace
