#include <gtest/gtest.h>

#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"

TEST(SysUtils, StrToIntFormsAndErrors) {
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);  // full-width hex spells the two's complement
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToIntDef("2147483648", 5), 5);  // out of range
  EXPECT_EQ(StrToIntDef("", 5), 5);
  EXPECT_EQ(StrToIntDef("1 2", 5), 5);
  EXPECT_EQ(StrToIntDef("$", 5), 5);
  try {
    StrToInt("x1");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToStr(-3), "-3");
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_THROW(StrToFloat("1,5"), EConvertError);
  EXPECT_EQ(StrToFloat(FloatToStr(0.1)), 0.1);
}

TEST(SysUtils, TextHelpers) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("abc宋"), "ABC宋");
  EXPECT_TRUE(SameText("Button", "BUTTON"));
  EXPECT_FALSE(SameText("Button", "Buttons"));
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
}

TEST(SysUtils, FileNameParts) {
  EXPECT_EQ(ExtractFilePath("/a/b/c.wav"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("c.wav"), "");
  EXPECT_EQ(ExtractFileName("/a/b/c.wav"), "c.wav");
  EXPECT_EQ(ExtractFileExt("/a/b.d/c.wav"), ".wav");
  EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
  EXPECT_EQ(ChangeFileExt("/a/c.wav", ".mp3"), "/a/c.mp3");
  EXPECT_EQ(ChangeFileExt("/a.b/c", ".x"), "/a.b/c.x");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  std::string exe = ApplicationExeName();
  EXPECT_EQ(exe.front(), '/');
  EXPECT_TRUE(FileExists(exe));
  EXPECT_FALSE(FileExists(ExtractFilePath(exe)));
  EXPECT_TRUE(DirectoryExists(ExtractFilePath(exe)));
}

TEST(Utf, ChineseRoundTripsThroughUtf16) {
  std::string s = "录制 ok 😀";
  std::u16string u = Utf8ToUtf16(s);
  ASSERT_EQ(u.size(), 8u);  // 2 + 1 + 2 + 1 + a surrogate pair
  EXPECT_EQ(u[0], 0x5F55);
  EXPECT_EQ(u[6], 0xD83D);
  EXPECT_EQ(u[7], 0xDE00);
  EXPECT_EQ(Utf16ToUtf8(u), s);
}

TEST(Utf, InvalidInputBecomesReplacementCharacters) {
  // Lone continuation, truncated sequence at the end, overlong '/', encoded surrogate.
  std::string bad = std::string("a\x80") + "b\xC0\xAF" + "c\xED\xA0\x80" + "d\xE5\xBD";
  std::u16string u = Utf8ToUtf16(bad);
  EXPECT_EQ(u, u"a\uFFFDb\uFFFD\uFFFDc\uFFFDd\uFFFD");
  EXPECT_FALSE(IsValidUtf8(bad));
  EXPECT_TRUE(IsValidUtf8("声道"));
  // Unpaired surrogates in UTF-16.
  std::u16string lone = {u'x', char16_t(0xD800), u'y', char16_t(0xDC00)};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Utf, CuttingKeepsWholeCodePoints) {
  std::string s = "a宋体b";
  EXPECT_EQ(Utf8Length(s), 4u);
  EXPECT_EQ(Utf8CodePointLength(s, 1), 3);
  EXPECT_EQ(Utf8CodePointLength(s, 99), 0);
  EXPECT_EQ(Utf8Copy(s, 1, 2), "宋体");
  EXPECT_EQ(Utf8Copy(s, 3, 10), "b");
  EXPECT_EQ(Utf8Copy(s, 9, 1), "");
  EXPECT_EQ(Utf8TruncateBytes(s, 5), "a宋");  // 1 + 3; the next needs 3 more
  EXPECT_EQ(Utf8TruncateBytes(s, 3), "a");
  std::string cut = "\xE5\xBD";  // a truncated sequence counts byte by byte
  EXPECT_EQ(Utf8Length(cut), 2u);
}
