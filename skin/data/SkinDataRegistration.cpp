#include "skin/data/SkinDataRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

void RegisterSkinDataClasses() {
  TClassRegistry& r = ClassRegistry();

  r.RegisterClass<TbsSkinData>("TbsSkinData", "TComponent")
      .Reference<TbsCompressedStoredSkin>(
          "CompressedStoredSkin", [](TbsSkinData* d, TbsCompressedStoredSkin* v) { d->SetCompressedStoredSkin(v); },
          [](const TbsSkinData* d) { return d->CompressedStoredSkin(); })
      .Reference<TbsResourceStrData>(
          "ResourceStrData", [](TbsSkinData* d, TbsResourceStrData* v) { d->SetResourceStrData(v); },
          [](const TbsSkinData* d) { return d->ResourceStrData(); });

  r.RegisterClass<TbsCompressedStoredSkin>("TbsCompressedStoredSkin", "TComponent")
      .String("Description", [](TbsCompressedStoredSkin* s, const std::string& v) { s->SetDescription(v); },
              [](const TbsCompressedStoredSkin* s) { return s->Description(); })
      .String("FileName", [](TbsCompressedStoredSkin* s, const std::string& v) { s->SetFileName(v); },
              [](const TbsCompressedStoredSkin* s) { return s->FileName(); })
      .String("CompressedFileName",
              [](TbsCompressedStoredSkin* s, const std::string& v) { s->SetCompressedFileName(v); },
              [](const TbsCompressedStoredSkin* s) { return s->CompressedFileName(); })
      .Binary(
          "CompressedData",
          [](TbsCompressedStoredSkin* s, const std::vector<std::uint8_t>& bytes) {
            TMemoryStream block;
            if (!bytes.empty()) block.WriteBuffer(bytes.data(), Int64(bytes.size()));
            s->ReadCompressedData(block);
          },
          [](const TbsCompressedStoredSkin* s) { return s->PackedData().Bytes(); });

  r.RegisterClass<TbsResourceStrData>("TbsResourceStrData", "TComponent")
      .StringList("ResStrings",
                  [](TbsResourceStrData* d, const std::vector<std::string>& lines) {
                    TStringList list;
                    for (const auto& l : lines) list.Add(l);
                    d->SetResStrings(list);
                  },
                  [](const TbsResourceStrData* d) { return d->ResStrings().ToVector(); })
      .Integer("CharSet", [](TbsResourceStrData* d, Int64 v) { d->SetCharSet(TFontCharset(v)); },
               [](const TbsResourceStrData* d) -> Int64 { return d->CharSet(); });
}
