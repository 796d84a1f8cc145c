// The shell name space over a temporary tree: names, parsing, attributes, links.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/shell/Shell.h"
#include "tests/platform/shell/unit/ShellTestTree.h"

using namespace shelltest;

namespace {

class ShellNamespace : public ::testing::Test {
 protected:
  void SetUp() override {
    SHGetDesktopFolder();  // made once per program: not counted
    live = SHGetMalloc().LiveBlocks();
    t.Dir("docs");
    t.Dir("docs/inner");
    t.File("a.txt", "hello");
    t.File(".hidden");
    t.Link("docs", "lnk");
    t.Link("nowhere", "dangling");
    t.Link("loop2", "loop1");
    t.Link("loop1", "loop2");
    t.Dir("Pack.ZIP");
    t.File("clip.mp4");
  }
  // Every identifier list the shell handed out was given back.
  void TearDown() override { EXPECT_EQ(live, SHGetMalloc().LiveBlocks()); }
  TTree t;
  long live = 0;
};

TEST_F(ShellNamespace, EnumerationHonoursFoldersNonFoldersAndHidden) {
  auto folder = FolderOf(t.Root);
  ASSERT_TRUE(folder);
  std::vector<std::string> names;
  for (const TChild& c : Children(*folder, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS)) names.push_back(c.Name);
  EXPECT_EQ((std::vector<std::string>{"Pack.ZIP", "a.txt", "clip.mp4", "dangling", "docs", "lnk",
                                      "loop1", "loop2"}),
            names);
  names.clear();
  for (const TChild& c : Children(*folder, SHCONTF_FOLDERS)) names.push_back(c.Name);
  EXPECT_EQ((std::vector<std::string>{"Pack.ZIP", "docs", "lnk"}), names);
  EXPECT_TRUE(Find(Children(*folder, kAll), ".hidden"));
  EXPECT_FALSE(Find(Children(*folder, SHCONTF_NONFOLDERS), "docs"));
}

TEST_F(ShellNamespace, AttributesOfFoldersFilesLinksAndZipFolders) {
  auto folder = FolderOf(t.Root);
  ASSERT_TRUE(folder);
  const auto kids = Children(*folder, kAll);
  auto attr = [&](const char* n) {
    const TChild* c = Find(kids, n);
    EXPECT_TRUE(c) << n;
    return c ? c->Attributes : 0u;
  };
  EXPECT_TRUE(attr("docs") & SFGAO_FOLDER);
  EXPECT_TRUE(attr("docs") & SFGAO_FILESYSTEM);
  EXPECT_TRUE(attr("docs") & SFGAO_HASSUBFOLDER);
  EXPECT_FALSE(attr("docs") & SFGAO_LINK);
  EXPECT_TRUE(attr("docs") & SFGAO_CANRENAME);
  EXPECT_FALSE(attr("a.txt") & SFGAO_FOLDER);
  EXPECT_FALSE(attr("a.txt") & SFGAO_HIDDEN);
  EXPECT_TRUE(attr(".hidden") & SFGAO_HIDDEN);
  // A link to a folder is a folder; a dangling link and a loop are plain links.
  EXPECT_EQ(SFGAO_FOLDER | SFGAO_LINK, attr("lnk") & (SFGAO_FOLDER | SFGAO_LINK));
  EXPECT_EQ(SFGAO_LINK, attr("dangling") & (SFGAO_FOLDER | SFGAO_LINK));
  EXPECT_EQ(SFGAO_LINK, attr("loop1") & (SFGAO_FOLDER | SFGAO_LINK));
  // A ".zip" folder is marked as a stream, whatever the case of its extension.
  EXPECT_EQ(SFGAO_FOLDER | SFGAO_STREAM, attr("Pack.ZIP") & (SFGAO_FOLDER | SFGAO_STREAM));
  EXPECT_FALSE(attr("docs") & SFGAO_STREAM);
  // Slow attributes are only answered when asked for.
  const auto quick = Children(*folder, kAll, SFGAO_FOLDER);
  EXPECT_FALSE(Find(quick, "docs")->Attributes & SFGAO_HASSUBFOLDER);
  // An empty folder has no sub-folders.
  auto docs = FolderOf(t.Path("docs"));
  EXPECT_FALSE(Find(Children(*docs, kAll), "inner")->Attributes & SFGAO_HASSUBFOLDER);
}

TEST_F(ShellNamespace, ParsingNamesRoundTripThroughTheDesktop) {
  auto desktop = SHGetDesktopFolder();
  TPidl abs;
  ASSERT_EQ(0, desktop->ParseDisplayName(t.Path("docs/inner"), abs.P));
  EXPECT_EQ(t.Path("docs/inner"), desktop->GetDisplayNameOf(abs.P, SHGDN_FORPARSING));
  std::string path;
  ASSERT_TRUE(SHGetPathFromIDList(abs.P, path));
  EXPECT_EQ(t.Path("docs/inner"), path);
  // "." , ".." and doubled separators are resolved by text, a trailing separator ignored.
  TPidl same;
  ASSERT_EQ(0, desktop->ParseDisplayName(t.Root + "//docs/./x/../inner/", same.P));
  EXPECT_EQ(0, desktop->CompareIDs(0, abs.P, same.P));
  TPidl other;
  ASSERT_EQ(0, desktop->ParseDisplayName(t.Path("docs"), other.P));
  EXPECT_NE(0, desktop->CompareIDs(0, abs.P, other.P));
  // A child's in-folder name and its parsing name relative to its folder.
  auto docs = FolderOf(t.Path("docs"));
  TPidl rel;
  ASSERT_EQ(0, docs->ParseDisplayName("inner", rel.P));
  EXPECT_EQ("inner", docs->GetDisplayNameOf(rel.P, SHGDN_INFOLDER));
  EXPECT_EQ("inner", docs->GetDisplayNameOf(rel.P, SHGDN_INFOLDER | SHGDN_FORPARSING));
  EXPECT_EQ(t.Path("docs/inner"), docs->GetDisplayNameOf(rel.P, SHGDN_FORPARSING));
  // Paths that do not exist fail with the file system's reason.
  TPidl none;
  EXPECT_EQ(ENOENT, desktop->ParseDisplayName(t.Path("missing/x"), none.P));
  EXPECT_EQ(nullptr, none.P);
  EXPECT_EQ(ENOTDIR, desktop->ParseDisplayName(t.Path("a.txt/x"), none.P));
  EXPECT_EQ(EINVAL, desktop->ParseDisplayName("", none.P));
  EXPECT_EQ(EINVAL, docs->ParseDisplayName("../a.txt", none.P));
}

TEST_F(ShellNamespace, LinksAreFollowedAndBrokenOnesCannotBeEntered) {
  auto root = FolderOf(t.Root);
  TPidl lnk, dangling, loop;
  ASSERT_EQ(0, root->ParseDisplayName("lnk", lnk.P));
  ASSERT_EQ(0, root->ParseDisplayName("dangling", dangling.P));
  ASSERT_EQ(0, root->ParseDisplayName("loop1", loop.P));
  std::shared_ptr<IShellFolder> viaLink;
  ASSERT_EQ(0, root->BindToObject(lnk.P, viaLink));
  ASSERT_TRUE(viaLink);
  EXPECT_TRUE(Find(Children(*viaLink, kAll), "inner"));
  std::shared_ptr<IShellFolder> bad;
  EXPECT_EQ(ENOTDIR, root->BindToObject(dangling.P, bad));
  EXPECT_EQ(ENOTDIR, root->BindToObject(loop.P, bad));
  EXPECT_FALSE(bad);
}

TEST_F(ShellNamespace, NamesThatAreNotUtf8AreKeptAsTheirBytes) {
  const std::string name = "caf\xE9 \xFF.txt";
  t.File(name, "bytes");
  auto root = FolderOf(t.Root);
  const auto kids = Children(*root, kAll);
  ASSERT_TRUE(Find(kids, name));
  // The parsing name opens the very file.
  TPidl rel;
  ASSERT_EQ(0, root->ParseDisplayName(name, rel.P));
  const std::string path = root->GetDisplayNameOf(rel.P, SHGDN_FORPARSING);
  EXPECT_EQ(t.Path(name), path);
  const int fd = open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  char buf[8] = {};
  EXPECT_EQ(5, read(fd, buf, sizeof buf));
  close(fd);
  EXPECT_STREQ("bytes", buf);
}

TEST_F(ShellNamespace, RenameNeverReplacesAnExistingItem) {
  t.File("b.txt", "keep me");
  auto root = FolderOf(t.Root);
  TPidl a;
  ASSERT_EQ(0, root->ParseDisplayName("a.txt", a.P));
  TPidl renamed;
  EXPECT_EQ(EEXIST, root->SetNameOf(a.P, "b.txt", renamed.P));
  EXPECT_EQ(nullptr, renamed.P);
  EXPECT_EQ(EINVAL, root->SetNameOf(a.P, "", renamed.P));
  EXPECT_EQ(EINVAL, root->SetNameOf(a.P, "x/y", renamed.P));
  EXPECT_EQ(EINVAL, root->SetNameOf(a.P, "..", renamed.P));
  EXPECT_EQ(EINVAL, root->SetNameOf(a.P, std::string(256, 'n'), renamed.P));
  EXPECT_TRUE(Find(Children(*root, kAll), "a.txt"));
  ASSERT_EQ(0, root->SetNameOf(a.P, ".c.txt", renamed.P));
  EXPECT_EQ(".c.txt", root->GetDisplayNameOf(renamed.P, SHGDN_INFOLDER));
  EXPECT_TRUE(root->GetAttributesOf(renamed.P, 0) & SFGAO_HIDDEN);
  const auto kids = Children(*root, kAll);
  EXPECT_FALSE(Find(kids, "a.txt"));
  EXPECT_TRUE(Find(kids, ".c.txt"));
  // The other file kept its content.
  const int fd = open(t.Path("b.txt").c_str(), O_RDONLY);
  char buf[16] = {};
  EXPECT_EQ(7, read(fd, buf, sizeof buf));
  close(fd);
  EXPECT_STREQ("keep me", buf);
}

TEST_F(ShellNamespace, NewFolderIsMadeOnceAndReportsATakenName) {
  EXPECT_EQ(0, SHCreateDirectory(t.Path("New Folder")));
  EXPECT_EQ(EEXIST, SHCreateDirectory(t.Path("New Folder")));
  EXPECT_EQ(ENOENT, SHCreateDirectory(t.Path("no/such")));
  auto root = FolderOf(t.Root);
  EXPECT_TRUE(Find(Children(*root, SHCONTF_FOLDERS), "New Folder"));
}

TEST_F(ShellNamespace, FileDetailsComeFromTheDirectoryEntry) {
  TShellFileDetails d;
  ASSERT_EQ(0, SHGetFileDetails(t.Path("a.txt"), d));
  EXPECT_EQ(5, d.Size);
  EXPECT_FALSE(d.Directory);
  EXPECT_GT(d.ModifiedSeconds, 1600000000);
  ASSERT_EQ(0, SHGetFileDetails(t.Path("lnk"), d));
  EXPECT_TRUE(d.Directory);
  // A dangling link still has an entry of its own.
  EXPECT_EQ(0, SHGetFileDetails(t.Path("dangling"), d));
  EXPECT_EQ(ENOENT, SHGetFileDetails(t.Path("missing"), d));
}

TEST_F(ShellNamespace, AFolderThatVanishesWhileShownGivesErrorsNotCrashes) {
  t.Dir("gone");
  t.File("gone/f");
  auto gone = FolderOf(t.Path("gone"));
  ASSERT_TRUE(gone);
  TPidl f;
  ASSERT_EQ(0, gone->ParseDisplayName("f", f.P));
  ASSERT_EQ(0, std::system(("rm -rf '" + t.Path("gone") + "'").c_str()));
  int err = 0;
  EXPECT_TRUE(Children(*gone, kAll, 0xFFFFFFFF, &err).empty());
  EXPECT_EQ(ENOENT, err);
  // The identifier still names the item; its attributes lose what needs the disk.
  EXPECT_EQ("f", gone->GetDisplayNameOf(f.P, SHGDN_INFOLDER));
  EXPECT_FALSE(gone->GetAttributesOf(f.P, 0xFFFFFFFF) & SFGAO_CANRENAME);
  TPidl renamed;
  EXPECT_EQ(ENOENT, gone->SetNameOf(f.P, "g", renamed.P));
  EXPECT_FALSE(FolderOf(t.Path("gone"), &err));
  EXPECT_EQ(ENOENT, err);
}

TEST_F(ShellNamespace, VeryLongNamesAndPathsBeyondTheLimit) {
  const std::string longName(255, 'L');
  t.File(longName);
  auto root = FolderOf(t.Root);
  EXPECT_TRUE(Find(Children(*root, kAll), longName));
  TPidl rel;
  ASSERT_EQ(0, root->ParseDisplayName(longName, rel.P));
  // A chain of folders deeper than the path limit: made with relative calls.
  int fd = open(t.Root.c_str(), O_RDONLY | O_DIRECTORY);
  std::string deep = t.Root;
  const std::string part(200, 'd');
  for (int i = 0; i < 22; ++i) {
    ASSERT_EQ(0, mkdirat(fd, part.c_str(), 0755));
    const int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
    deep += "/" + part;
  }
  close(fd);
  ASSERT_GT(deep.size(), 4096u);
  TPidl tooLong;
  EXPECT_EQ(ENAMETOOLONG, SHGetDesktopFolder()->ParseDisplayName(deep, tooLong.P));
  EXPECT_EQ(nullptr, tooLong.P);
  // Walking down folder by folder reaches the limit with an error, not a crash.
  std::shared_ptr<IShellFolder> folder = FolderOf(t.Root);
  int err = 0;
  for (int i = 0; i < 22 && folder; ++i) {
    TPidl child;
    err = folder->ParseDisplayName(part, child.P);
    if (err != 0) break;
    std::shared_ptr<IShellFolder> next;
    err = folder->BindToObject(child.P, next);
    if (err != 0) break;
    folder = next;
    Children(*folder, kAll, 0xFFFFFFFF, &err);
    if (err != 0) break;
  }
  EXPECT_EQ(ENAMETOOLONG, err);
}

TEST_F(ShellNamespace, TenThousandFilesAreAllListed) {
  t.Dir("many");
  const int dirFd = open(t.Path("many").c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < 10000; ++i) {
    const std::string n = "file" + std::to_string(i) + ".dat";
    close(openat(dirFd, n.c_str(), O_CREAT | O_WRONLY, 0644));
  }
  mkdirat(dirFd, "sub", 0755);
  close(dirFd);
  auto many = FolderOf(t.Path("many"));
  std::unique_ptr<IEnumIDList> list;
  ASSERT_EQ(0, many->EnumObjects(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, list));
  EXPECT_EQ(10001, list->Count());
  int folders = 0;
  PItemIDList item = nullptr;
  while (list->Next(item)) {
    if (many->GetAttributesOf(item, SFGAO_FOLDER) & SFGAO_FOLDER) ++folders;
    SHGetMalloc().Free(item);
  }
  EXPECT_EQ(1, folders);
  // A list dropped half-way gives back what it still holds.
  ASSERT_EQ(0, many->EnumObjects(SHCONTF_NONFOLDERS, list));
  ASSERT_TRUE(list->Next(item));
  SHGetMalloc().Free(item);
  list.reset();
}

}  // namespace
