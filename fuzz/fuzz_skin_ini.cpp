// Skin INI text: the dialect, every value reader, every section and record kind, the
// warnings of inspect and the places (file:line) of malformed values.
#include <cstdint>
#include <string>

#include "framework/core/Exceptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinKeyIO.h"
#include "skin/data/SkinWarnings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TSkinIniFile ini;
  ini.SetText(std::string(reinterpret_cast<const char*>(data), size));
  TbsSkinData skin(nullptr);
  try {
    ReadSkinKeys(ini, "VERSION", [&](TSkinKeyIO& io) { skin.VersionKeys(io); });
    ReadSkinKeys(ini, "PICTURES", [&](TSkinKeyIO& io) { skin.PictureKeys(io); });
    skin.ReadFormInfo(ini);
    skin.PopupRecord->ReadFromIni(ini);
    skin.HintRecord->ReadFromIni(ini);
    skin.ReadObjectList(ini);
    skin.ReadControlList(ini);
    TStringList names;
    ReadNameList(ini, "PICTURES", "activepictures", names, 64);
    TSkinIniFile out;
    for (auto& r : skin.ControlRecords) r->WriteToIni(out);
    for (auto& r : skin.ObjectRecords) r->WriteToIni(out);
    SkinWarnings(skin, ini);
  } catch (const Exception& e) {
    SkinErrorAt("skin.ini", e);
  }
  return 0;
}
