#pragma once
// Private profile files (INI) with the classic semantics: sections and keys match
// without regard to case, a write replaces the value in place and keeps every other
// line, and the file is replaced atomically. A file name without a folder lives in
// $XDG_CONFIG_HOME/corvale/ (or ~/.config/corvale/).
#include <string>

#include "framework/core/Types.h"

// Writes Key=Value into Section. A null Key removes the whole section, a null Value
// removes the key. Creates the file and its folder when needed. False on failure.
bool WritePrivateProfileString(const char* Section, const char* Key, const char* Value,
                               const char* FileName);

// Copies the value (or Default when absent) into Buffer, truncated to Size-1 bytes and
// always terminated; returns the number of bytes copied without the terminator.
// A null Section lists the section names, a null Key the keys of Section, each
// terminated by a 0 byte with a final extra 0 (truncated lists return Size-2).
DWORD GetPrivateProfileString(const char* Section, const char* Key, const char* Default,
                              char* Buffer, DWORD Size, const char* FileName);

// The same lookup without a caller's buffer.
std::string GetPrivateProfileStdString(const std::string& Section, const std::string& Key,
                                       const std::string& Default, const std::string& FileName);

// Where a profile file of this name is kept.
std::string ProfileFilePath(const std::string& FileName);
