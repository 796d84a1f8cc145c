// The compressed skin file: header, data size, zlib data, then the whole load.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const std::string path = "/tmp/corvale-fuzz-skin-" + std::to_string(getpid()) + ".skn";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(data, Int64(size));
  }
  TbsCompressedStoredSkin stored(nullptr);
  TbsSkinData skin(nullptr);
  try {
    stored.ReadPackedFile(path);
    skin.LoadFromStoredSkin(&stored);
  } catch (const Exception&) {
  }
  return 0;
}
