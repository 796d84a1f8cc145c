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

TEST(Utf, BytesThatAreNotUtf8TravelThroughUtf16AsEscapesAndComeBack) {
  // Latin-1 "café", lone continuation, overlong '/', encoded surrogate, truncated end:
  // every byte of a bad sequence becomes U+DC00 + byte.
  const struct {
    std::string bytes;
    std::u16string utf16;
  } cases[] = {
      {"caf\xE9.mp4", u"caf\xDCE9.mp4"},
      {"a\x80" "b", u"a\xDC80" u"b"},
      {"b\xC0\xAF", u"b\xDCC0\xDCAF"},
      {"c\xED\xA0\x80", u"c\xDCED\xDCA0\xDC80"},
      {"d\xE5\xBD", u"d\xDCE5\xDCBD"},
      {"\xFF\xC3\xA9", u"\xDCFF\u00E9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.bytes), c.utf16) << c.bytes;
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.bytes) << c.bytes;
    EXPECT_FALSE(IsValidUtf8(c.bytes));
  }
  EXPECT_TRUE(IsValidUtf8("声道"));
  // Unpaired surrogates that carry no byte become U+FFFD.
  std::u16string lone = {u'x', char16_t(0xD800), u'y', char16_t(0xDC00), char16_t(0xDC7F), char16_t(0xDD00)};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf, CaseFoldingMatchesLettersOfEveryScript) {
  const struct {
    const char* text;
    const char* prefix;
    bool match;
  } cases[] = {
      {"École", "é", true},        {"école", "ÉC", true},      {"Øre", "ø", true},
      {"Жук", "жу", true},         {"ΣΟΦΙΑ", "σοφ", true},     {"Ωμέγα", "ΩΜΈ", true},
      {"Ärger", "a", false},       {"abc", "abcd", false},     {"caf\xE9", "CAF\xE9", true},
      {"caf\xE9", "café", false},  {"Item", "", true},
  };
  for (const auto& c : cases) EXPECT_EQ(StartsWithFolded(c.text, c.prefix), c.match) << c.text << " / " << c.prefix;
  EXPECT_EQ(CaseFold("ÉCOLE"), CaseFold("école"));
  EXPECT_EQ(Utf8Encode(U'é'), "\xC3\xA9");
  EXPECT_EQ(Utf8Encode(U'😀'), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Encode(char32_t(0xD800)), "\xEF\xBF\xBD");
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
