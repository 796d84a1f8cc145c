#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"

namespace {
TSkinIniFile Ini(const std::string& text) {
  TSkinIniFile ini;
  ini.SetText(text);
  return ini;
}
}  // namespace

TEST(SkinIniDialect, TrimsCommentsSectionsAndCase) {
  const auto ini = Ini(
      "stray=1\r\n"
      "  [ Form ]  \r\n"
      "; comment=1\r\n"
      "  Key One  =  value with blanks  \n"
      "novalue\r"
      "[broken\n"
      "key2=a=b\n"
      "key2=second\n"
      "[form]\n"
      "later=x\n");
  EXPECT_FALSE(ini.ValueExists("", "stray"));
  EXPECT_EQ("value with blanks", ini.ReadString("FORM", "KEY ONE", "-"));
  EXPECT_FALSE(ini.ValueExists("form", "; comment"));
  EXPECT_FALSE(ini.ValueExists("form", "novalue"));  // no "=": never a key
  EXPECT_FALSE(ini.SectionExists("broken"));
  EXPECT_FALSE(ini.ValueExists("form", "[broken"));
  EXPECT_EQ("a=b", ini.ReadString("form", "key2", "-"));  // first "=" splits, first key wins
  EXPECT_EQ("x", ini.ReadString("Form", "later", "-"));   // a repeated section continues
  EXPECT_EQ(3, ini.KeyCount("form"));
}

TEST(SkinIniDialect, ByteOrderMarkAndRepeatedSectionsAreReported) {
  // A packed text keeps the file's byte-order mark; it must not hide the first section.
  const auto bom = Ini("\xEF\xBB\xBF[VERSION]\r\nskinname=Slate\r\n");
  EXPECT_EQ("Slate", bom.ReadString("VERSION", "skinname", "-"));
  EXPECT_TRUE(bom.RepeatedSections().empty());

  const auto ini = Ini("[button]\na=1\n[other]\n[Button]\na=2\nb=3\n[button]\n");
  ASSERT_EQ(2u, ini.RepeatedSections().size());
  EXPECT_EQ("button", ini.RepeatedSections()[0].First);
  EXPECT_EQ("Button", ini.RepeatedSections()[0].Repeat);
  EXPECT_EQ("button", ini.RepeatedSections()[1].Repeat);
  EXPECT_EQ("1", ini.ReadString("BUTTON", "a", "-"));
  EXPECT_EQ("3", ini.ReadString("button", "b", "-"));
  TSkinIniFile again = ini;
  again.SetText("[x]\n");
  EXPECT_TRUE(again.RepeatedSections().empty());  // each text is judged on its own
}

TEST(SkinIniDialect, IntegersAndBooleans) {
  const auto ini = Ini("[s]\na=0x1F\nb=$10\nc=-7\nd=0x\ne=12abc\nf=\nt=1\nt2=2\nt3=-1\nt4=01\n");
  EXPECT_EQ(31, ini.ReadInteger("s", "a", 0));
  EXPECT_EQ(16, ini.ReadInteger("s", "b", 0));
  EXPECT_EQ(-7, ini.ReadInteger("s", "c", 0));
  EXPECT_EQ(99, ini.ReadInteger("s", "d", 99));
  EXPECT_EQ(99, ini.ReadInteger("s", "e", 99));
  EXPECT_EQ(99, ini.ReadInteger("s", "f", 99));
  EXPECT_EQ(99, ini.ReadInteger("s", "missing", 99));
  EXPECT_TRUE(ReadSkinBool(ini, "s", "t"));
  EXPECT_FALSE(ReadSkinBool(ini, "s", "t2"));  // only exactly 1 is true
  EXPECT_FALSE(ReadSkinBool(ini, "s", "t3"));
  EXPECT_TRUE(ReadSkinBool(ini, "s", "t4"));
  EXPECT_FALSE(ReadSkinBool(ini, "s", "missing"));
}

TEST(SkinValues, PointAndRectangleParsing) {
  EXPECT_EQ(Rect(10, 20, 30, 40), StrToSkinRect("10, 20 ,30,40"));
  EXPECT_EQ(Point(5, 3), StrToSkinPoint("-5,3"));  // minus is skipped
  EXPECT_EQ(Point(12, 34), StrToSkinPoint("x1y2,3z4"));
  EXPECT_THROW(StrToSkinRect("1,2,3"), EConvertError);
  EXPECT_THROW(StrToSkinRect(""), EConvertError);
  EXPECT_THROW(StrToSkinRect("1,,3,4"), EConvertError);
  EXPECT_THROW(StrToSkinPoint("1,2,3"), EConvertError);  // extra components are malformed
  EXPECT_THROW(StrToSkinPoint("99999999999,1"), EConvertError);
  EXPECT_EQ(Point(2147483647, 0), StrToSkinPoint("2147483647,0"));
  try {
    StrToSkinRect("a,b,c,d");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string::npos, e.Message().find("no digits")) << e.Message();
  }
  EXPECT_TRUE(IsSkinRectEmpty(Rect(5, 5, 5, 10)));
  EXPECT_TRUE(IsSkinRectEmpty(Rect(5, 5, 10, 4)));
  EXPECT_FALSE(IsSkinRectEmpty(Rect(5, 5, 6, 6)));
  EXPECT_TRUE(IsSkinPointUnset(Point(0, 7)));
  EXPECT_FALSE(IsSkinPointUnset(Point(1, 7)));
}

TEST(SkinValues, RectangleReaderDefaultsAndNamesTheKeyOnError) {
  const auto ini = Ini("[S]\nempty=\nbad=1,2\nHITTESTLEFTTOPPOINT=3,4\n");
  EXPECT_EQ(TRect{}, ReadSkinRect(ini, "s", "absent"));
  EXPECT_EQ(Point(3, 4), ReadSkinPoint(ini, "s", "hittestlefttoppoint"));
  EXPECT_THROW(ReadSkinRect(ini, "s", "empty"), EConvertError);
  try {
    ReadSkinRect(ini, "s", "bad");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string::npos, e.Message().find("bad")) << e.Message();
  }
}

TEST(SkinValues, WordTables) {
  EXPECT_EQ(ieBrightness, StrToInactiveEffect("iebrightness"));
  EXPECT_EQ(ieInvert, StrToInactiveEffect("ieinvert"));
  EXPECT_EQ(ieGrayScale, StrToInactiveEffect("IEINVERT"));  // case-sensitive, falls back
  EXPECT_EQ(ieGrayScale, StrToInactiveEffect("blur"));
  EXPECT_EQ(mkPush, StrToMorphKind("mkpush"));
  EXPECT_EQ(mkDefault, StrToMorphKind("push"));
  EXPECT_EQ(cmClose, StrToStdCommand("cmclose"));
  EXPECT_EQ(cmMinimizeToTray, StrToStdCommand("close"));
  EXPECT_EQ(6, int(StrToStdCommand("close")));
  EXPECT_EQ(cmDefault, StrToStdCommand("cmdefault"));
  EXPECT_EQ(saCenter, StrToAlignment("tacenter"));
  EXPECT_EQ(saLeftJustify, StrToAlignment("taleftjustify"));
  EXPECT_EQ(saRightJustify, StrToAlignment("centre"));
  const auto ini = Ini("[s]\nx=1\n");
  EXPECT_EQ(ieBrightness, ReadInactiveEffect(ini, "s", "inactiveeffect"));
  EXPECT_EQ(saCenter, ReadAlignment(ini, "s", "alignment"));
  EXPECT_EQ(cmDefault, ReadStdCommand(ini, "s", "command"));
  for (auto w : {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"})
    EXPECT_EQ(w, InactiveEffectToStr(StrToInactiveEffect(w)));
  for (auto w : {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"})
    EXPECT_EQ(w, StdCommandToStr(StrToStdCommand(w)));
}

TEST(SkinValues, FontStyles) {
  EXPECT_EQ(TFontStyles(), StrToFontStyle("bold"));
  const TFontStyles bi = StrToFontStyle("fsboldfsitalic");
  EXPECT_TRUE(bi.Contains(fsBold));
  EXPECT_TRUE(bi.Contains(fsItalic));
  EXPECT_FALSE(bi.Contains(fsUnderline));
  EXPECT_EQ(TFontStyles(), StrToFontStyle("FSBOLD"));
  const TFontStyles all = StrToFontStyle("[fsstrikeout; fsunderline]");
  EXPECT_TRUE(all.Contains(fsStrikeOut) && all.Contains(fsUnderline));
  EXPECT_EQ("fsbold,fsitalic", FontStyleToStr(bi));
  EXPECT_EQ(bi, StrToFontStyle(FontStyleToStr(bi)));
}

TEST(SkinValues, NameLists) {
  TStringList list;
  ReadNameList(Ini("[p]\nactivepicturescount=2\n0=a.bmp\n1= b.bmp \n"), "p", "activepictures", list, 10);
  ASSERT_EQ(2, list.Count());
  EXPECT_EQ("b.bmp", list[1]);
  list.Clear();
  ReadNameList(Ini("[p]\nactivepicturescount=-3\n0=a\n"), "p", "activepictures", list, 10);
  EXPECT_EQ(0, list.Count());
  // Names the section does not give are empty; the count is cut to the caller's bound,
  // so a count no section could hold costs nothing.
  ReadNameList(Ini("[p]\nactivepicturescount=3\n1=b\n"), "p", "activepictures", list, 10);
  EXPECT_EQ((std::vector<std::string>{"", "b", ""}), list.ToVector());
  list.Clear();
  const auto huge = Ini("[p]\nactivepicturescount=2000000000\n0=a\n");
  EXPECT_EQ(2000000000, ReadNameListCount(huge, "p", "activepictures"));
  ReadNameList(huge, "p", "activepictures", list, 2);
  EXPECT_EQ((std::vector<std::string>{"a", ""}), list.ToVector());
}

TEST(SkinValues, WritersProduceWhatReadersRead) {
  TSkinIniFile ini;
  WriteSkinRect(ini, "s", "r", Rect(-1, 2, 3, 4));
  WriteSkinPoint(ini, "s", "p", Point(7, 8));
  WriteSkinBool(ini, "s", "b", true);
  WriteInactiveEffect(ini, "s", "e", ieNoise);
  WriteMorphKind(ini, "s", "m", mkLeftSlide);
  WriteStdCommand(ini, "s", "c", cmRollUp);
  WriteAlignment(ini, "s", "a", saLeftJustify);
  TStringList names;
  names.Add("x.bmp");
  names.Add("y.bmp");
  WriteNameList(ini, "s", "activepictures", names);
  const auto back = Ini(ini.Text());
  EXPECT_EQ("-1,2,3,4", back.ReadString("s", "r", ""));
  EXPECT_EQ(Point(7, 8), ReadSkinPoint(back, "s", "p"));
  EXPECT_TRUE(ReadSkinBool(back, "s", "b"));
  EXPECT_EQ(ieNoise, ReadInactiveEffect(back, "s", "e"));
  EXPECT_EQ(mkLeftSlide, ReadMorphKind(back, "s", "m"));
  EXPECT_EQ(cmRollUp, ReadStdCommand(back, "s", "c"));
  EXPECT_EQ(saLeftJustify, ReadAlignment(back, "s", "a"));
  TStringList read;
  ReadNameList(back, "s", "activepictures", read, 2);
  EXPECT_EQ(names.ToVector(), read.ToVector());
}

TEST(SkinIniDialect, HugeLinesAndManyKeysStayCheap) {
  std::string text = "[s]\nlong=" + std::string(1 << 20, '7') + "\nrect=" + std::string(1 << 20, ',') + "\n";
  for (int i = 0; i < 200000; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  const auto ini = Ini(text);
  EXPECT_EQ(200002, ini.KeyCount("s"));
  EXPECT_EQ(-1, ini.ReadInteger("s", "long", -1));
  EXPECT_THROW(ReadSkinRect(ini, "s", "long"), EConvertError);
  EXPECT_THROW(ReadSkinRect(ini, "s", "rect"), EConvertError);
  EXPECT_EQ(199999, ini.ReadInteger("s", "K199999", 0));
}
