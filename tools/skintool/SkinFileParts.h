#pragma once
// The decompressed stream of a compressed skin file, split into its parts.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"

class TSkinIniFile;

struct TUnpackedSkin {
  Integer version = 0;
  std::unique_ptr<TBitmap> main, inactive, mask;
  std::vector<std::unique_ptr<TBitmap>> pictures;
  std::string text;
};

// Reads and splits a compressed skin file, or packs a skin folder and splits that;
// malformed input raises with a clear message.
TUnpackedSkin ReadSkinFile(const std::string& path);

// The "activepictures" names of the INI, one per picture the stream carries (a missing
// name is empty).
void ReadPictureNames(const TSkinIniFile& ini, const TUnpackedSkin& skin, TStringList& names);
