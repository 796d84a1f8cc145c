// The folder box's items: root, top-level items, volumes, and the chain to a folder.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/core/Exceptions.h"
#include "platform/shell/MountTable.h"
#include "skin/dialogs/ItemIdLists.h"
#include "skin/dialogs/ShellFolderChain.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

using namespace dialogtest;

namespace {

// Caption and indent of every item, "  " per level.
std::vector<std::string> Lines(const TbsShellFolderChain& chain) {
  std::vector<std::string> out;
  for (int i = 0; i < chain.Items().Count(); ++i)
    out.push_back(std::string(size_t(chain.Items().Items(i).Indent) * 2, ' ') +
                  chain.Items().Items(i).Caption);
  return out;
}

class ShellFolderChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.Dir(".config");
    t.Dir("Desk");
    t.Dir("Desk/Work");
    t.File("Desk/todo.txt");
    t.Dir("vol");
    t.Dir("vol/x");
    t.Dir("vol/x/y");
    std::ofstream(t.Path(".config/user-dirs.dirs")) << "XDG_DESKTOP_DIR=\"$HOME/Desk\"\n";
    std::ofstream(t.Path("mounts")) << "/dev/vda / ext4 rw 0 0\n/dev/vdb " << t.Path("vol")
                                    << " ext4 rw 0 0\n";
    SetMountTablePath(t.Path("mounts"));
  }
  void TearDown() override { SetMountTablePath(""); }
  TTree t;
  TScopedHome home{t.Root};
};

TEST_F(ShellFolderChainTest, DesktopRootListsTopLevelItemsAndTheVolumes) {
  TbsShellFolderChain chain;
  chain.Build();
  EXPECT_EQ((std::vector<std::string>{"Desktop", "  Home", "  Computer", "    /",
                                      "    " + t.Path("vol"), "  Work"}),
            Lines(chain));
  EXPECT_EQ(0, chain.ItemIndex());
  // Items carry icons, folders own their identifiers.
  EXPECT_GE(chain.Items().Items(1).ImageIndex, 0);
  EXPECT_NE(chain.Items().Items(1).ImageIndex, chain.Items().Items(2).ImageIndex);
  EXPECT_EQ(t.Path("Desk/Work"), chain.Items().Items(5).Folder->PathName());
}

TEST_F(ShellFolderChainTest, ShowingAFolderInsertsItsChainUnderTheNearestListedAncestor) {
  SHGetDesktopFolder();  // made once per program: not counted
  const long live = SHGetMalloc().LiveBlocks();
  {
    TbsShellFolderChain chain;
    TPIDLHolder y;
    ASSERT_EQ(0, SHGetDesktopFolder()->ParseDisplayName(t.Path("vol/x/y"), y.Ref()));
    EXPECT_TRUE(chain.ShowFolder(y.Get()));
    EXPECT_EQ((std::vector<std::string>{"Desktop", "  Home", "  Computer", "    /",
                                        "    " + t.Path("vol"), "      x", "        y", "  Work"}),
              Lines(chain));
    EXPECT_EQ(6, chain.ItemIndex());
    EXPECT_EQ(t.Path("vol/x/y"), chain.Items().Items(6).Folder->PathName());
    // Showing a listed folder selects it and adds nothing; showing again rebuilds.
    TPIDLHolder work;
    ASSERT_EQ(0, SHGetDesktopFolder()->ParseDisplayName(t.Path("Desk/Work"), work.Ref()));
    PItemIDList desk = nullptr;
    ASSERT_EQ(0, SHGetDesktopFolder()->ParseDisplayName("Work", desk));
    TPIDLHolder deskHolder(desk);
    EXPECT_TRUE(chain.ShowFolder(desk));
    EXPECT_EQ(6, chain.Items().Count());
    EXPECT_EQ(5, chain.ItemIndex());
  }
  EXPECT_EQ(live, SHGetMalloc().LiveBlocks());
}

TEST_F(ShellFolderChainTest, AFolderOutsideTheRootLeavesTheFirstItem) {
  TbsShellFolderChain chain;
  chain.SetRoot(t.Path("vol/x"));
  EXPECT_EQ((std::vector<std::string>{"x", "  y"}), Lines(chain));
  TPIDLHolder other;
  ASSERT_EQ(0, SHGetDesktopFolder()->ParseDisplayName(t.Path("Desk"), other.Ref()));
  EXPECT_FALSE(chain.ShowFolder(other.Get()));
  EXPECT_EQ(0, chain.ItemIndex());
  EXPECT_EQ(2, chain.Items().Count());
  // A root below the computer: no volumes are added under it.
  chain.SetRoot("rfMyComputer");
  EXPECT_EQ((std::vector<std::string>{"Computer", "  /", "  " + t.Path("vol")}), Lines(chain));
  EXPECT_THROW(chain.SetRoot(t.Path("nothing")), EInvalidPath);
  EXPECT_EQ(0, chain.Items().Count());
  EXPECT_EQ(-1, chain.ItemIndex());
}

}  // namespace
