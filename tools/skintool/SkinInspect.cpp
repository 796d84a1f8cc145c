#include "tools/skintool/SkinInspect.h"

#include <iostream>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinWarnings.h"
#include "tools/skintool/SkinFileParts.h"

namespace {
std::string Size(const TBitmap& b) { return b.Empty() ? "none" : IntToStr(b.Width()) + "x" + IntToStr(b.Height()); }
}  // namespace

int InspectSkinFile(const std::string& in) {
  TUnpackedSkin s = ReadSkinFile(in);
  TSkinIniFile ini;
  ini.SetText(s.text);
  std::cout << "version " << s.version << "\n";
  std::cout << "skin " << ReadSkinString(ini, "VERSION", "skinname") << " by "
            << ReadSkinString(ini, "VERSION", "skinauthor") << "\n";
  std::cout << "pictures:\n  picture " << Size(*s.main) << "\n  inactivepicture " << Size(*s.inactive)
            << "\n  mask " << Size(*s.mask) << "\n";
  TStringList names;
  ReadPictureNames(ini, s, names);
  for (size_t i = 0; i < s.pictures.size(); ++i) {
    const std::string& name = names[int(i)];
    std::cout << "  [" << i << "] " << (name.empty() ? "?" : name) << " " << Size(*s.pictures[i]) << "\n";
  }
  std::cout << "FORMINFO:\n";
  TStringList keys;
  ini.ReadSection("FORMINFO", keys);
  for (int i = 0; i < keys.Count(); ++i)
    std::cout << "  " << keys[i] << " = " << ini.ReadString("FORMINFO", keys[i], "") << "\n";

  // Load it the way a form would, so malformed values surface as they would there.
  TbsSkinData data(nullptr);
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadSkinFileOrFolder(in);
  try {
    data.LoadFromStoredSkin(&stored);
  } catch (const std::exception& e) {
    throw EReadError(SkinErrorAt(DirectoryExists(in) ? TbsCompressedStoredSkin::FolderIniPath(in) : in, e));
  }

  auto list = [&](const char* title, auto& records) {
    std::cout << title << ":\n";
    for (auto& rec : records) {
      ini.ReadSection(rec->IDName, keys);
      std::cout << "  " << rec->IDName << " (" << rec->ClassName() << "):";
      for (int i = 0; i < keys.Count(); ++i) std::cout << " " << keys[i];
      std::cout << "\n";
    }
  };
  list("objects", data.ObjectRecords);
  list("controls", data.ControlRecords);
  const std::vector<std::string> warnings = SkinWarnings(data, ini);
  std::cout << "warnings: " << warnings.size() << "\n";
  for (const auto& w : warnings) std::cout << "  warning: " << w << "\n";
  return 0;
}
