// The decompressed skin stream: version, flagged bitmaps, picture count, pictures, INI.
// The input is deflated (fast level) and loaded the way a stored skin is.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/ZlibStreams.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TbsCompressedStoredSkin stored(nullptr);
  {
    TCompressionStream c(TCompressionLevel::clFastest, stored.PackedData());
    c.WriteBuffer(data, Int64(size));
    c.Finish();
  }
  TbsSkinData skin(nullptr);
  try {
    skin.LoadFromStoredSkin(&stored);
  } catch (const Exception&) {
    if (!skin.SkinEmpty) std::abort();  // a failed load never leaves a skin behind
  }
  return 0;
}
