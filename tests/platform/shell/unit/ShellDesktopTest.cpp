// The virtual desktop, the computer's volumes, the XDG user folders and special folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/shell/MountTable.h"
#include "platform/shell/Shell.h"
#include "platform/shell/UserDirs.h"
#include "tests/platform/shell/unit/ShellTestTree.h"
#include "tests/support/ScopedHome.h"

using namespace shelltest;

namespace {

using testsupport::TScopedHome;

TEST(ShellMountTable, ParsesEscapesAndSkipsMalformedLines) {
  const auto entries = ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "/dev/sdb1 /media/my\\040disk vfat rw 0 0\n"
      "garbage\n"
      "\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sdc1 relative ext4 rw 0 0\n"
      "/dev/sdd1 /mnt/odd\\0 ext4 rw 0 0\n"
      "/dev/sde1 /mnt/trail/ xfs rw\n");
  ASSERT_EQ(5u, entries.size());
  EXPECT_EQ("/media/my disk", entries[1].MountPoint);
  EXPECT_EQ("vfat", entries[1].Type);
  // A short or bad escape is kept as it stands.
  EXPECT_EQ("/mnt/odd\\0", entries[3].MountPoint);
  EXPECT_EQ("/mnt/trail", entries[4].MountPoint);
  EXPECT_TRUE(IsUserVolume(entries[0]));
  EXPECT_TRUE(IsUserVolume(entries[1]));
  EXPECT_FALSE(IsUserVolume(entries[2]));
  EXPECT_FALSE(IsUserVolume({"tmpfs", "/run/user/0", "tmpfs"}));
  EXPECT_TRUE(IsUserVolume({"/dev/sdf1", "/run/media/u/stick", "vfat"}));
  EXPECT_TRUE(IsUserVolume({"srv:/export", "/net/srv", "nfs4"}));
  EXPECT_FALSE(IsUserVolume({"cgroup", "/sys/fs/cgroup/cpu", "cgroup"}));
}

TEST(ShellMountTable, VolumesSkipMountPointsThatAreGoneAndOwnThePathsUnderThem) {
  TTree t;
  t.Dir("vol");
  t.Dir("vol/data");
  t.File("notadir");
  std::ofstream(t.Path("mounts")) << "/dev/vda / ext4 rw 0 0\n"
                                  << "/dev/vdb " << t.Path("vol") << " ext4 rw 0 0\n"
                                  << "/dev/vdc " << t.Path("gone") << " ext4 rw 0 0\n"
                                  << "/dev/vdd " << t.Path("notadir") << " ext4 rw 0 0\n"
                                  << "proc /proc proc rw 0 0\n";
  SetMountTablePath(t.Path("mounts"));
  auto desktop = SHGetDesktopFolder();
  const long live = SHGetMalloc().LiveBlocks();
  {
  EXPECT_EQ((std::vector<std::string>{"/", t.Path("vol")}), ShellVolumes());
  // The computer lists them; a path under a volume is addressed through it.
  PItemIDList computer = nullptr;
  ASSERT_EQ(0, SHGetSpecialFolderLocation(CSIDL_DRIVES, computer));
  EXPECT_EQ("Computer", desktop->GetDisplayNameOf(computer, SHGDN_NORMAL));
  std::shared_ptr<IShellFolder> comp;
  ASSERT_EQ(0, desktop->BindToObject(computer, comp));
  std::vector<std::string> names;
  for (const TChild& c : Children(*comp, SHCONTF_FOLDERS)) names.push_back(c.Name);
  EXPECT_EQ((std::vector<std::string>{"/", t.Path("vol")}), names);
  TPidl data;
  ASSERT_EQ(0, desktop->ParseDisplayName(t.Path("vol/data"), data.P));
  // Computer, the volume, then "data".
  const ITEMIDLIST* second = reinterpret_cast<const ITEMIDLIST*>(
      reinterpret_cast<const Byte*>(data.P) + data.P->mkid.cb);
  TPidl firstTwo(reinterpret_cast<PItemIDList>(SHGetMalloc().Alloc(
      data.P->mkid.cb + second->mkid.cb + 2)));
  std::memcpy(firstTwo.P, data.P, data.P->mkid.cb + second->mkid.cb);
  EXPECT_EQ(t.Path("vol"), desktop->GetDisplayNameOf(firstTwo.P, SHGDN_NORMAL));
  EXPECT_EQ(t.Path("vol/data"), desktop->GetDisplayNameOf(data.P, SHGDN_FORPARSING));
  SHGetMalloc().Free(computer);
  }
  SetMountTablePath("");
  EXPECT_EQ(live, SHGetMalloc().LiveBlocks());
}

TEST(ShellUserDirs, ParsesTheUserDirsFile) {
  const auto dirs = ParseUserDirs(
      "# comment\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "  XDG_MUSIC_DIR=\"/srv/music/\"\n"
      "XDG_VIDEOS_DIR=\"$HOME\"\n"
      "XDG_DOWNLOAD_DIR=\"relative\"\n"
      "XDG_PICTURES_DIR=\"$HOME/Pic \\\"1\\\"\"\n"
      "XDG_TEMPLATES_DIR=unquoted\n"
      "XDG_BROKEN=\"/x\"\n",
      "/home/u");
  EXPECT_EQ("/home/u/Schreibtisch", dirs.at("DESKTOP"));
  EXPECT_EQ("/srv/music", dirs.at("MUSIC"));
  EXPECT_EQ("/home/u", dirs.at("VIDEOS"));
  EXPECT_EQ("/home/u/Pic \"1\"", dirs.at("PICTURES"));
  EXPECT_EQ(0u, dirs.count("DOWNLOAD"));
  EXPECT_EQ(0u, dirs.count("TEMPLATES"));
  EXPECT_EQ(4u, dirs.size());
}

TEST(ShellDesktop, TheDesktopHoldsHomeComputerAndTheDesktopFolder) {
  auto desktop = SHGetDesktopFolder();
  const long live = SHGetMalloc().LiveBlocks();
  TTree t;
  t.Dir(".config");
  t.Dir("Desk");
  t.Dir("Desk/project");
  t.File("Desk/notes.txt");
  t.Dir("Docs");
  std::ofstream(t.Path(".config/user-dirs.dirs")) << "XDG_DESKTOP_DIR=\"$HOME/Desk\"\n"
                                                  << "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
  TScopedHome home(t.Root);
  {
  PItemIDList root = nullptr;
  ASSERT_EQ(0, SHGetSpecialFolderLocation(CSIDL_DESKTOP, root));
  EXPECT_EQ(0, root->mkid.cb);
  EXPECT_EQ("Desktop", desktop->GetDisplayNameOf(root, SHGDN_NORMAL));
  EXPECT_EQ(t.Path("Desk"), desktop->GetDisplayNameOf(root, SHGDN_FORPARSING));
  SHGetMalloc().Free(root);
  PItemIDList none = nullptr;
  // Home and the computer come first in the desktop's own order.
  std::unique_ptr<IEnumIDList> list;
  ASSERT_EQ(0, desktop->EnumObjects(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, list));
  std::vector<PItemIDList> items;
  PItemIDList item;
  while (list->Next(item)) items.push_back(item);
  std::sort(items.begin(), items.end(),
            [&](PItemIDList a, PItemIDList b) { return desktop->CompareIDs(0, a, b) < 0; });
  std::vector<std::string> names;
  for (PItemIDList i : items) names.push_back(desktop->GetDisplayNameOf(i, SHGDN_INFOLDER));
  EXPECT_EQ((std::vector<std::string>{"Home", "Computer", "notes.txt", "project"}), names);
  ASSERT_EQ(4u, items.size());
  EXPECT_EQ(t.Root, desktop->GetDisplayNameOf(items[0], SHGDN_FORPARSING));
  EXPECT_EQ("::{Computer}", desktop->GetDisplayNameOf(items[1], SHGDN_FORPARSING));
  EXPECT_EQ(t.Path("Desk/project"), desktop->GetDisplayNameOf(items[3], SHGDN_FORPARSING));
  EXPECT_TRUE(desktop->GetAttributesOf(items[1], 0) & SFGAO_FOLDER);
  EXPECT_FALSE(desktop->GetAttributesOf(items[1], 0) & SFGAO_FILESYSTEM);
  EXPECT_TRUE(desktop->GetAttributesOf(items[0], 0) & SFGAO_FILESYSTEM);
  // The computer's parsing name leads back to it.
  TPidl computer;
  ASSERT_EQ(0, desktop->ParseDisplayName("::{Computer}", computer.P));
  EXPECT_EQ(0, desktop->CompareIDs(0, computer.P, items[1]));
  std::string path;
  EXPECT_FALSE(SHGetPathFromIDList(computer.P, path));
  // A relative name is looked up on the desktop.
  TPidl project;
  ASSERT_EQ(0, desktop->ParseDisplayName("project", project.P));
  EXPECT_EQ(0, desktop->CompareIDs(0, project.P, items[3]));
  EXPECT_EQ(ENOENT, desktop->ParseDisplayName("nothing", none));
  for (PItemIDList i : items) SHGetMalloc().Free(i);
  // Special folders from the user dirs file; missing ones fail.
  PItemIDList docs = nullptr;
  ASSERT_EQ(0, SHGetSpecialFolderLocation(CSIDL_PERSONAL, docs));
  EXPECT_EQ(t.Path("Docs"), desktop->GetDisplayNameOf(docs, SHGDN_FORPARSING));
  SHGetMalloc().Free(docs);
  EXPECT_EQ(ENOENT, SHGetSpecialFolderLocation(CSIDL_MYMUSIC, none));
  EXPECT_EQ(ENOENT, SHGetSpecialFolderLocation(0x04, none));
  EXPECT_EQ(nullptr, none);
  PItemIDList profile = nullptr;
  ASSERT_EQ(0, SHGetSpecialFolderLocation(CSIDL_PROFILE, profile));
  EXPECT_EQ("Home", desktop->GetDisplayNameOf(profile, SHGDN_NORMAL));
  ASSERT_TRUE(SHGetPathFromIDList(profile, path));
  EXPECT_EQ(t.Root, path);
  SHGetMalloc().Free(profile);
  }
  EXPECT_EQ(live, SHGetMalloc().LiveBlocks());
}

TEST(ShellDesktop, ADesktopFolderThatIsTheHomeAddsNothing) {
  TTree t;
  TScopedHome home(t.Root);
  t.File("in-home.txt");
  t.Dir(".config");
  std::ofstream(t.Path(".config/user-dirs.dirs")) << "XDG_DESKTOP_DIR=\"$HOME/\"\n";
  std::vector<std::string> names;
  for (const TChild& c : Children(*SHGetDesktopFolder(), kAll)) names.push_back(c.Name);
  EXPECT_EQ((std::vector<std::string>{"Computer", "Home"}), names);
}

}  // namespace
