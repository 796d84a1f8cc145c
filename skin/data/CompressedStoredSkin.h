#pragma once
// A whole skin (bitmaps plus INI text) kept as one zlib-compressed block that is stored
// with the form as the binary property "CompressedData".
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Streams.h"

// Version written by the packer; readers accept this and every lower one.
constexpr Integer SkinStreamVersion = 3;

class TbsCompressedStoredSkin : public TComponent {
 public:
  explicit TbsCompressedStoredSkin(TComponent* AOwner);
  ~TbsCompressedStoredSkin() override;
  std::string ClassName() const override { return "TbsCompressedStoredSkin"; }

  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  // In the designer (outside form reading) the setters keep only the file-name part and
  // repack from the full path given; otherwise they store the value as it is.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& v);
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& v);

  TMemoryStream& PackedData() { return *FPackedData; }
  const TMemoryStream& PackedData() const { return *FPackedData; }
  bool IsDataEmpty() const { return FPackedData->Size() == 0; }

  // Inflates all of PackedData into target at target's position.
  void UnpackTo(TStream& target);
  // Rebuilds PackedData from a skin INI file and the bitmap files it names. An INI
  // without the five skin sections leaves PackedData as it was.
  void PackSkinIni(const std::string& path);
  // Rebuilds PackedData from a compressed skin file; a version above 3 leaves it empty.
  void ReadPackedFile(const std::string& path);
  // Rebuilds PackedData from a skin folder: its skin.ini, which must hold the five skin
  // sections, and the bitmaps it names. Errors name the file and, where there is one,
  // the line.
  void PackSkinFolder(const std::string& folder);
  // A skin folder (PackSkinFolder) or a compressed skin file (ReadPackedFile).
  void ReadSkinFileOrFolder(const std::string& path);

  // skin.ini in the folder.
  static std::string FolderIniPath(const std::string& folder);
  // Raises EReadError naming the first of the five skin sections the INI file lacks.
  static void CheckSkinSections(const std::string& iniPath);
  // Writes PackedData as a compressed skin file (version 3).
  void WritePackedFile(const std::string& path) const;

  // The stored binary property "CompressedData": the block is PackedData, whole.
  void ReadCompressedData(TStream& stream);
  void WriteCompressedData(TStream& stream) const;

 private:
  bool Designing() const;
  void Pack(const std::string& path, bool fast);
  std::string FDescription;
  std::string FFileName;
  std::string FCompressedFileName;
  std::unique_ptr<TMemoryStream> FPackedData;
};
