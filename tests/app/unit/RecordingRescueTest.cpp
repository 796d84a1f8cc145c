#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/RecordingRescue.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
// HOME and the configuration folder in a fresh folder, restored afterwards.
class RescuePlaces : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_MUSIC_DIR"}) {
      const char* old = std::getenv(v);
      saved.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
    }
    home = testsupport::MakeTempDir("rescuehome");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/cfg").c_str(), 1);
    unsetenv("XDG_MUSIC_DIR");
    fs::create_directories(home + "/cfg");
  }
  void TearDown() override {
    for (auto& [name, value] : saved)
      if (value) setenv(name.c_str(), value->c_str(), 1); else unsetenv(name.c_str());
  }
  void UserDirs(const std::string& text) { std::ofstream(home + "/cfg/user-dirs.dirs") << text; }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  std::string home;
};
}  // namespace

TEST_F(RescuePlaces, MusicFolderFromUserDirsElseHomeMusic) {
  EXPECT_EQ(UserMusicFolder(), home + "/Music");
  UserDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_MUSIC_DIR=\"$HOME/音乐\"\n");
  EXPECT_EQ(UserMusicFolder(), home + "/音乐");
  UserDirs("XDG_MUSIC_DIR=\"/srv/songs/\"\n");
  EXPECT_EQ(UserMusicFolder(), "/srv/songs");
  // Set to the home folder itself means "not set".
  UserDirs("XDG_MUSIC_DIR=\"$HOME/\"\n");
  EXPECT_EQ(UserMusicFolder(), home + "/Music");
  UserDirs("XDG_MUSIC_DIR=\"relative/path\"\n");
  EXPECT_EQ(UserMusicFolder(), home + "/Music");
  UserDirs("  XDG_MUSIC_DIR=\"$HOME/Songs\"\r\n");
  EXPECT_EQ(UserMusicFolder(), home + "/Songs");
}

TEST_F(RescuePlaces, RescueNamesCarryTheTimeAndNeverReplaceAFile) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 9;
  t.tm_hour = 4;
  t.tm_min = 5;
  t.tm_sec = 6;
  t.tm_isdst = -1;
  std::time_t when = std::mktime(&t);
  const std::string dir = home + "/takes";
  ASSERT_TRUE(EnsureFolder(dir + "/a/b"));
  EXPECT_TRUE(fs::is_directory(dir + "/a/b"));
  EXPECT_TRUE(EnsureFolder(dir + "/a/b"));  // already there
  std::ofstream(dir + "/file") << "x";
  EXPECT_FALSE(EnsureFolder(dir + "/file/sub"));

  EXPECT_EQ(RescueFileName(dir, "/x/y/Temp.wav", when), dir + "/Temp-20261209-040506.wav");
  EXPECT_EQ(RescueFileName(dir + "/", "Temp.wav", when), dir + "/Temp-20261209-040506.wav");
  std::ofstream(dir + "/Temp-20261209-040506.wav") << "taken";
  EXPECT_EQ(RescueFileName(dir, "/x/Temp.wav", when), dir + "/Temp-20261209-040506-2.wav");
  fs::create_directory(dir + "/Temp-20261209-040506-2.wav");
  EXPECT_EQ(RescueFileName(dir, "/x/Temp.wav", when), dir + "/Temp-20261209-040506-3.wav");
  EXPECT_EQ(RescueFileName(dir, "/x/take", when), dir + "/take-20261209-040506.wav");
}
