#pragma once
// String, number and file-name helpers. Strings are UTF-8; case helpers touch ASCII
// letters only, except CaseFold; helpers that cut text cut on whole code points.
#include <cstdint>
#include <string>

#include "framework/core/Types.h"

// Raises EConvertError("'x' is not a valid integer value"). Accepts an optional sign,
// decimal, "$hex" and "0xhex"; surrounding spaces are allowed; range of Integer.
int StrToInt(const std::string& s);
int StrToIntDef(const std::string& s, int defaultValue);
bool TryStrToInt(const std::string& s, int& value);
Int64 StrToInt64(const std::string& s);
bool TryStrToInt64(const std::string& s, Int64& value);
std::string IntToStr(Int64 value);
// Upper-case hex with at least digits digits.
std::string IntToHex(std::uint64_t value, int digits);
// Raises EConvertError("'x' is not a valid floating point value"); '.' is the separator.
double StrToFloat(const std::string& s);
bool TryStrToFloat(const std::string& s, double& value);
// Shortest text that reads back as the same double.
std::string FloatToStr(double value);

// Trim removes characters <= ' ' at either end.
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
// <0, 0, >0 comparing ASCII-lower-cased bytes.
int CompareText(const std::string& a, const std::string& b);
int CompareStr(const std::string& a, const std::string& b);

// Path helpers on '/' paths.
std::string ExtractFilePath(const std::string& fileName);   // "dir/" kept with its '/'
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);    // ".ext" or ""
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
bool FileExists(const std::string& fileName);       // an existing non-directory
bool DirectoryExists(const std::string& path);
bool DeleteFile(const std::string& fileName);
// The running program's full path (from /proc/self/exe).
std::string ApplicationExeName();

// UTF-8 <-> UTF-16, lossless for byte strings: file names are bytes, and one that is not
// UTF-8 must still name its file after a trip through UTF-16. Each byte of a malformed
// sequence (bad lead, truncated, overlong, surrogate, above U+10FFFF) travels as the
// lone low surrogate U+DC00 + byte (U+DC80..U+DCFF) and comes back as that byte. Other
// unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(const std::u16string& s);
// One code point as UTF-8 (U+FFFD for surrogates and values above U+10FFFF).
std::string Utf8Encode(char32_t cp);
// Length in bytes of the UTF-8 sequence starting at s[pos] (1 for a malformed byte,
// 0 at or past the end). Never reads past the end of s.
int Utf8CodePointLength(const std::string& s, size_t pos);
// Number of code points (malformed bytes count one each).
size_t Utf8Length(const std::string& s);
// count code points of s starting at code point firstCodePoint (clamped to the end).
std::string Utf8Copy(const std::string& s, size_t firstCodePoint, size_t count);
// Cuts s to at most maxBytes bytes without splitting a code point.
std::string Utf8TruncateBytes(const std::string& s, size_t maxBytes);
bool IsValidUtf8(const std::string& s);

// Unicode simple case folding, for matching typed text without regard to case in any
// script ("é" finds "École", "ж" finds "Жук"). Bytes that are not UTF-8 stay as they are.
std::string CaseFold(const std::string& s);
// Whether text begins with prefix, both case-folded.
bool StartsWithFolded(const std::string& text, const std::string& prefix);
