// Skin INI text: the dialect, every value reader and every record kind.
#include <cstdint>
#include <string>

#include "framework/core/Exceptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TSkinIniFile ini;
  ini.SetText(std::string(reinterpret_cast<const char*>(data), size));
  TbsSkinData skin(nullptr);
  try {
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
  } catch (const Exception&) {
  }
  return 0;
}
