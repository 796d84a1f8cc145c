#include "tools/skintool/SkinUnpack.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "tools/skintool/SkinFileParts.h"

namespace fs = std::filesystem;

namespace {
const char* const IniName = "skin.ini";

struct TOutput {
  std::string key;   // INI key the name came from, for messages
  std::string path;  // below the output folder
  const TBitmap* bitmap;
};

std::string BitmapBytes(const TBitmap& b) {
  const auto bytes = b.SaveToBytes();
  return std::string(bytes.begin(), bytes.end());
}

// Every existing part of path below root must stay below root, also through links.
void CheckInside(const fs::path& root, const fs::path& path) {
  const fs::path realRoot = fs::weakly_canonical(root);
  const fs::path real = fs::weakly_canonical(path);
  auto r = realRoot.begin();
  auto p = real.begin();
  for (; r != realRoot.end() && !r->empty(); ++r, ++p)
    if (p == real.end() || *p != *r)
      throw EInvalidPath("'" + path.string() + "' leads out of the output folder (through a link)");
}
}  // namespace

std::string PictureOutputPath(const std::string& name, const std::string& key) {
  const std::string where = "[PICTURES] " + key + ": picture name '" + name + "' ";
  if (name.find('\0') != std::string::npos) throw EInvalidPath(where + "holds a NUL byte");
  if (!name.empty() && name[0] == '/') throw EInvalidPath(where + "is absolute; unpacking writes only inside the output folder");
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    if (part == "..") throw EInvalidPath(where + "climbs out of the output folder");
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  const std::string last = name.substr(name.rfind('/') == std::string::npos ? 0 : name.rfind('/') + 1);
  if (parts.empty() || last.empty() || last == ".") throw EInvalidPath(where + "names no file");
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

int UnpackSkinFile(const std::string& in, const std::string& folder, bool force) {
  TUnpackedSkin s = ReadSkinFile(in);
  const std::string dir = IncludeTrailingPathDelimiter(folder);
  if (!DirectoryExists(dir)) throw EInOutError(2, "folder '" + dir + "' does not exist");
  TSkinIniFile ini;
  ini.SetText(s.text);

  std::vector<TOutput> outputs;
  auto add = [&](const TBitmap& b, const std::string& key, const std::string& name, const std::string& fallback) {
    if (!b.Empty()) outputs.push_back({key, PictureOutputPath(name.empty() ? fallback : name, key), &b});
  };
  add(*s.main, "picture", ReadSkinString(ini, "PICTURES", "picture"), "picture.bmp");
  add(*s.inactive, "inactivepicture", ReadSkinString(ini, "PICTURES", "inactivepicture"), "inactivepicture.bmp");
  add(*s.mask, "mask", ReadSkinString(ini, "PICTURES", "mask"), "mask.bmp");
  TStringList names;
  ReadPictureNames(ini, s, names);
  for (size_t i = 0; i < s.pictures.size(); ++i)
    add(*s.pictures[i], IntToStr(Int64(i)), names[int(i)], "picture" + IntToStr(Int64(i)) + ".bmp");

  // Plan everything before the first byte is written.
  std::map<std::string, size_t> taken{{IniName, outputs.size()}};
  std::vector<const TOutput*> writes;
  for (size_t i = 0; i < outputs.size(); ++i) {
    const TOutput& o = outputs[i];
    auto [it, fresh] = taken.emplace(o.path, i);
    if (!fresh) {
      // The same file listed twice unpacks once; two different images cannot share a name.
      if (it->second < outputs.size() && BitmapBytes(*outputs[it->second].bitmap) == BitmapBytes(*o.bitmap)) continue;
      const std::string other = it->second < outputs.size() ? "[PICTURES] " + outputs[it->second].key : "the INI text";
      throw EInvalidPath("[PICTURES] " + o.key + " and " + other + " both unpack to '" + o.path + "'");
    }
    writes.push_back(&o);
  }
  std::vector<std::string> targets;
  for (const TOutput* o : writes) targets.push_back(o->path);
  targets.push_back(IniName);
  for (const auto& t : targets) {
    CheckInside(dir, dir + t);
    std::error_code ec;
    if (!force && fs::symlink_status(dir + t, ec).type() != fs::file_type::not_found)
      throw EFCreateError("'" + dir + t + "' exists already; --force overwrites it");
  }

  for (const TOutput* o : writes) {
    const fs::path target = dir + o->path;
    fs::create_directories(target.parent_path());
    CheckInside(dir, target);  // a folder made just now cannot lead out, one met can
    o->bitmap->SaveToFile(target.string());
    std::cout << "  " << o->path << " " << o->bitmap->Width() << "x" << o->bitmap->Height() << "\n";
  }
  TFileStream f(dir + IniName, fmCreate);
  f.WriteBuffer(s.text.data(), Int64(s.text.size()));
  std::cout << "unpacked " << in << " -> " << dir << IniName << "\n";
  return 0;
}
