// Where Temp.wav goes: the program's folder while it can be written, else the user's
// music folder, made when missing; the program's folder again when even that fails.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/RecordingFolder.h"
#include "tests/support/TestSupport.h"

namespace {

class RecordingFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = testsupport::MakeTempDir("rec-home");
    config = testsupport::MakeTempDir("rec-config");
    program = testsupport::MakeTempDir("rec-program") + "/";
    saved[0] = Get("HOME");
    saved[1] = Get("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  }
  void TearDown() override {
    setenv("HOME", saved[0].c_str(), 1);
    setenv("XDG_CONFIG_HOME", saved[1].c_str(), 1);
  }
  static std::string Get(const char* n) { return std::getenv(n) ? std::getenv(n) : ""; }
  std::string home, config, program, saved[2];
};

TEST_F(RecordingFolderTest, AWritableProgramFolderIsKeptAndNothingIsMade) {
  EXPECT_EQ(program, RecordingFolder(program, [](const std::string&) { return true; }));
  EXPECT_FALSE(std::filesystem::exists(home + "/Music"));
  EXPECT_EQ(program, RecordingFolder(program));
}

TEST_F(RecordingFolderTest, AnUnwritableProgramFolderGivesTheMusicFolderMadeWhenMissing) {
  auto notProgram = [this](const std::string& f) { return f != program; };
  EXPECT_EQ(home + "/Music/", RecordingFolder(program, notProgram));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/Music"));
  // The folder the user's directory settings name, with its missing parents.
  std::ofstream(config + "/user-dirs.dirs") << "XDG_MUSIC_DIR=\"$HOME/Audio/Takes\"\n";
  EXPECT_EQ(home + "/Audio/Takes/", RecordingFolder(program, notProgram));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/Audio/Takes"));
}

TEST_F(RecordingFolderTest, WithoutAUsableMusicFolderTheProgramFolderStays) {
  // The music folder's place is taken by a file.
  std::ofstream(home + "/Music") << "x";
  EXPECT_EQ(program, RecordingFolder(program, [this](const std::string& f) { return f != program; }));
  // Or it exists and cannot be written either.
  std::filesystem::remove(home + "/Music");
  EXPECT_EQ(program, RecordingFolder(program, [](const std::string&) { return false; }));
}

// The real write test, run by an unprivileged user as an installed copy is: a folder of
// another user without write permission gives the music folder in the user's home.
// The child process runs the test again up to the check, in folders of its own.
TEST_F(RecordingFolderTest, AnInstalledCopyRecordsIntoTheUsersMusicFolder) {
  ::chmod(program.c_str(), 0555);
  ::chmod(home.c_str(), 0777);
  ::chmod(config.c_str(), 0777);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
        if (FolderWritable(program)) std::_Exit(4);
        if (!FolderWritable(home)) std::_Exit(5);
        if (RecordingFolder(program) != home + "/Music/") std::_Exit(6);
        std::_Exit(std::filesystem::is_directory(home + "/Music") ? 0 : 7);
      },
      ::testing::ExitedWithCode(0), "");
  ::chmod(program.c_str(), 0755);
}

}  // namespace
