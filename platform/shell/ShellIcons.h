#pragma once
// The system icons: two image lists (16 x 16 and 32 x 32) that share their indexes,
// filled from the desktop's icon theme as icons are asked for. Files get the icon of
// their MIME type (by name, never by reading the file).
#include <string>

#include "platform/shell/Shell.h"

class TImageList;

constexpr unsigned SHGFI_LARGEICON = 0x0000;
constexpr unsigned SHGFI_SMALLICON = 0x0001;
constexpr unsigned SHGFI_OPENICON = 0x0002;

// The index of an absolute identifier list's icon in both system image lists; -1 when
// the list names nothing.
int SHGetIconIndex(PCItemIDList absolute, unsigned flags);
// The theme icon name chosen for an item (for tests and diagnostics).
std::string SHGetIconName(PCItemIDList absolute, unsigned flags);
// The system image lists (owned by the shell, alive for the whole program).
TImageList* SHGetSystemImageList(bool large);
