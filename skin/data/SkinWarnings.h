#pragma once
// Likely mistakes in a skin that loads: what a form would silently get wrong or drop
// (pictures without a name, rectangles outside their picture, picture indexes out of
// range, names listed twice, list entries that make no record, sections without
// records, sections that are one section to the reader). Shared by `skintool inspect`
// and the live reload of a skin folder.
#include <string>
#include <vector>

class TbsCompressedStoredSkin;
class TbsSkinData;
class TSkinIniFile;

// data: the skin loaded from the INI text that ini holds.
std::vector<std::string> SkinWarnings(const TbsSkinData& data, const TSkinIniFile& ini);

// The INI text of a stored skin (the rest of its stream after the bitmaps).
std::string StoredSkinIniText(TbsCompressedStoredSkin& stored);
