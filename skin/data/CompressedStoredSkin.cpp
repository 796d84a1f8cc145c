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

// One flag byte (1 = no image) and, for a non-empty bitmap, its BMP image.
void WriteFlaggedPicture(TStream& out, const std::string& folder, const std::string& name) {
  TBitmap bmp;
  if (!name.empty()) bmp.LoadFromFile(folder + name);
  const Byte flag = bmp.Empty() ? 1 : 0;
  out.WriteBuffer(&flag, 1);
  if (!bmp.Empty()) bmp.SaveToStream(out);
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

void TbsCompressedStoredSkin::PackSkinIni(const std::string& path) {
  TStringList lines;
  lines.LoadFromFile(path);
  TSkinIniFile ini;
  ini.SetStrings(lines);
  for (const char* section : RequiredSections)
    if (!ini.SectionExists(section)) return;

  const std::string folder = ExtractFilePath(path);
  FPackedData->Clear();
  TMemoryStream raw;
  WriteInt32(raw, SkinStreamVersion);
  WriteFlaggedPicture(raw, folder, ReadSkinString(ini, "PICTURES", "picture"));
  WriteFlaggedPicture(raw, folder, ReadSkinString(ini, "PICTURES", "inactivepicture"));
  WriteFlaggedPicture(raw, folder, ReadSkinString(ini, "PICTURES", "mask"));

  TStringList names;
  ReadNameList(ini, "PICTURES", "activepictures", names);
  WriteInt32(raw, names.Count());
  for (int i = 0; i < names.Count(); ++i) {
    TBitmap bmp;
    bmp.LoadFromFile(folder + names[i]);
    bmp.SaveToStream(raw);
  }
  for (int i = 0; i < lines.Count(); ++i) {
    raw.WriteBuffer(lines[i].data(), Int64(lines[i].size()));
    raw.WriteBuffer("\r\n", 2);
  }
  CompressStream(raw, *FPackedData);
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
