#pragma once
// Builders for skin streams used by the skin data tests: BMP images, decompressed skin
// streams with chosen versions, flags and picture counts, and stored skins packing them.
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/windows/Forms.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ZlibStreams.h"
#include "tests/support/StoredSkins.h"
#include "tests/support/TestSupport.h"

namespace skintest {

inline void PutInt(TStream& s, Integer v) {
  const Byte b[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
  s.WriteBuffer(b, 4);
}

// A w x h bitmap whose pixel (0,0) has colour c, as BMP bytes.
inline std::string BmpBytes(int w, int h, TColor c) {
  TBitmap bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, x == 0 && y == 0 ? c : clWhite);
  TMemoryStream ms;
  bmp.SaveToStream(ms);
  return std::string(reinterpret_cast<const char*>(ms.Memory()), size_t(ms.Size()));
}

struct SkinStream {
  Integer version = 3;
  // Each entry: flag byte and, when the flag is 0, the image bytes.
  std::vector<std::pair<Byte, std::string>> flagged;
  Integer count = 0;
  std::vector<std::string> pictures;
  std::string ini;

  std::string Bytes() const {
    TMemoryStream ms;
    PutInt(ms, version);
    for (const auto& [flag, image] : flagged) {
      ms.WriteBuffer(&flag, 1);
      if (flag == 0) ms.WriteBuffer(image.data(), Int64(image.size()));
    }
    PutInt(ms, count);
    for (const auto& p : pictures) ms.WriteBuffer(p.data(), Int64(p.size()));
    ms.WriteBuffer(ini.data(), Int64(ini.size()));
    return std::string(reinterpret_cast<const char*>(ms.Memory()), size_t(ms.Size()));
  }
};

inline std::string Deflate(const std::string& raw) {
  TStringStream src(raw);
  TMemoryStream out;
  CompressStream(src, out);
  return std::string(reinterpret_cast<const char*>(out.Memory()), size_t(out.Size()));
}

inline void Store(TbsCompressedStoredSkin& stored, const std::string& packed) {
  TStringStream block(packed);
  stored.ReadCompressedData(block);
}

// A form class of the tests' own, registered as a layout root.
class TSkinTestForm : public TForm {
 public:
  using TForm::TForm;
  std::string ClassName() const override { return "TSkinTestForm"; }
  static void Register() { ClassRegistry().RegisterRootClass<TSkinTestForm>("TSkinTestForm", "TForm"); }
};

// The demonstration skin's folder, its bitmaps drawn by the generator into the build tree.
using testsupport::SlateSkinFolder;

}  // namespace skintest
