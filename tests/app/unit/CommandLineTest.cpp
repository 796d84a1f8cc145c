// The program's options: none keeps the start-up as it was; --skin takes a file in
// either spelling; anything else is a usage error with the offending word named. Skins
// by name: the user's folder before the installed one, paths never looked up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/CommandLine.h"
#include "app/UserSkin.h"
#include "tests/support/TestSupport.h"

TEST(CommandLine, OptionsAndTheirErrors) {
  TCommandLine c = ParseCommandLine({});
  EXPECT_FALSE(c.Help || c.Version);
  EXPECT_TRUE(c.SkinFile.empty() && c.Error.empty());

  EXPECT_EQ("my skin.skn", ParseCommandLine({"--skin", "my skin.skn"}).SkinFile);
  EXPECT_EQ("a.skn", ParseCommandLine({"--skin=a.skn"}).SkinFile);
  EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
  EXPECT_TRUE(ParseCommandLine({"-h"}).Help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).Version);

  EXPECT_EQ("--skin needs a file, a folder or a name", ParseCommandLine({"--skin"}).Error);
  EXPECT_EQ("--skin needs a file, a folder or a name", ParseCommandLine({"--skin="}).Error);
  c = ParseCommandLine({"--skin", "night", "--watch"});
  EXPECT_TRUE(c.Watch && c.Error.empty());
  EXPECT_EQ("night", c.SkinFile);
  EXPECT_EQ("--watch watches the skin given with --skin", ParseCommandLine({"--watch"}).Error);
  EXPECT_TRUE(ParseCommandLine({"--list-skins"}).ListSkins);
  EXPECT_EQ("unknown option '--skins'", ParseCommandLine({"--skins", "x"}).Error);
  EXPECT_EQ("unexpected argument 'video.mp4'", ParseCommandLine({"video.mp4"}).Error);
  // The first error stops the reading.
  EXPECT_EQ("unknown option '-x'", ParseCommandLine({"-x", "--help"}).Error);
  EXPECT_NE(std::string(CommandLineUsage()).find("--skin FILE.skn"), std::string::npos);
}

TEST(UserSkinNames, PathsNamesAndTheUsersFolderFirst) {
  const std::string root = testsupport::MakeTempDir("skin-names");
  const TSkinPlaces places{root + "/user", root + "/installed"};
  for (const char* dir : {"/user", "/installed", "/installed/night", "/user/folder", "/installed/folder"})
    std::system(("mkdir -p '" + root + dir + "'").c_str());
  for (const char* file : {"/user/slate.skn", "/installed/slate.skn", "/installed/only.skn", "/user/folder.skn"})
    std::ofstream(root + file) << "x";
  std::ofstream(root + "/installed/night/skin.ini") << "[VERSION]\nskinname=Night\nskinauthor=Corvale\n";
  std::ofstream(root + "/user/folder/skin.ini") << "[VERSION]\n";
  struct Case {
    std::string arg, want;
  };
  const Case cases[] = {
      {"slate", root + "/user/slate.skn"},          // the user's wins
      {"only", root + "/installed/only.skn"},       // else the installed one
      {"night", root + "/installed/night"},         // a folder of that name
      {"folder", root + "/user/folder.skn"},        // a file before a folder of one name
      {"a/slate", "a/slate"},                       // a path is never looked up
      {"missing", ""},
  };
  std::string error;
  for (const Case& c : cases) {
    EXPECT_EQ(c.want, ResolveUserSkin(c.arg, places, error)) << c.arg;
    EXPECT_EQ(c.want.empty(), !error.empty()) << c.arg << ": " << error;
  }
  EXPECT_NE(std::string::npos, error.find("no skin is named 'missing'")) << error;
  EXPECT_NE(std::string::npos, error.find(root + "/user")) << error;

  const std::string list = FormatSkinList(ListUserSkins(places), places);
  EXPECT_NE(std::string::npos, list.find("  night   Night by Corvale  " + root + "/installed/night\n")) << list;
  // The installed slate is listed, and said to be shadowed by the user's.
  const size_t user = list.find(root + "/user/slate.skn"), installed = list.find(root + "/installed/slate.skn");
  ASSERT_NE(std::string::npos, user) << list;
  ASSERT_NE(std::string::npos, installed) << list;
  EXPECT_LT(user, installed);
  EXPECT_NE(std::string::npos, list.find("slate.skn  (not used: the slate listed above comes first)", installed)) << list;
  EXPECT_NE(std::string::npos, list.find("(cannot be read:", user)) << list;  // "x" is no skin
}
