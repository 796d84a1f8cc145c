#include "skin/data/SkinDataRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

void RegisterSkinDataClasses() {
  TClassRegistry& r = ClassRegistry();

  using D = TbsSkinData;
  r.RegisterClass<D>("TbsSkinData", "TComponent")
      .Reference("CompressedStoredSkin", &D::CompressedStoredSkin, &D::SetCompressedStoredSkin)
      .Reference("ResourceStrData", &D::ResourceStrData, &D::SetResourceStrData);

  using S = TbsCompressedStoredSkin;
  r.RegisterClass<S>("TbsCompressedStoredSkin", "TComponent")
      .String("Description", &S::Description, &S::SetDescription)
      .String("FileName", &S::FileName, &S::SetFileName)
      .String("CompressedFileName", &S::CompressedFileName, &S::SetCompressedFileName)
      .Binary("CompressedData", [](const S* s) { return s->PackedData().Bytes(); },
              [](S* s, const std::vector<std::uint8_t>& bytes) {
                TMemoryStream block;
                if (!bytes.empty()) block.WriteBuffer(bytes.data(), Int64(bytes.size()));
                s->ReadCompressedData(block);
              });

  using R = TbsResourceStrData;
  r.RegisterClass<R>("TbsResourceStrData", "TComponent")
      .StringList("ResStrings", &R::ResStrings, &R::SetResStrings)
      .Integer("CharSet", &R::CharSet, &R::SetCharSet);
}
