#include <gtest/gtest.h>

#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/IniFiles.h"
#include "framework/core/Strings.h"
#include "tests/support/TestSupport.h"

namespace {
const char* kSample =
    "; a comment\r\n"
    "[Form]\r\n"
    "Width = 300\r\n"
    "Color=$FF00\r\n"
    "Hex=0x10\r\n"
    "Bad=12abc\r\n"
    "Url=http://x/?a=b\r\n"
    "Flag=1\r\n"
    "\r\n"
    "[Buttons]\r\n"
    "count=2\r\n";
}

TEST(MemIniFile, SectionsAndKeysIgnoreCase) {
  TMemIniFile ini;
  ini.SetText(kSample);
  EXPECT_EQ(ini.ReadString("FORM", "width", "?"), "300");
  EXPECT_EQ(ini.ReadString("form", "URL", "?"), "http://x/?a=b");  // after the first '='
  EXPECT_TRUE(ini.SectionExists("buttons"));
  EXPECT_TRUE(ini.ValueExists("Buttons", "COUNT"));
  EXPECT_FALSE(ini.ValueExists("Buttons", "a comment"));
  EXPECT_EQ(ini.ReadString("none", "x", "dflt"), "dflt");
}

TEST(MemIniFile, IntegersAcceptHexAndFallBack) {
  TMemIniFile ini;
  ini.SetText(kSample);
  EXPECT_EQ(ini.ReadInteger("Form", "Width", -1), 300);
  EXPECT_EQ(ini.ReadInteger("Form", "Color", -1), 0xFF00);
  EXPECT_EQ(ini.ReadInteger("Form", "Hex", -1), 16);
  EXPECT_EQ(ini.ReadInteger("Form", "Bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Form", "Missing", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Form", "Flag", false));
  EXPECT_TRUE(ini.ReadBool("Form", "Missing", true));
}

TEST(MemIniFile, WritesReplaceInPlaceAndKeepOrder) {
  TMemIniFile ini;
  ini.SetText(kSample);
  ini.WriteInteger("FORM", "WIDTH", 640);
  ini.WriteString("Buttons", "extra", "x");
  ini.WriteBool("New", "On", true);
  TStringList keys;
  ini.ReadSection("form", keys);
  EXPECT_EQ(keys.ToVector(), (std::vector<std::string>{"Width", "Color", "Hex", "Bad", "Url", "Flag"}));
  EXPECT_EQ(ini.ReadInteger("Form", "Width", 0), 640);
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections.ToVector(), (std::vector<std::string>{"Form", "Buttons", "New"}));
  TStringList values;
  ini.ReadSectionValues("Buttons", values);
  EXPECT_EQ(values.ToVector(), (std::vector<std::string>{"count=2", "extra=x"}));
  ini.DeleteKey("form", "bad");
  EXPECT_FALSE(ini.ValueExists("Form", "Bad"));
  ini.EraseSection("BUTTONS");
  EXPECT_FALSE(ini.SectionExists("Buttons"));
}

TEST(MemIniFile, FileRoundTrip) {
  std::string path = testsupport::MakeTempDir("ini") + "/a.ini";
  {
    TMemIniFile ini(path);  // no file yet: empty
    EXPECT_FALSE(ini.SectionExists("S"));
    ini.WriteString("S", "Name", "宋体");
    ini.UpdateFile();
  }
  TMemIniFile again(path);
  EXPECT_EQ(again.ReadString("s", "name", ""), "宋体");
  TMemIniFile noFile;
  EXPECT_THROW(noFile.UpdateFile(), EFCreateError);
}

TEST(MemIniFile, FirstOfARepeatedKeyCounts) {
  TMemIniFile ini;
  ini.SetText("[a]\nk=1\nK=2\n");
  EXPECT_EQ(ini.ReadInteger("a", "k", 0), 1);
}
