#include "tests/support/StoredSkins.h"

#include <cstdlib>

#include "tests/support/TestSupport.h"

namespace testsupport {

std::string SlateSkinFolder() {
  static const std::string folder = [] {
    // One folder per test process: ctest runs tests of one binary side by side.
    const std::string out = MakeTempDir("slate-skin");
    const std::string cmd = "python3 '" + std::string(CORVALE_SOURCE_DIR) + "/skins/make_skin.py' '" + out + "'";
    if (std::system(cmd.c_str()) != 0) return std::string();
    return out + "/";
  }();
  return folder;
}

TbsCompressedStoredSkin& SlateStoredSkin() {
  static TbsCompressedStoredSkin* stored = [] {
    auto* s = new TbsCompressedStoredSkin(nullptr);
    const std::string folder = SlateSkinFolder();
    if (!folder.empty()) s->PackSkinIni(folder + "skin.ini");
    return s;
  }();
  return *stored;
}

}  // namespace testsupport
