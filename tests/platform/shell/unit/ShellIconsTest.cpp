// System icons from the icon theme: by kind of item and by MIME type, shared indexes.
#include <gtest/gtest.h>

#include "framework/graphics/ImageList.h"
#include "framework/graphics/Bitmap.h"
#include "platform/shell/ShellIcons.h"
#include "tests/platform/shell/unit/ShellTestTree.h"

using namespace shelltest;

namespace {

std::string IconOf(const std::string& path, unsigned flags = SHGFI_SMALLICON) {
  TPidl abs;
  if (SHGetDesktopFolder()->ParseDisplayName(path, abs.P) != 0) return "<unparsed>";
  return SHGetIconName(abs.P, flags);
}

int IndexOf(const std::string& path) {
  TPidl abs;
  if (SHGetDesktopFolder()->ParseDisplayName(path, abs.P) != 0) return -2;
  return SHGetIconIndex(abs.P, SHGFI_SMALLICON);
}

// How many pixels of an image list entry are not fully transparent.
int OpaquePixels(TImageList* list, int index) {
  TBitmap b;
  list->GetBitmap(index, &b);
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if ((b.ScanLine(y)[x] & 0xFFFFFF) != 0xFF00FF) ++n;
  return n;
}

TEST(ShellIcons, IconsFollowTheKindOfItemAndTheMimeType) {
  TTree t;
  t.Dir("dir");
  t.Dir("Archive.Zip");
  t.File("notes.txt");
  t.File("NOTES2.TXT");
  t.File("movie.mp4");
  t.File("song.ogg");
  t.File("noext");
  t.Link("nowhere", "dangling");
  EXPECT_EQ("folder", IconOf(t.Path("dir")));
  EXPECT_EQ("folder-open", IconOf(t.Path("dir"), SHGFI_SMALLICON | SHGFI_OPENICON));
  EXPECT_EQ("text-x-generic", IconOf(t.Path("notes.txt")));
  EXPECT_EQ("text-x-generic", IconOf(t.Path("NOTES2.TXT")));
  EXPECT_EQ("video-x-generic", IconOf(t.Path("movie.mp4")));
  EXPECT_EQ("audio-x-generic", IconOf(t.Path("song.ogg")));
  EXPECT_NE("folder", IconOf(t.Path("Archive.Zip")));
  EXPECT_EQ("inode-symlink", IconOf(t.Path("dangling")));
  EXPECT_EQ("drive-harddisk", IconOf("/"));
  EXPECT_EQ("computer", IconOf("::{Computer}"));
  // The same icon shares one index; both lists grow together.
  const int folder = IndexOf(t.Path("dir"));
  const int text = IndexOf(t.Path("notes.txt"));
  ASSERT_GE(folder, 0);
  ASSERT_GE(text, 0);
  EXPECT_NE(folder, text);
  EXPECT_EQ(text, IndexOf(t.Path("NOTES2.TXT")));
  TImageList* small = SHGetSystemImageList(false);
  TImageList* large = SHGetSystemImageList(true);
  EXPECT_EQ(16, small->Width());
  EXPECT_EQ(32, large->Width());
  EXPECT_EQ(small->Count(), large->Count());
  EXPECT_GT(small->Count(), std::max(folder, text));
  // Drawn from the theme, not blank.
  EXPECT_GT(OpaquePixels(small, folder), 40);
  EXPECT_GT(OpaquePixels(large, folder), 160);
  EXPECT_GT(OpaquePixels(small, text), 30);
  EXPECT_EQ(-1, SHGetIconIndex(nullptr, 0));
}

}  // namespace
