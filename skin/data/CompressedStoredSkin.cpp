#include "skin/data/CompressedStoredSkin.h"

#include "framework/core/Exceptions.h"
#include "skin/data/SkinIniFile.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/ZlibStreams.h"

namespace {
const char* const RequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

void WriteInt32(TStream& s, Integer v) {
  const Byte b[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
  s.WriteBuffer(b, 4);
}

Integer ReadInt32(TStream& s) {
  Byte b[4];
  s.ReadBuffer(b, 4);
  return Integer(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                 std::uint32_t(b[3]) << 24);
}

// "file:line: " of a key of the INI file (the line of the section when the key is absent).
std::string Place(const std::string& path, const TSkinIniFile& ini, const std::string& key) {
  int line = ini.KeyLine("PICTURES", key);
  if (line == 0) line = ini.SectionLine("PICTURES");
  return path + (line > 0 ? ":" + IntToStr(line) : std::string()) + ": ";
}

// The bitmap file folder + name; a failure names the place of the key the name came from.
void LoadPicture(TBitmap& bmp, const std::string& folder, const std::string& place, const std::string& key,
                 const std::string& name) {
  const std::string file = folder + name;
  const std::string where = place + "[PICTURES] " + key + ": picture file '" + file + "' ";
  if (!FileExists(file)) throw EFOpenError(where + (DirectoryExists(file) ? "is a folder" : "does not exist"));
  try {
    bmp.LoadFromFile(file);
  } catch (const Exception& e) {
    throw EReadError(where + "cannot be loaded: " + e.Message());
  } catch (const std::exception& e) {
    throw EReadError(where + "cannot be loaded: " + e.what());
  }
}

// One flag byte (1 = no image) and, for a non-empty bitmap, its BMP image.
void WriteFlaggedPicture(TStream& out, const std::string& path, const TSkinIniFile& ini, const std::string& key) {
  const std::string name = ReadSkinString(ini, "PICTURES", key);
  TBitmap bmp;
  if (!name.empty()) LoadPicture(bmp, ExtractFilePath(path), Place(path, ini, key), key, name);
  const Byte flag = bmp.Empty() ? 1 : 0;
  out.WriteBuffer(&flag, 1);
  if (!bmp.Empty()) bmp.SaveToStream(out);
}

// The names of "activepictures". Every picture written needs a file, so a missing or
// empty name is an error; the first one is met within the keys the section holds.
void ReadPictureNames(const std::string& path, const TSkinIniFile& ini, TStringList& names) {
  const int count = ReadNameListCount(ini, "PICTURES", "activepictures");
  for (int i = 0; i < count; ++i) {
    const std::string key = IntToStr(i);
    const std::string name = ReadSkinString(ini, "PICTURES", key);
    if (name.empty())
      throw EReadError(Place(path, ini, ini.ValueExists("PICTURES", key) ? key : "activepicturescount") +
                       Format("[PICTURES] %s: activepicturescount is %d, but picture %d has no file name",
                              key.c_str(), count, i));
    names.Add(name);
  }
}

std::string ReadFileBytes(const std::string& path) {
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBuffer(bytes.data(), Int64(bytes.size()));
  return bytes;
}
}  // namespace

TbsCompressedStoredSkin::TbsCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), FPackedData(std::make_unique<TMemoryStream>()) {}

TbsCompressedStoredSkin::~TbsCompressedStoredSkin() = default;

bool TbsCompressedStoredSkin::Designing() const {
  const TComponentState st = ComponentState();
  return st.Contains(csDesigning) && !st.Contains(csReading) && !st.Contains(csLoading);
}

void TbsCompressedStoredSkin::SetFileName(const std::string& v) {
  if (Designing()) {
    FFileName = ExtractFileName(v);
    PackSkinIni(v);
  } else {
    FFileName = v;
  }
}

void TbsCompressedStoredSkin::SetCompressedFileName(const std::string& v) {
  if (Designing()) {
    FCompressedFileName = ExtractFileName(v);
    ReadPackedFile(v);
  } else {
    FCompressedFileName = v;
  }
}

void TbsCompressedStoredSkin::UnpackTo(TStream& target) { DecompressStream(target, *FPackedData); }

void TbsCompressedStoredSkin::PackSkinIni(const std::string& path) { Pack(path, false); }

void TbsCompressedStoredSkin::Pack(const std::string& path, bool fast) {
  // The stored text holds the file's lines as they are, a byte-order mark included.
  const std::string text = ReadFileBytes(path);
  TStringList lines;
  lines.SetText(text);
  TSkinIniFile ini;
  ini.SetText(text);
  for (const char* section : RequiredSections)
    if (!ini.SectionExists(section)) return;

  FPackedData->Clear();
  TStringList names;
  ReadPictureNames(path, ini, names);
  TMemoryStream raw;
  WriteInt32(raw, SkinStreamVersion);
  WriteFlaggedPicture(raw, path, ini, "picture");
  WriteFlaggedPicture(raw, path, ini, "inactivepicture");
  WriteFlaggedPicture(raw, path, ini, "mask");
  WriteInt32(raw, names.Count());
  for (int i = 0; i < names.Count(); ++i) {
    TBitmap bmp;
    LoadPicture(bmp, ExtractFilePath(path), Place(path, ini, IntToStr(i)), IntToStr(i), names[i]);
    bmp.SaveToStream(raw);
  }
  for (int i = 0; i < lines.Count(); ++i) {
    raw.WriteBuffer(lines[i].data(), Int64(lines[i].size()));
    raw.WriteBuffer("\r\n", 2);
  }
  CompressStream(raw, *FPackedData, fast ? TCompressionLevel::clNone : TCompressionLevel::clMax);
}

void TbsCompressedStoredSkin::ReadPackedFile(const std::string& path) {
  FPackedData->Clear();
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  if (file.Size() < 8)
    throw EReadError(Format("Compressed skin file '%s' is too short for its header", path.c_str()));
  const Integer version = ReadInt32(file);
  if (version > SkinStreamVersion) return;
  const Integer size = ReadInt32(file);
  const Int64 left = file.Size() - file.Position();
  if (size < 0 || size > left)
    throw EReadError(Format("Compressed skin file '%s' declares %d bytes of data but holds %lld",
                            path.c_str(), size, static_cast<long long>(left)));
  if (size > 0) FPackedData->CopyFrom(file, size);
  FPackedData->SetPosition(0);
}

std::string TbsCompressedStoredSkin::FolderIniPath(const std::string& folder) {
  return IncludeTrailingPathDelimiter(folder) + "skin.ini";
}

void TbsCompressedStoredSkin::CheckSkinSections(const std::string& iniPath) {
  TSkinIniFile ini;
  ini.SetText(ReadFileBytes(iniPath));
  for (const char* section : RequiredSections)
    if (!ini.SectionExists(section)) throw EReadError(iniPath + ": the skin INI has no section [" + section + "]");
}

void TbsCompressedStoredSkin::PackSkinFolder(const std::string& folder) {
  const std::string ini = FolderIniPath(folder);
  if (!FileExists(ini))
    throw EFOpenError(ini + ": a skin folder holds its description in skin.ini, and '" + folder + "' has none");
  CheckSkinSections(ini);
  // Packed in memory on every load, never kept: stored blocks, no time spent deflating.
  Pack(ini, true);
}

void TbsCompressedStoredSkin::ReadSkinFileOrFolder(const std::string& path) {
  if (DirectoryExists(path))
    PackSkinFolder(path);
  else
    ReadPackedFile(path);
}

void TbsCompressedStoredSkin::WritePackedFile(const std::string& path) const {
  TFileStream file(path, fmCreate);
  WriteInt32(file, SkinStreamVersion);
  WriteInt32(file, Integer(FPackedData->Size()));
  FPackedData->SaveToStream(file);
}

void TbsCompressedStoredSkin::ReadCompressedData(TStream& stream) {
  FPackedData->Clear();
  stream.SetPosition(0);
  FPackedData->CopyFrom(stream, 0);
  FPackedData->SetPosition(0);
}

void TbsCompressedStoredSkin::WriteCompressedData(TStream& stream) const { FPackedData->SaveToStream(stream); }
