// The demonstration skin end to end: drawn by its generator, packed, stored in a form
// layout, read back and loaded; every record kind present with the values of its INI.
#include <gtest/gtest.h>

#include <set>

#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinRecordFactory.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/support/TestSupport.h"

namespace {
class SlateSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = skintest::SlateSkinFolder();
    ASSERT_FALSE(folder.empty()) << "the skin generator did not run";
    ini.LoadFromFile(folder + "skin.ini");
    stored.PackSkinIni(folder + "skin.ini");
    ASSERT_FALSE(stored.IsDataEmpty());
  }
  std::string folder;
  TSkinIniFile ini;
  TbsCompressedStoredSkin stored{nullptr};
};
}  // namespace

TEST_F(SlateSkin, HasARecordOfEveryKind) {
  TbsSkinData data(nullptr);
  data.LoadFromStoredSkin(&stored);
  ASSERT_FALSE(data.SkinEmpty);
  std::set<std::string> controls, objects;
  for (const auto& r : data.ControlRecords) controls.insert(r->ClassName());
  for (const auto& r : data.ObjectRecords) objects.insert(r->ClassName());
  for (const auto& w : ControlTypeWords()) EXPECT_TRUE(controls.count(CreateControlRecord(w, "")->ClassName())) << w;
  for (const auto& w : ObjectTypeWords()) EXPECT_TRUE(objects.count(CreateObjectRecord(w, "")->ClassName())) << w;
  EXPECT_EQ(ini.ReadInteger("SKINCONTROLS", "count", 0), int(data.ControlRecords.size()));
  EXPECT_EQ(ini.ReadInteger("SKINOBJECTS", "count", 0), int(data.ObjectRecords.size()));
  EXPECT_FALSE(data.mask.empty());
  EXPECT_FALSE(data.SkinMask->Empty());
  EXPECT_FALSE(data.SkinInactivePicture->Empty());
  EXPECT_EQ(ini.ReadInteger("PICTURES", "activepicturescount", 0), int(data.PictureList.size()));
  EXPECT_GE(data.PictureList.size(), 3u);
  EXPECT_TRUE(data.IsValidPictureIndex(data.PopupRecord->windowpictureindex));
  EXPECT_TRUE(data.IsValidPictureIndex(data.HintRecord->windowpictureindex));
  auto* button = dynamic_cast<TbsDataSkinButtonControl*>(data.ControlRecords[data.FindControlIndex("button")].get());
  ASSERT_TRUE(button);
  EXPECT_TRUE(button->morphing);
  auto* check = dynamic_cast<TbsDataSkinCheckRadioControl*>(data.ControlRecords[data.FindControlIndex("checkbox")].get());
  ASSERT_TRUE(check);
  EXPECT_TRUE(check->morphing);
  // Every rectangle of every record lies inside the picture it points into.
  for (const auto& r : data.ControlRecords) {
    if (IsSkinRectEmpty(r->skinrect)) continue;
    ASSERT_TRUE(data.IsValidPictureIndex(r->pictureindex)) << r->IDName;
    const TBitmap& pic = *data.PictureList[size_t(r->pictureindex)];
    EXPECT_LE(r->skinrect.Right, pic.Width()) << r->IDName;
    EXPECT_LE(r->skinrect.Bottom, pic.Height()) << r->IDName;
  }
}

// Each record written back gives the values of the skin's own INI, key by key.
TEST_F(SlateSkin, RecordsHoldTheValuesOfTheIni) {
  TbsSkinData data(nullptr);
  data.LoadFromStoredSkin(&stored);
  ASSERT_FALSE(data.SkinEmpty);
  int compared = 0;
  auto compare = [&](auto& record) {
    TSkinIniFile out;
    record->WriteToIni(out);
    TStringList keys;
    ini.ReadSection(record->IDName, keys);
    for (int i = 0; i < keys.Count(); ++i) {
      ASSERT_TRUE(out.ValueExists(record->IDName, keys[i])) << record->IDName << "." << keys[i];
      const std::string want = ini.ReadString(record->IDName, keys[i], "");
      const std::string got = out.ReadString(record->IDName, keys[i], "");
      if (want == got) {
        ++compared;
        continue;
      }
      // Same value in another spelling: styles, or numbers written in decimal.
      if (StrToFontStyle(want) == StrToFontStyle(got) && want.find("fs") != std::string::npos) continue;
      int a = 0, b = 0;
      if (TryStrToInt(want, a) && TryStrToInt(got, b) && a == b) continue;
      ADD_FAILURE() << record->IDName << "." << keys[i] << ": INI " << want << ", record " << got;
    }
  };
  for (auto& r : data.ControlRecords)
    if (r->ClassName() != "TbsDataSkinUpDownControl") compare(r);
  for (auto& r : data.ObjectRecords)
    if (r->ClassName() != "TbsDataSkinAnimate") compare(r);
  EXPECT_GT(compared, 500);
}

TEST_F(SlateSkin, PackedFileAndLayoutRoundTrips) {
  RegisterSkinDataClasses();
  const std::string dir = testsupport::MakeTempDir("slate");
  stored.WritePackedFile(dir + "/slate.skn");
  TbsCompressedStoredSkin fromFile(nullptr);
  fromFile.ReadPackedFile(dir + "/slate.skn");
  EXPECT_EQ(stored.PackedData().Bytes(), fromFile.PackedData().Bytes());

  std::string hex;
  for (unsigned char c : stored.PackedData().Bytes()) hex += IntToHex(c, 2);
  skintest::TSkinTestForm::Register();
  skintest::TSkinTestForm root(nullptr);
  ReadLayout(&root, "object Form1: TSkinTestForm\n  object sd: TbsSkinData\n    CompressedStoredSkin = cs\n  end\n"
                    "  object cs: TbsCompressedStoredSkin\n    CompressedData = {" + hex + "}\n  end\nend\n");
  auto* sd = dynamic_cast<TbsSkinData*>(root.FindComponent("sd"));
  ASSERT_TRUE(sd);
  ASSERT_FALSE(sd->SkinEmpty);
  EXPECT_EQ("Slate", sd->skinname);
  EXPECT_EQ(Rect(5, 26, 315, 135), sd->clientrect);
  EXPECT_EQ(ieDarkness, sd->inactiveeffect);
  EXPECT_EQ(4, sd->borderwidth);
  TBitmap frame;
  frame.LoadFromFile(folder + "frame.bmp");
  ASSERT_EQ(frame.Width(), sd->SkinPicture->Width());
  for (int y = 0; y < frame.Height(); y += 7)
    for (int x = 0; x < frame.Width(); x += 5) ASSERT_EQ(frame.Pixel(x, y), sd->SkinPicture->Pixel(x, y));
}
