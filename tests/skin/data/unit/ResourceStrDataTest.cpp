#include <gtest/gtest.h>

#include "skin/data/ResourceStrData.h"

TEST(ResourceStrData, DefaultLines) {
  TbsResourceStrData r(nullptr);
  ASSERT_EQ(73, r.ResStrings().Count());
  EXPECT_EQ("MI_MINCAPTION=Mi&nimize", r.ResStrings()[0]);
  EXPECT_EQ("FLV_FREESPACE=Free Space", r.ResStrings()[72]);
  EXPECT_EQ("NOVALIDDRIVEID=Not a valid Drive ID", r.ResStrings()[64]);
  EXPECT_EQ(1, r.CharSet());
  EXPECT_EQ("Look in: ", r.GetResString("FLV_LOOKIN"));  // ends with a blank
  EXPECT_EQ("&Close", r.GetResString("mi_closecaption"));
  EXPECT_EQ("N&oToAll", r.GetResString("MSG_BTN_NOTOALL"));
  EXPECT_EQ("", r.GetResString("NO_SUCH_KEY"));
  EXPECT_EQ("", r.GetResString(""));
}

TEST(ResourceStrData, ReplacedLinesAreTheOnlySource) {
  TbsResourceStrData r(nullptr);
  TStringList lines;
  lines.Add("A=x=y");
  lines.Add("no equals sign");
  lines.Add("a=second");
  lines.Add("=empty key");
  r.SetResStrings(lines);
  EXPECT_EQ(4, r.ResStrings().Count());
  EXPECT_EQ("x=y", r.GetResString("a"));  // first line, everything after the first "="
  EXPECT_EQ("", r.GetResString("no equals sign"));
  EXPECT_EQ("empty key", r.GetResString(""));
  EXPECT_EQ("", r.GetResString("MI_CLOSECAPTION"));  // defaults are not consulted again
  lines.Clear();
  EXPECT_EQ(4, r.ResStrings().Count());  // a copy, not a reference
  r.SetResStrings(r.ResStrings());
  EXPECT_EQ(4, r.ResStrings().Count());
}
