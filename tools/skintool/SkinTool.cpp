// skintool: pack a skin INI folder into a compressed skin file, unpack one again, or
// inspect one. Exit status 0 on success, 1 on bad input, 2 on wrong usage.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinStreamReader.h"

namespace {
int Usage() {
  std::cerr << "usage: skintool pack <skin.ini> <out.skn>\n"
               "       skintool unpack <in.skn> <folder>\n"
               "       skintool inspect <in.skn>\n";
  return 2;
}

// The decompressed stream of a compressed skin file, split into its parts.
struct UnpackedSkin {
  Integer version = 0;
  std::unique_ptr<TBitmap> main, inactive, mask;
  std::vector<std::unique_ptr<TBitmap>> pictures;
  std::string text;
};

UnpackedSkin ReadSkinFile(const std::string& path) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadPackedFile(path);
  if (stored.IsDataEmpty()) throw EReadError("'" + path + "' holds no skin data (or a version above 3)");
  TMemoryStream raw;
  stored.UnpackTo(raw);
  raw.SetPosition(0);
  TSkinStreamReader r(raw);
  UnpackedSkin s;
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
  const Integer count = r.ReadInteger();
  for (Integer i = 0; i < count; ++i) {
    s.pictures.push_back(std::make_unique<TBitmap>());
    r.ReadBitmap(*s.pictures.back());
  }
  s.text = r.ReadRest();
  return s;
}

int Pack(const std::string& ini, const std::string& out) {
  TSkinIniFile check;
  check.LoadFromFile(ini);
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!check.SectionExists(section)) throw EReadError(std::string("the skin INI has no section [") + section + "]");
  TbsCompressedStoredSkin stored(nullptr);
  stored.PackSkinIni(ini);
  stored.WritePackedFile(out);
  std::cout << "packed " << ini << " -> " << out << " (" << stored.PackedData().Size() << " compressed bytes)\n";
  return 0;
}

int Unpack(const std::string& in, const std::string& folder) {
  UnpackedSkin s = ReadSkinFile(in);
  const std::string dir = IncludeTrailingPathDelimiter(folder);
  if (!DirectoryExists(dir)) throw EInOutError(2, "folder '" + dir + "' does not exist");
  TSkinIniFile ini;
  ini.SetText(s.text);
  auto save = [&](const TBitmap& b, const std::string& name, const std::string& fallback) {
    if (b.Empty()) return;
    const std::string file = ExtractFileName(name.empty() ? fallback : name);
    if (file.empty() || file == "." || file == "..") throw EInvalidPath("bad picture name '" + name + "'");
    b.SaveToFile(dir + file);
    std::cout << "  " << file << " " << b.Width() << "x" << b.Height() << "\n";
  };
  save(*s.main, ReadSkinString(ini, "PICTURES", "picture"), "picture.bmp");
  save(*s.inactive, ReadSkinString(ini, "PICTURES", "inactivepicture"), "inactivepicture.bmp");
  save(*s.mask, ReadSkinString(ini, "PICTURES", "mask"), "mask.bmp");
  TStringList names;
  ReadNameList(ini, "PICTURES", "activepictures", names);
  for (size_t i = 0; i < s.pictures.size(); ++i)
    save(*s.pictures[i], int(i) < names.Count() ? names[int(i)] : "", "picture" + IntToStr(Int64(i)) + ".bmp");
  TFileStream f(dir + "skin.ini", fmCreate);
  f.WriteBuffer(s.text.data(), Int64(s.text.size()));
  std::cout << "unpacked " << in << " -> " << dir << "skin.ini\n";
  return 0;
}

std::string Size(const TBitmap& b) { return b.Empty() ? "none" : IntToStr(b.Width()) + "x" + IntToStr(b.Height()); }

int Inspect(const std::string& in) {
  UnpackedSkin s = ReadSkinFile(in);
  TSkinIniFile ini;
  ini.SetText(s.text);
  std::vector<std::string> warnings;
  std::cout << "version " << s.version << "\n";
  std::cout << "skin " << ReadSkinString(ini, "VERSION", "skinname") << " by "
            << ReadSkinString(ini, "VERSION", "skinauthor") << "\n";
  std::cout << "pictures:\n  picture " << Size(*s.main) << "\n  inactivepicture " << Size(*s.inactive)
            << "\n  mask " << Size(*s.mask) << "\n";
  TStringList names;
  ReadNameList(ini, "PICTURES", "activepictures", names);
  for (size_t i = 0; i < s.pictures.size(); ++i)
    std::cout << "  [" << i << "] " << (int(i) < names.Count() ? names[int(i)] : "?") << " " << Size(*s.pictures[i])
              << "\n";
  if (names.Count() != int(s.pictures.size()))
    warnings.push_back(Format("activepictures names %d pictures, the stream holds %zu", names.Count(),
                              s.pictures.size()));
  std::cout << "FORMINFO:\n";
  TStringList keys;
  ini.ReadSection("FORMINFO", keys);
  for (int i = 0; i < keys.Count(); ++i)
    std::cout << "  " << keys[i] << " = " << ini.ReadString("FORMINFO", keys[i], "") << "\n";

  // Load it the way a form would, so malformed values surface as they would there.
  TbsSkinData data(nullptr);
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadPackedFile(in);
  data.LoadFromStoredSkin(&stored);

  auto pictureOf = [&](int index) -> const TBitmap* {
    return data.IsValidPictureIndex(index) ? data.PictureList[size_t(index)].get() : nullptr;
  };
  auto checkRect = [&](const std::string& id, const std::string& key, const TBitmap* pic) {
    const TRect r = ReadSkinRect(ini, id, key);
    if (IsSkinRectEmpty(r) || !pic) return;
    if (r.Left < 0 || r.Top < 0 || r.Right > pic->Width() || r.Bottom > pic->Height())
      warnings.push_back(Format("[%s] %s %s lies outside its %dx%d picture", id.c_str(), key.c_str(),
                                SkinRectToStr(r).c_str(), pic->Width(), pic->Height()));
  };
  std::map<std::string, int> seen;
  auto listRecords = [&](const char* title, auto& records, bool controls) {
    std::cout << title << ":\n";
    for (auto& rec : records) {
      if (++seen[std::string(title) + rec->IDName] == 2)
        warnings.push_back(Format("%s: the name '%s' is listed twice; the first one is used", title, rec->IDName.c_str()));
      ini.ReadSection(rec->IDName, keys);
      std::cout << "  " << rec->IDName << " (" << rec->ClassName() << "):";
      for (int i = 0; i < keys.Count(); ++i) std::cout << " " << keys[i];
      std::cout << "\n";
      if (!ini.SectionExists(rec->IDName)) warnings.push_back("no section [" + rec->IDName + "]");
      int index = -1;
      if constexpr (std::is_same_v<std::decay_t<decltype(*rec)>, TbsDataSkinControl>) index = rec->pictureindex;
      else index = rec->activepictureindex;
      if (index != -1 && !data.IsValidPictureIndex(index))
        warnings.push_back(Format("[%s] picture index %d is out of range (%zu pictures)", rec->IDName.c_str(), index,
                                  data.PictureList.size()));
      const TBitmap* pic = controls ? pictureOf(index) : (index == -1 ? data.SkinPicture.get() : pictureOf(index));
      for (int i = 0; i < keys.Count(); ++i) {
        const std::string k = LowerCase(keys[i]);
        if (k.size() > 4 && k.compare(k.size() - 4, 4, "rect") == 0 && k != "clientrect" && k != "textrect" &&
            k != "itemtextrect" && k != "captionrect" && k.find("area") == std::string::npos)
          checkRect(rec->IDName, keys[i], pic);
      }
    }
  };
  listRecords("objects", data.ObjectRecords, false);
  listRecords("controls", data.ControlRecords, true);
  for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
    ini.ReadSection(list, keys);
    for (int i = 0; i < keys.Count(); ++i) {
      if (SameText(keys[i], "count")) continue;
      std::string name, word;
      const std::string entry = ini.ReadString(list, keys[i], "");
      const bool hasColon = SplitListEntry(entry, name, word);
      const bool known = std::string(list) == "SKINOBJECTS" ? bool(CreateObjectRecord(word, name))
                                                             : bool(CreateControlRecord(word, name));
      if (!hasColon || !known)
        warnings.push_back(Format("[%s] %s=%s makes no record", list, keys[i].c_str(), entry.c_str()));
    }
  }
  for (const char* w : {"POPUPWINDOW", "HINTWINDOW"}) {
    const int index = ini.ReadInteger(w, "windowpictureindex", -1);
    if (index != -1 && !data.IsValidPictureIndex(index))
      warnings.push_back(Format("[%s] windowpictureindex %d is out of range", w, index));
  }
  std::cout << "warnings: " << warnings.size() << "\n";
  for (const auto& w : warnings) std::cout << "  warning: " << w << "\n";
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  // Loading a skin tells the application's forms; a tool has none and needs no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc < 2) return Usage();
  const std::string cmd = argv[1];
  try {
    if (cmd == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (cmd == "unpack" && argc == 4) return Unpack(argv[2], argv[3]);
    if (cmd == "inspect" && argc == 3) return Inspect(argv[2]);
    return Usage();
  } catch (const Exception& e) {
    std::cerr << "skintool: " << e.Message() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "skintool: " << e.what() << "\n";
  }
  return 1;
}
