// A skin folder read directly, with the checks of packing: each mistake is named by the
// file and, where it has one, the line that holds it; a good folder loads as its packed
// file does.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/graphics/Bitmap.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniValues.h"
#include "tests/support/TestSupport.h"

namespace {
// Line 4 names the main picture, line 12 holds the button's skin rectangle (line 10 a
// key of that name in another section).
std::string Ini(const std::string& picture, const std::string& skinrect) {
  return "[VERSION]\nskinname=Folder\n[PICTURES]\npicture=" + picture +
         "\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=1\n0=button:button\nskinrect=9\n[button]\nskinrect=" +
         skinrect + "\n";
}

std::string ErrorOf(const std::string& folder) {
  try {
    TbsCompressedStoredSkin stored(nullptr);
    stored.ReadSkinFileOrFolder(folder);
    TbsSkinData data(nullptr);
    data.LoadFromStoredSkin(&stored);
    return data.SkinEmpty ? "(empty)" : "(loaded " + data.skinname + ")";
  } catch (const std::exception& e) {
    return SkinErrorAt(TbsCompressedStoredSkin::FolderIniPath(folder), e);
  }
}
}  // namespace

TEST(SkinFolder, MistakesAreNamedByFileAndLine) {
  const std::string dir = testsupport::MakeTempDir("skin-folder");
  const std::string ini = dir + "/skin.ini";
  TBitmap(8, 6).SaveToFile(dir + "/frame.bmp");
  std::ofstream(dir + "/text.bmp") << "not a bitmap at all";
  struct Case {
    const char* what;
    std::string text;  // skin.ini, or "" for none
    std::string want;
  };
  const Case cases[] = {
      {"no skin.ini", "", ini + ": a skin folder holds its description in skin.ini"},
      {"no FORMINFO", "[VERSION]\n[PICTURES]\n[SKINOBJECTS]\n[SKINCONTROLS]\n",
       ini + ": the skin INI has no section [FORMINFO]"},
      {"missing picture", Ini("gone.bmp", "0,0,4,4"), ini + ":4: [PICTURES] picture: picture file '" + dir +
                                                           "/gone.bmp' does not exist"},
      {"not a bitmap", Ini("text.bmp", "0,0,4,4"), ini + ":4: [PICTURES] picture: picture file '" + dir +
                                                         "/text.bmp' cannot be loaded"},
      {"malformed rectangle", Ini("frame.bmp", "0,0,4"), ini + ":12: [button] skinrect: '0,0,4' is not a valid rectangle"},
      {"good", Ini("frame.bmp", "0,0,4,4"), "(loaded Folder)"},
  };
  for (const Case& c : cases) {
    std::remove(ini.c_str());
    if (!c.text.empty()) std::ofstream(ini) << c.text;
    const std::string error = ErrorOf(dir);
    EXPECT_EQ(0u, error.find(c.want)) << c.what << ": " << error;
  }
}
