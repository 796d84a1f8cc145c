#include "tools/skintool/SkinFileParts.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinStreamReader.h"

TUnpackedSkin ReadSkinFile(const std::string& path) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadSkinFileOrFolder(path);
  if (stored.IsDataEmpty()) throw EReadError("'" + path + "' holds no skin data (or a version above 3)");
  TMemoryStream raw;
  stored.UnpackTo(raw);
  raw.SetPosition(0);
  TSkinStreamReader r(raw);
  TUnpackedSkin s;
  s.version = r.ReadInteger();
  if (s.version > SkinStreamVersion) throw EReadError(Format("skin stream version %d is not supported", s.version));
  for (auto* b : {&s.main, &s.inactive, &s.mask}) {
    *b = std::make_unique<TBitmap>();
    r.ReadFlaggedBitmap(**b);
  }
  if (s.version == 2) {
    TBitmap dropped;
    r.ReadFlaggedBitmap(dropped);
    r.ReadFlaggedBitmap(dropped);
  }
  // Each picture is checked against the bytes left before it is read: a huge count fails early.
  const Integer count = r.ReadInteger();
  for (Integer i = 0; i < count; ++i) {
    s.pictures.push_back(std::make_unique<TBitmap>());
    r.ReadBitmap(*s.pictures.back());
  }
  s.text = r.ReadRest();
  return s;
}

void ReadPictureNames(const TSkinIniFile& ini, const TUnpackedSkin& skin, TStringList& names) {
  names.Clear();
  ReadNameList(ini, "PICTURES", "activepictures", names, static_cast<int>(skin.pictures.size()));
  while (names.Count() < static_cast<int>(skin.pictures.size())) names.Add("");
}
