#include "skin/data/SkinWarnings.h"

#include <algorithm>
#include <map>
#include <type_traits>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinStreamReader.h"

namespace {
// Rectangle keys that are relative to another rectangle, not places in a picture.
bool IsPictureRectKey(const std::string& key) {
  const std::string k = LowerCase(key);
  return k.size() > 4 && k.compare(k.size() - 4, 4, "rect") == 0 && k != "clientrect" && k != "textrect" &&
         k != "itemtextrect" && k != "captionrect" && k.find("area") == std::string::npos;
}
}  // namespace

std::vector<std::string> SkinWarnings(const TbsSkinData& data, const TSkinIniFile& ini) {
  std::vector<std::string> warnings;
  const size_t pictures = data.PictureList.size();
  TStringList names;
  ReadNameList(ini, "PICTURES", "activepictures", names, int(pictures));
  for (size_t i = 0; i < pictures; ++i)
    if (int(i) >= names.Count() || names[int(i)].empty())
      warnings.push_back(Format("[PICTURES] %zu: picture %zu has no file name", i, i));
  const int declared = ReadNameListCount(ini, "PICTURES", "activepictures");
  if (std::max(declared, 0) != int(pictures))
    warnings.push_back(Format("activepictures names %d pictures, the stream holds %zu", declared, pictures));
  for (const auto& r : ini.RepeatedSections())
    warnings.push_back(r.First == r.Repeat
                           ? Format("section [%s] appears twice; its keys join the first one's, whose values win",
                                    r.First.c_str())
                           : Format("section [%s] differs from [%s] only in case: they are one section, and the "
                                    "first one's values win",
                                    r.Repeat.c_str(), r.First.c_str()));

  auto pictureOf = [&](int index) -> const TBitmap* {
    return data.IsValidPictureIndex(index) ? data.PictureList[size_t(index)].get() : nullptr;
  };
  auto checkRect = [&](const std::string& id, const std::string& key, const TBitmap* pic, const char* picName) {
    const TRect r = ReadSkinRect(ini, id, key);
    if (IsSkinRectEmpty(r) || !pic || pic->Empty()) return;
    if (r.Left < 0 || r.Top < 0 || r.Right > pic->Width() || r.Bottom > pic->Height())
      warnings.push_back(Format("[%s] %s %s lies outside its %dx%d picture (%s)", id.c_str(), key.c_str(),
                                SkinRectToStr(r).c_str(), pic->Width(), pic->Height(), picName));
  };
  std::map<std::string, int> seen;
  TStringList keys;
  auto records = [&](const char* title, auto& list) {
    for (auto& rec : list) {
      if (++seen[std::string(title) + rec->IDName] == 2)
        warnings.push_back(Format("%s: the name '%s' is listed twice; the first one is used", title, rec->IDName.c_str()));
      ini.ReadSection(rec->IDName, keys);
      if (!ini.SectionExists(rec->IDName)) warnings.push_back("no section [" + rec->IDName + "]");
      constexpr bool control = std::is_same_v<std::decay_t<decltype(*rec)>, TbsDataSkinControl>;
      int index = -1;
      if constexpr (control) index = rec->pictureindex;
      else index = rec->activepictureindex;
      if (index != -1 && !data.IsValidPictureIndex(index))
        warnings.push_back(Format("[%s] picture index %d is out of range (%zu pictures)", rec->IDName.c_str(), index,
                                  pictures));
      for (int i = 0; i < keys.Count(); ++i) {
        if (!IsPictureRectKey(keys[i])) continue;
        // A control's images are all in its picture. An object's normal image is part of
        // the frame picture unless skinrectinapicture moves it into the active picture,
        // where its other images always are.
        bool inFrame = false;
        if constexpr (!control) inFrame = SameText(keys[i], "skinrect") && !rec->skinrectinapicture;
        if (inFrame)
          checkRect(rec->IDName, keys[i], data.SkinPicture.get(), "the frame picture");
        else
          checkRect(rec->IDName, keys[i], pictureOf(index), control ? "pictureindex" : "activepictureindex");
      }
    }
  };
  records("objects", data.ObjectRecords);
  records("controls", data.ControlRecords);
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
  return warnings;
}

std::string StoredSkinIniText(TbsCompressedStoredSkin& stored) {
  TMemoryStream raw;
  stored.UnpackTo(raw);
  raw.SetPosition(0);
  TSkinStreamReader r(raw);
  const Integer version = r.ReadInteger();
  TBitmap skip;
  for (int i = 0; i < (version == 2 ? 5 : 3); ++i) r.ReadFlaggedBitmap(skip);
  const Integer count = r.ReadInteger();
  for (Integer i = 0; i < count; ++i) r.ReadBitmap(skip);
  return r.ReadRest();
}
