// The file list's rows: masks, folders first, the add hook, typed search, failures.
#include <gtest/gtest.h>

#include "skin/dialogs/ShellFolderRows.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

using namespace dialogtest;

namespace {

std::vector<std::string> Captions(const TbsShellFolderRows& rows) {
  std::vector<std::string> out;
  for (int i = 0; i < rows.Count(); ++i) out.push_back(rows.Rows(i)->DisplayName());
  return out;
}

class ShellFolderRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.Dir("zeta");
    t.Dir("Alpha");
    t.Dir("Pack.zip");
    t.File("b.mp4");
    t.File("A.TXT");
    t.File("c.txt");
    t.File("Makefile");
    t.File(".hidden.txt");
    root = CreateRootFolder(t.Root);
  }
  TTree t;
  std::unique_ptr<TbsShellFolder> root;
  TbsShellFolderRows rows;
  const TShellObjectTypes both{otFolders, otNonFolders};
};

TEST_F(ShellFolderRowsTest, AllFilesFoldersFirstAndZipFoldersAsFiles) {
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.*", true));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "zeta", "A.TXT", "b.mp4", "c.txt", "Makefile",
                                      "Pack.zip"}),
            Captions(rows));
  EXPECT_TRUE(rows.IsFolder(0));
  EXPECT_FALSE(rows.IsFolder(6));
  EXPECT_EQ(root.get(), rows.Rows(0)->Parent());
  EXPECT_EQ(1, rows.Rows(0)->Level());
}

TEST_F(ShellFolderRowsTest, MasksAndObjectTypesChooseTheRows) {
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.txt;*.mp4", true));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "zeta", "A.TXT", "b.mp4", "c.txt"}), Captions(rows));
  // An empty mask shows folders only.
  ASSERT_EQ(0, rows.Fill(root.get(), both, "", true));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "zeta"}), Captions(rows));
  ASSERT_EQ(0, rows.Fill(root.get(), {otNonFolders, otHidden}, "*.txt", true));
  EXPECT_EQ((std::vector<std::string>{".hidden.txt", "A.TXT", "c.txt"}), Captions(rows));
  // The add hook turns decisions either way.
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.txt", true, [](TObject*, TbsShellFolder* f, bool& add) {
    add = f->DisplayName() == "Makefile" || f->DisplayName() == "zeta";
  }));
  EXPECT_EQ((std::vector<std::string>{"zeta", "Makefile"}), Captions(rows));
  // Unsorted rows keep the shell's enumeration order but hold the same items.
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.*", false));
  EXPECT_EQ(7, rows.Count());
}

TEST_F(ShellFolderRowsTest, TypedSearchStartsAtARowAndWraps) {
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.*", true));
  EXPECT_EQ(2, rows.FindCaption("a.", 0, false));
  EXPECT_EQ(0, rows.FindCaption("AL", 0, false));
  EXPECT_EQ(2, rows.FindCaption("a", 1, false));
  EXPECT_EQ(-1, rows.FindCaption("alp", 3, false));
  EXPECT_EQ(0, rows.FindCaption("alp", 3, true));
  EXPECT_EQ(-1, rows.FindCaption("nothing", 0, true));
}

TEST_F(ShellFolderRowsTest, AFolderThatCannotBeReadGivesNoRows) {
  ASSERT_EQ(0, rows.Fill(root.get(), both, "*.*", true));
  auto gone = CreateRootFolder(t.Path("zeta"));
  rmdir(t.Path("zeta").c_str());
  EXPECT_EQ(ENOENT, rows.Fill(gone.get(), both, "*.*", true));
  EXPECT_EQ(0, rows.Count());
  EXPECT_EQ(ENOTDIR, rows.Fill(nullptr, both, "*.*", true));
}

}  // namespace
