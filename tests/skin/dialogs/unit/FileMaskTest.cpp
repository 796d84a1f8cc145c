// File masks and filter texts.
#include <gtest/gtest.h>

#include "skin/dialogs/FileMask.h"

namespace {

TEST(FileMask, WildcardsMatchNamesWithoutRegardToCase) {
  EXPECT_TRUE(MatchesMask("movie.MP4", "*.mp4"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
  EXPECT_TRUE(MatchesMask("abc.txt", "a?c.*"));
  EXPECT_FALSE(MatchesMask("ac.txt", "a?c.*"));
  EXPECT_TRUE(MatchesMask("caf\xC3\xA9.txt", "caf?.txt"));
  EXPECT_FALSE(MatchesMask("notes.txt.bak", "*.txt"));
  EXPECT_TRUE(MatchesMask("x", "*"));
  EXPECT_FALSE(MatchesMask("x", ""));
  // "*.*" takes every file, also one without an extension.
  EXPECT_TRUE(MatchesMask("Makefile", "*.*"));
  EXPECT_FALSE(MatchesMask("Makefile", "*.?*"));
}

TEST(FileMask, MaskPiecesAndFoldersOnly) {
  EXPECT_EQ((std::vector<std::string>{"*.avi", "*.mp4", "*.mkv"}), SplitMask("*.avi; *.mp4|*.mkv"));
  EXPECT_TRUE(MaskAcceptsFile("/v/clip.mkv", "*.avi;*.mp4|*.mkv"));
  EXPECT_FALSE(MaskAcceptsFile("/v/clip.wav", "*.avi;*.mp4|*.mkv"));
  // The folder part plays no part.
  EXPECT_FALSE(MaskAcceptsFile("/v.mp4/clip", "*.mp4"));
  EXPECT_TRUE(MaskAcceptsFile("/dir/abc.txt", "a*.txt"));
  // Pieces without a '.' never match: an empty mask shows folders only.
  EXPECT_FALSE(MaskAcceptsFile("/v/clip.mp4", ""));
  EXPECT_FALSE(MaskAcceptsFile("/v/clip", "*"));
  EXPECT_TRUE(MaskAcceptsFile("/v/clip", "*.*|*.*"));
}

TEST(FileMask, FilterTextsGivePairs) {
  std::vector<std::string> d, m;
  ParseFilter("All files|*.*", d, m);
  EXPECT_EQ((std::vector<std::string>{"All files"}), d);
  EXPECT_EQ((std::vector<std::string>{"*.*"}), m);
  ParseFilter("Video (*.mp4;*.avi)|*.mp4;*.avi|Everything|*.*", d, m);
  EXPECT_EQ((std::vector<std::string>{"Video (*.mp4;*.avi)", "Everything"}), d);
  EXPECT_EQ((std::vector<std::string>{"*.mp4;*.avi", "*.*"}), m);
  // A final description without a mask is dropped; one with an empty mask stays.
  ParseFilter("Text|*.txt|Orphan", d, m);
  EXPECT_EQ((std::vector<std::string>{"Text"}), d);
  ParseFilter("Folders|", d, m);
  EXPECT_EQ((std::vector<std::string>{"Folders"}), d);
  EXPECT_EQ((std::vector<std::string>{""}), m);
  ParseFilter("no bars at all", d, m);
  EXPECT_TRUE(d.empty());
  EXPECT_TRUE(m.empty());
}

}  // namespace
