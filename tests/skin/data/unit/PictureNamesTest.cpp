// The "activepictures" name list on both sides of a stored skin: loading accepts a count
// beyond the names given (the missing ones are empty) without letting a huge count cost
// memory; packing names the section and key of a missing name or bitmap, and keeps the
// INI text byte for byte, a byte-order mark included.
#include <gtest/gtest.h>

#include <functional>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinStreamReader.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/support/TestSupport.h"

using skintest::BmpBytes;
using skintest::SkinStream;

namespace {
const char* const ListsIni = "[SKINCONTROLS]\ncount=1\n0=button:button\n[button]\npictureindex=2\nskinrect=0,0,2,2\n";

SkinStream WithPictures(int pictures, const std::string& picturesSection) {
  SkinStream s;
  s.flagged = {{1, ""}, {1, ""}, {1, ""}};
  s.count = pictures;
  for (int i = 0; i < pictures; ++i) s.pictures.push_back(BmpBytes(i + 1, 2, clRed));
  s.ini = "[VERSION]\nskinname=N\n[PICTURES]\n" + picturesSection + ListsIni;
  return s;
}

class PictureNamesTest : public ::testing::Test {
 protected:
  void Load(const SkinStream& s) {
    skintest::Store(stored, skintest::Deflate(s.Bytes()));
    data.LoadFromStoredSkin(&stored);
  }
  TbsCompressedStoredSkin stored{nullptr};
  TbsSkinData data{nullptr};
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}
}  // namespace

TEST_F(PictureNamesTest, ACountBeyondTheNamesLoadsWithEmptyNames) {
  Load(WithPictures(3, "activepicturescount=3\n0=a.bmp\n"));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ("N", data.skinname);
  EXPECT_EQ((std::vector<std::string>{"a.bmp", "", ""}), data.PictureFileNames->ToVector());
  ASSERT_EQ(3u, data.PictureList.size());
  EXPECT_EQ(3, data.PictureList[2]->Width());
  ASSERT_EQ(0, data.FindControlIndex("button"));
  EXPECT_EQ(2, data.ControlRecords[0]->pictureindex);
}

TEST_F(PictureNamesTest, TheCountIsBoundByThePicturesTheStreamCarries) {
  Load(WithPictures(1, "activepicturescount=2000000000\n0=a.bmp\n"));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ((std::vector<std::string>{"a.bmp"}), data.PictureFileNames->ToVector());
  Load(WithPictures(2, "activepicturescount=5\n1=b.bmp\n3=d.bmp\n"));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ((std::vector<std::string>{"", "b.bmp"}), data.PictureFileNames->ToVector());
  Load(WithPictures(2, "activepicturescount=1\n0=a.bmp\n1=b.bmp\n"));
  EXPECT_EQ((std::vector<std::string>{"a.bmp"}), data.PictureFileNames->ToVector());
  EXPECT_EQ(2u, data.PictureList.size());  // the pictures themselves come from the stream
}

class PackNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TBitmap bmp(6, 4);
    bmp.SaveToFile(dir + "p.bmp");
    bmp.SaveToFile(dir + "c.bmp");
  }
  void Write(const std::string& text) {
    TFileStream f(dir + "skin.ini", fmCreate);
    f.WriteBuffer(text.data(), Int64(text.size()));
  }
  std::string Pack() {
    return ErrorOf([&] { stored.PackSkinIni(dir + "skin.ini"); });
  }
  static std::string Ini(const std::string& pictures) {
    return "[VERSION]\n[PICTURES]\n" + pictures + "[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n";
  }
  const std::string dir = testsupport::MakeTempDir("skindata-names") + "/";
  TbsCompressedStoredSkin stored{nullptr};
};

TEST_F(PackNamesTest, AMissingOrEmptyNameIsNamedBySectionAndKey) {
  Write(Ini("picture=p.bmp\nactivepicturescount=3\n0=c.bmp\n1=\n2=c.bmp\n"));
  std::string error = Pack();
  EXPECT_NE(std::string::npos, error.find("[PICTURES] 1:")) << error;
  EXPECT_NE(std::string::npos, error.find("no file name")) << error;
  EXPECT_TRUE(stored.IsDataEmpty());

  Write(Ini("activepicturescount=2000000000\n0=c.bmp\n"));
  error = Pack();
  EXPECT_NE(std::string::npos, error.find("[PICTURES] 1:")) << error;

  Write(Ini("picture=gone.bmp\n"));
  error = Pack();
  EXPECT_NE(std::string::npos, error.find("[PICTURES] picture:")) << error;
  EXPECT_NE(std::string::npos, error.find("gone.bmp")) << error;
  EXPECT_NE(std::string::npos, error.find("does not exist")) << error;

  // A name that is a folder says so, instead of a stream library's complaint.
  Write(Ini("mask=.\n"));
  error = Pack();
  EXPECT_NE(std::string::npos, error.find("[PICTURES] mask:")) << error;
  EXPECT_NE(std::string::npos, error.find("is a folder")) << error;

  Write("[VERSION]\n[PICTURES]\nactivepicturescount=1\n0=c.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
  EXPECT_EQ("(no error)", Pack());
  EXPECT_FALSE(stored.IsDataEmpty());
}

TEST_F(PackNamesTest, TheStoredTextKeepsTheByteOrderMark) {
  const std::string text = "\xEF\xBB\xBF[VERSION]\r\nskinname=Bom\r\n" + Ini("picture=p.bmp\n").substr(10);
  Write(text);
  ASSERT_EQ("(no error)", Pack());
  TMemoryStream raw;
  stored.UnpackTo(raw);
  raw.SetPosition(0);
  TSkinStreamReader r(raw);
  EXPECT_EQ(3, r.ReadInteger());
  TBitmap skip;
  r.ReadFlaggedBitmap(skip);
  EXPECT_EQ(6, skip.Width());
  EXPECT_EQ(1, r.ReadFlag());
  EXPECT_EQ(1, r.ReadFlag());
  EXPECT_EQ(0, r.ReadInteger());
  const std::string stored_text = r.ReadRest();
  const std::string head = "\xEF\xBB\xBF[VERSION]\r\nskinname=Bom\r\n[PICTURES]\r\npicture=p.bmp\r\n";
  EXPECT_EQ(head, stored_text.substr(0, head.size()));

  // And the skin data reads the section behind the mark.
  TbsSkinData data(nullptr);
  data.LoadFromStoredSkin(&stored);
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ("Bom", data.skinname);
  EXPECT_EQ("p.bmp", data.picture);
}
