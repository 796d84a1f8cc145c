#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/profile/Profile.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}
void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
}

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testsupport::MakeTempDir("profile");
    file = dir + "/test.ini";
  }
  std::string Get(const char* s, const char* k, const char* def = "") {
    char buf[256];
    GetPrivateProfileString(s, k, def, buf, sizeof buf, file.c_str());
    return buf;
  }
  std::string dir, file;
};
}  // namespace

TEST_F(ProfileTest, WriteCreatesFileAndReadsBackIgnoringCase) {
  ASSERT_TRUE(WritePrivateProfileString("mci extensions", "mpg", "MPEGVideo", file.c_str()));
  EXPECT_EQ(ReadAll(file), "[mci extensions]\nmpg=MPEGVideo\n");
  EXPECT_EQ(Get("MCI Extensions", "MPG"), "MPEGVideo");
  EXPECT_EQ(Get("mci extensions", "avi", "none "), "none");  // default loses trailing blanks
  EXPECT_EQ(GetPrivateProfileStdString("MCI EXTENSIONS", "Mpg", "x", file), "MPEGVideo");
  EXPECT_EQ(GetPrivateProfileStdString("other", "mpg", "x", file), "x");
}

TEST_F(ProfileTest, ReplaceInPlaceKeepsCommentsOrderAndLineEndings) {
  WriteAll(file, "; head\r\n[A]\r\nx = 1\r\n; note\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(WritePrivateProfileString("a", "X", "10", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("a", "new", "n", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("C", "k", "v", file.c_str()));
  EXPECT_EQ(ReadAll(file),
            "; head\r\n[A]\r\nx=10\r\n; note\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n");
  // Writing the same entries again gives the same file.
  std::string before = ReadAll(file);
  ASSERT_TRUE(WritePrivateProfileString("A", "x", "10", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("c", "K", "v", file.c_str()));
  EXPECT_EQ(ReadAll(file), before);
}

TEST_F(ProfileTest, NullValueDeletesKeyNullKeyDeletesSection) {
  WriteAll(file, "[A]\nx=1\ny=2\n[B]\nz=3\n");
  ASSERT_TRUE(WritePrivateProfileString("A", "X", nullptr, file.c_str()));
  EXPECT_EQ(ReadAll(file), "[A]\ny=2\n[B]\nz=3\n");
  ASSERT_TRUE(WritePrivateProfileString("b", nullptr, nullptr, file.c_str()));
  EXPECT_EQ(ReadAll(file), "[A]\ny=2\n");
  EXPECT_EQ(Get("B", "z", "gone"), "gone");
}

TEST_F(ProfileTest, ValuesAreTrimmedAndUnquoted) {
  WriteAll(file, "[S]\n  key  =   some value  \nq=\"quoted \"\nempty=\n");
  EXPECT_EQ(Get("s", "KEY"), "some value");
  EXPECT_EQ(Get("s", "q"), "quoted ");
  EXPECT_EQ(Get("s", "empty", "def"), "");
}

TEST_F(ProfileTest, BufferTruncationAndLists) {
  WriteAll(file, "[One]\na=abcdef\nbb=1\n[Two]\n");
  char buf[4];
  EXPECT_EQ(GetPrivateProfileString("one", "a", "", buf, sizeof buf, file.c_str()), 3u);
  EXPECT_STREQ(buf, "abc");
  char list[64];
  DWORD n = GetPrivateProfileString(nullptr, nullptr, "", list, sizeof list, file.c_str());
  EXPECT_EQ(std::string(list, n), std::string("One\0Two\0", 8));
  EXPECT_EQ(list[n], 0);
  n = GetPrivateProfileString("ONE", nullptr, "", list, sizeof list, file.c_str());
  EXPECT_EQ(std::string(list, n), std::string("a\0bb\0", 5));
  char small[5];
  n = GetPrivateProfileString("one", nullptr, "", small, sizeof small, file.c_str());
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(small[3], 0);
  EXPECT_EQ(small[4], 0);
}

TEST_F(ProfileTest, NameWithoutFolderResolvesToConfigHome) {
  std::string old = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  EXPECT_EQ(ProfileFilePath("win.ini"), dir + "/corvale/win.ini");
  ASSERT_TRUE(WritePrivateProfileString("mci", "MPEGVideo", "mciqtz.drv", "system.ini"));
  EXPECT_EQ(ReadAll(dir + "/corvale/system.ini"), "[mci]\nMPEGVideo=mciqtz.drv\n");
  setenv("XDG_CONFIG_HOME", "relative/not/used", 1);
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  EXPECT_EQ(ProfileFilePath("win.ini"), home + "/.config/corvale/win.ini");
  if (old.empty()) unsetenv("XDG_CONFIG_HOME"); else setenv("XDG_CONFIG_HOME", old.c_str(), 1);
}

TEST_F(ProfileTest, FailedWriteLeavesOldFileAndNoLeftovers) {
  WriteAll(file, "[A]\nx=1\n");
  EXPECT_FALSE(WritePrivateProfileString("A", "x", "2", (dir + "/test.ini/child.ini").c_str()));
  EXPECT_FALSE(WritePrivateProfileString(nullptr, "x", "2", file.c_str()));
  EXPECT_EQ(ReadAll(file), "[A]\nx=1\n");
  ASSERT_TRUE(WritePrivateProfileString("A", "x", "2", file.c_str()));
  int entries = 0;
  for (auto& e : fs::directory_iterator(dir)) { (void)e; ++entries; }
  EXPECT_EQ(entries, 1);  // no temporary file left beside it
}
