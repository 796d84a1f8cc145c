// The program's options: none keeps the start-up as it was; --skin takes a file in
// either spelling; anything else is a usage error with the offending word named.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

TEST(CommandLine, OptionsAndTheirErrors) {
  TCommandLine c = ParseCommandLine({});
  EXPECT_FALSE(c.Help || c.Version);
  EXPECT_TRUE(c.SkinFile.empty() && c.Error.empty());

  EXPECT_EQ("my skin.skn", ParseCommandLine({"--skin", "my skin.skn"}).SkinFile);
  EXPECT_EQ("a.skn", ParseCommandLine({"--skin=a.skn"}).SkinFile);
  EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
  EXPECT_TRUE(ParseCommandLine({"-h"}).Help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).Version);

  EXPECT_EQ("--skin needs a file name", ParseCommandLine({"--skin"}).Error);
  EXPECT_EQ("--skin needs a file name", ParseCommandLine({"--skin="}).Error);
  EXPECT_EQ("unknown option '--skins'", ParseCommandLine({"--skins", "x"}).Error);
  EXPECT_EQ("unexpected argument 'video.mp4'", ParseCommandLine({"video.mp4"}).Error);
  // The first error stops the reading.
  EXPECT_EQ("unknown option '-x'", ParseCommandLine({"-x", "--help"}).Error);
  EXPECT_NE(std::string(CommandLineUsage()).find("--skin FILE.skn"), std::string::npos);
}
