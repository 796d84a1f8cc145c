// Identifier list operations, shell folder objects and root resolution.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/Exceptions.h"
#include "skin/dialogs/ItemIdLists.h"
#include "skin/dialogs/ShellFolder.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

using namespace dialogtest;

namespace {

PItemIDList Parse(const std::string& path) {
  PItemIDList id = nullptr;
  EXPECT_EQ(0, SHGetDesktopFolder()->ParseDisplayName(path, id)) << path;
  return id;
}

std::string PathOf(PCItemIDList id) {
  return SHGetDesktopFolder()->GetDisplayNameOf(id, SHGDN_FORPARSING);
}

class ShellFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesktopShellFolder();
    SHGetDesktopFolder();
    live = SHGetMalloc().LiveBlocks();
    t.Dir("a");
    t.Dir("a/b");
    t.Dir("a/b/c");
    t.File("a/f.txt", "12345");
    t.Dir("a/Box.zip");
    t.Dir("C:");
  }
  void TearDown() override { EXPECT_EQ(live, SHGetMalloc().LiveBlocks()); }
  TTree t;
  long live = 0;
};

TEST_F(ShellFolderTest, IdListOperations) {
  TPIDLHolder abc(Parse(t.Path("a/b/c")));
  const int n = GetPIDLCount(abc.Get());
  ASSERT_GE(n, 4);  // computer, volume, ..., a, b, c
  // Size is the elements plus the terminator, and copies are equal.
  int sum = 2;
  for (PCItemIDList p = abc.Get(); p->mkid.cb; p = NextPIDL(p)) sum += p->mkid.cb;
  EXPECT_EQ(sum, GetPIDLSize(abc.Get()));
  TPIDLHolder copy(CopyPIDL(abc.Get()));
  EXPECT_EQ(0, std::memcmp(abc.Get(), copy.Get(), size_t(sum)));
  EXPECT_TRUE(SamePIDL(abc.Get(), copy.Get()));
  // Strip, last element alone, concatenate back.
  ASSERT_TRUE(StripLastID(copy.Get()));
  EXPECT_EQ(n - 1, GetPIDLCount(copy.Get()));
  EXPECT_EQ(t.Path("a/b"), PathOf(copy.Get()));
  TPIDLHolder last(RelativeFromAbsolute(abc.Get()));
  EXPECT_EQ(1, GetPIDLCount(last.Get()));
  TPIDLHolder joined(ConcatPIDLs(copy.Get(), last.Get()));
  EXPECT_TRUE(SamePIDL(abc.Get(), joined.Get()));
  EXPECT_FALSE(SamePIDL(abc.Get(), copy.Get()));
  // The empty list: one terminator; stripping it does nothing.
  TPIDLHolder empty(CreatePIDL(0));
  EXPECT_EQ(2, GetPIDLSize(empty.Get()));
  EXPECT_EQ(0, GetPIDLCount(empty.Get()));
  EXPECT_FALSE(StripLastID(empty.Get()));
  TPIDLHolder same(ConcatPIDLs(empty.Get(), abc.Get()));
  EXPECT_TRUE(SamePIDL(abc.Get(), same.Get()));
  EXPECT_EQ(0, GetPIDLSize(nullptr));
  // Ancestors, the root-most first, the list itself last.
  std::vector<PItemIDList> chain = CreatePIDLList(abc.Get());
  ASSERT_EQ(size_t(n), chain.size());
  for (int i = 0; i < n; ++i) EXPECT_EQ(i + 1, GetPIDLCount(chain[size_t(i)]));
  EXPECT_TRUE(SamePIDL(chain.back(), abc.Get()));
  EXPECT_EQ(t.Path("a"), PathOf(chain[size_t(n - 3)]));
  DestroyPIDLList(chain);
  EXPECT_TRUE(chain.empty());
}

TEST_F(ShellFolderTest, NamesFolderTestAndZipFolders) {
  auto a = CreateRootFolder(t.Path("a"));
  EXPECT_EQ("a", a->DisplayName());
  EXPECT_EQ(t.Path("a"), a->PathName());
  EXPECT_EQ(0, a->Level());
  EXPECT_TRUE(a->IsFolder());
  EXPECT_TRUE(a->SubFolders());
  EXPECT_TRUE(a->IsFileSystem());
  auto folder = a->BoundFolder();
  ASSERT_TRUE(folder);
  TPIDLHolder boxId, fileId;
  ASSERT_EQ(0, folder->ParseDisplayName("Box.zip", boxId.Ref()));
  ASSERT_EQ(0, folder->ParseDisplayName("f.txt", fileId.Ref()));
  TbsShellFolder box(a.get(), boxId.Get(), folder);
  TbsShellFolder file(a.get(), fileId.Get(), folder);
  EXPECT_EQ(1, box.Level());
  EXPECT_EQ(t.Path("a/Box.zip"), box.PathName());
  // A ".zip" folder is handled as a file.
  EXPECT_FALSE(box.IsFolder());
  EXPECT_FALSE(file.IsFolder());
  EXPECT_FALSE(file.BoundFolder());
  EXPECT_TRUE(file.Capabilities().Contains(TShellFolderCapability::fcCanRename));
  EXPECT_NE(file.ImageIndex(false), a->ImageIndex(false));
  // The computer is virtual: its name stands in for its path.
  auto computer = CreateRootFolder("rfMyComputer");
  EXPECT_EQ("Computer", computer->PathName());
  EXPECT_FALSE(computer->IsFileSystem());
  EXPECT_TRUE(computer->IsFolder());
}

TEST_F(ShellFolderTest, RootTextsResolveOrRaise) {
  // A text ending in ':' is a folder path with its separator.
  auto drive = CreateRootFolder(t.Path("C:"));
  EXPECT_EQ(t.Path("C:"), drive->PathName());
  EXPECT_EQ("C:", drive->DisplayName());
  auto desktop = CreateRootFolder("rfDesktop");
  EXPECT_EQ(0, GetPIDLCount(desktop->AbsoluteID()));
  EXPECT_EQ("Desktop", desktop->DisplayName());
  EXPECT_TRUE(CreateRootFolder("RFMYCOMPUTER"));
  for (const std::string bad : {std::string(""), t.Path("missing"), std::string("rfPrinters")}) {
    try {
      CreateRootFolder(bad);
      ADD_FAILURE() << "no exception for " << bad;
    } catch (const EInvalidPath& e) {
      EXPECT_EQ("Error setting path: \"" + bad + "\"", e.Message());
    }
  }
}

TEST_F(ShellFolderTest, RenameUpdatesIdentifiersOrRaises) {
  t.File("a/taken.txt");
  auto a = CreateRootFolder(t.Path("a"));
  auto folder = a->BoundFolder();
  TPIDLHolder id;
  ASSERT_EQ(0, folder->ParseDisplayName("f.txt", id.Ref()));
  TbsShellFolder file(a.get(), id.Get(), folder);
  file.Rename("g.txt");
  EXPECT_EQ("g.txt", file.DisplayName());
  EXPECT_EQ(t.Path("a/g.txt"), file.PathName());
  try {
    file.Rename("taken.txt");
    ADD_FAILURE() << "renamed over an existing file";
  } catch (const Exception& e) {
    EXPECT_EQ("Rename to taken.txt failed", e.Message());
  }
  EXPECT_EQ(t.Path("a/g.txt"), file.PathName());
  // An object made from an absolute identifier renames through its own folder.
  auto b = CreateRootFolder(t.Path("a/b"));
  b->Rename("b2");
  EXPECT_EQ(t.Path("a/b2"), b->PathName());
  EXPECT_EQ("b2", b->DisplayName());
}

TEST_F(ShellFolderTest, ColumnDetailsComeAfterLoadingThem) {
  auto a = CreateRootFolder(t.Path("a"));
  auto folder = a->BoundFolder();
  TPIDLHolder id;
  ASSERT_EQ(0, folder->ParseDisplayName("f.txt", id.Ref()));
  TbsShellFolder file(a.get(), id.Get(), folder);
  try {
    file.Details(1);
    ADD_FAILURE() << "details before loading";
  } catch (const Exception& e) {
    EXPECT_EQ("f.txt: Missing call to LoadColumnDetails", e.Message());
  }
  file.LoadColumnDetails(4);
  EXPECT_EQ("f.txt", file.Details(0));
  EXPECT_EQ("5", file.Details(1));
  EXPECT_EQ(".txt", file.Details(2));
  EXPECT_EQ(16u, file.Details(3).size());  // "YYYY-MM-DD HH:MM"
  EXPECT_EQ("", file.Details(9));
  // The entry vanished: the list hears why.
  unlink(t.Path("a/f.txt").c_str());
  try {
    file.LoadColumnDetails(4);
    ADD_FAILURE() << "details of a vanished file";
  } catch (const Exception& e) {
    EXPECT_EQ("Unable to retrieve folder details for \"" + t.Path("a/f.txt") + "\". Error code $2",
              e.Message());
  }
}

}  // namespace
