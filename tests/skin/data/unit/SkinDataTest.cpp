#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinStreamReader.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/support/TestSupport.h"

using skintest::BmpBytes;
using skintest::SkinStream;

namespace {
struct Received {
  HWND Window;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// Forms that log the skin messages they receive, in one shared log.
class BroadcastLog {
 public:
  // The forms call back into the log, so they go before it does.
  ~BroadcastLog() {
    while (Application->FormCount() > 0) delete Application->Forms(Application->FormCount() - 1);
  }
  std::vector<Received> Log;
  void Watch(TCustomForm* form) {
    const HWND h = form->Handle();
    auto previous = form->WindowProc;
    form->WindowProc = [this, h, previous](TMessage& m) {
      if (m.Msg >= 1225 && m.Msg <= 1274) Log.push_back({h, m.Msg, m.WParam, m.LParam});
      previous(m);
    };
  }
  std::vector<UINT> Messages() const {
    std::vector<UINT> out;
    for (const auto& r : Log) out.push_back(r.Msg);
    return out;
  }
};

const char* const MinimalIni =
    "[VERSION]\nskinname=T\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=1\n0=button:button\n"
    "[button]\nskinrect=1,2,3,4\n";

std::string Packed(const SkinStream& s) { return skintest::Deflate(s.Bytes()); }

SkinStream Minimal(Integer version = 3) {
  SkinStream s;
  s.version = version;
  s.flagged = {{1, ""}, {1, ""}, {1, ""}};
  s.ini = MinimalIni;
  return s;
}

class SkinDataTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterSkinDataClasses(); }
  void TearDown() override {
    while (Application->FormCount() > 0) delete Application->Forms(Application->FormCount() - 1);
  }
  void Load(const std::string& packed) {
    skintest::Store(stored, packed);
    data.LoadFromStoredSkin(&stored);
  }
  TbsCompressedStoredSkin stored{nullptr};
  TbsSkinData data{nullptr};
};
}  // namespace

TEST_F(SkinDataTest, StartsEmptyWithItsDefaults) {
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_EQ(-1, data.bgpictureindex);
  EXPECT_EQ(-1, data.mdibgpictureindex);
  EXPECT_FALSE(data.mainmenupopupup);
  EXPECT_EQ(-1, data.PopupRecord->windowpictureindex);
  EXPECT_EQ("Arial", data.HintRecord->fontname);
  EXPECT_EQ(12, data.HintRecord->fontheight);
  EXPECT_EQ(-1, data.FindControlIndex("button"));
  EXPECT_FALSE(data.IsValidPictureIndex(0));
  EXPECT_FALSE(data.IsValidPictureIndex(-1));
}

TEST_F(SkinDataTest, LookUpIsFirstMatchAndCaseSensitive) {
  SkinStream s = Minimal();
  s.ini =
      "[SKINCONTROLS]\ncount=5\n0=b:button\n1=b:panel\n2=noColon\n3=x:unknownkind\n4=:panel\n"
      "[SKINOBJECTS]\ncount=2\n1=close:stdbutton\n0=close:button\n";
  Load(Packed(s));
  ASSERT_FALSE(data.SkinEmpty);
  ASSERT_EQ(3u, data.ControlRecords.size());  // no record for the entries without ":" or kind
  EXPECT_EQ(0, data.FindControlIndex("b"));
  EXPECT_EQ("TbsDataSkinButtonControl", data.ControlRecords[0]->ClassName());
  EXPECT_EQ(-1, data.FindControlIndex("B"));
  EXPECT_EQ(-1, data.FindControlIndex("b "));
  EXPECT_EQ(2, data.FindControlIndex(""));
  EXPECT_EQ(-1, data.FindControlIndex("x"));
  ASSERT_EQ(2u, data.ObjectRecords.size());
  EXPECT_EQ("TbsDataSkinButton", data.ObjectRecords[0]->ClassName());  // entry order, not text order
  EXPECT_EQ(0, data.FindObjectIndex("close"));
}

TEST_F(SkinDataTest, BroadcastGoesToTheOwnerFormFirstAndToEveryFormOnce) {
  BroadcastLog log;
  TForm* first = Application->CreateForm<TForm>();
  TForm* owner = Application->CreateForm<TForm>();
  TForm* plain = Application->CreateForm<TForm>();  // owns no skin data
  for (TForm* f : {first, owner, plain}) log.Watch(f);
  auto* owned = new TbsSkinData(owner);
  owned->BroadcastSkinMessage(SKINMSG_CHANGE);
  ASSERT_EQ(3u, log.Log.size());
  EXPECT_EQ(owner->Handle(), log.Log[0].Window);
  EXPECT_EQ(first->Handle(), log.Log[1].Window);
  EXPECT_EQ(plain->Handle(), log.Log[2].Window);
  for (const auto& r : log.Log) {
    EXPECT_EQ(SKINMSG_CHANGE, r.Msg);
    EXPECT_EQ(reinterpret_cast<WPARAM>(owned), r.WParam);
    EXPECT_EQ(1000, r.LParam);
  }
  // Not owned by a form: every form once, in the application's order.
  log.Log.clear();
  data.BroadcastSkinMessage(SKINMSG_STRINGSCHANGE);
  ASSERT_EQ(3u, log.Log.size());
  EXPECT_EQ(first->Handle(), log.Log[0].Window);
  EXPECT_EQ(owner->Handle(), log.Log[1].Window);
}

TEST_F(SkinDataTest, LoadSendsItsMessagesInOrderAndEmptyDataSendsNothing) {
  BroadcastLog log;
  log.Watch(Application->CreateForm<TForm>());
  data.LoadFromStoredSkin(&stored);  // 0 bytes
  data.SetCompressedStoredSkin(&stored);
  EXPECT_TRUE(log.Log.empty());
  EXPECT_TRUE(data.SkinEmpty);

  // SKINMSG_BEFORECHANGE reaches the forms while the old skin is still there.
  Load(Packed(Minimal()));
  size_t recordsAtBefore = 99;
  TForm* watcher = Application->CreateForm<TForm>();
  auto prev = watcher->WindowProc;
  watcher->WindowProc = [&](TMessage& m) {
    if (m.Msg == SKINMSG_BEFORECHANGE) recordsAtBefore = data.ControlRecords.size();
    prev(m);
  };
  log.Log.clear();
  Load(Packed(Minimal()));
  EXPECT_EQ((std::vector<UINT>{SKINMSG_BEFORECHANGE, SKINMSG_CHANGE, SKINMSG_AFTERCHANGE}), log.Messages());
  EXPECT_EQ(1u, recordsAtBefore);
  EXPECT_FALSE(data.SkinEmpty);

  log.Log.clear();
  data.SetResourceStrData(nullptr);  // also for none
  EXPECT_EQ(std::vector<UINT>{SKINMSG_STRINGSCHANGE}, log.Messages());
}

TEST_F(SkinDataTest, VersionRules) {
  BroadcastLog log;
  log.Watch(Application->CreateForm<TForm>());
  for (Integer v : {0, 1, 3, -5}) {
    Load(Packed(Minimal(v)));
    EXPECT_FALSE(data.SkinEmpty) << v;
    EXPECT_EQ(0, data.FindControlIndex("button")) << v;
  }
  // Version 2 carries two more flag-and-image pairs after the mask.
  SkinStream two = Minimal(2);
  two.flagged = {{1, ""}, {1, ""}, {0, BmpBytes(3, 3, clRed)}, {0, BmpBytes(5, 5, clBlue)}, {7, ""}};
  two.count = 1;
  two.pictures = {BmpBytes(2, 4, clLime)};
  Load(Packed(two));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ(3, data.SkinMask->Width());
  ASSERT_EQ(1u, data.PictureList.size());
  EXPECT_EQ(4, data.PictureList[0]->Height());
  EXPECT_EQ(clLime, data.PictureList[0]->Pixel(0, 0));
  // Version 4 is refused after the skin was cleared: empty, no change messages.
  log.Log.clear();
  Load(Packed(Minimal(4)));
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_TRUE(data.ControlRecords.empty());
  EXPECT_EQ(std::vector<UINT>{SKINMSG_BEFORECHANGE}, log.Messages());
}

TEST_F(SkinDataTest, FlagsAndPictureCounts) {
  SkinStream s = Minimal();
  s.flagged = {{0, BmpBytes(7, 3, clRed)}, {255, ""}, {0, BmpBytes(2, 2, clBlack)}};
  s.count = -4;
  Load(Packed(s));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ(7, data.SkinPicture->Width());
  EXPECT_EQ(clRed, data.SkinPicture->Pixel(0, 0));
  EXPECT_TRUE(data.SkinInactivePicture->Empty());
  EXPECT_EQ(2, data.SkinMask->Width());
  EXPECT_TRUE(data.PictureList.empty());
  EXPECT_EQ(0, data.FindControlIndex("button"));  // the text followed at once

  s.count = 2;
  s.pictures = {BmpBytes(1, 1, clRed), BmpBytes(9, 1, clBlue)};
  Load(Packed(s));
  ASSERT_EQ(2u, data.PictureList.size());
  EXPECT_TRUE(data.IsValidPictureIndex(1));
  EXPECT_FALSE(data.IsValidPictureIndex(2));  // equal to the count: no picture
  EXPECT_EQ(9, data.PictureList[1]->Width());
}

TEST_F(SkinDataTest, MalformedInputEndsTheLoadAndLeavesTheSkinEmpty) {
  Load(Packed(Minimal()));
  ASSERT_FALSE(data.SkinEmpty);
  SkinStream bad = Minimal();
  bad.ini = "[FORMINFO]\nclientrect=1,2,3\n";
  EXPECT_THROW(Load(Packed(bad)), EConvertError);
  EXPECT_TRUE(data.SkinEmpty);
  bad.ini = "[SKINCONTROLS]\ncount=2\n0=a:button\n1=b:button\n[b]\nskinrect=\n";
  EXPECT_THROW(Load(Packed(bad)), EConvertError);
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_TRUE(data.ControlRecords.empty());  // the record read before the error is gone too

  const std::string good = Packed(Minimal());
  EXPECT_THROW(Load(good.substr(0, good.size() - 6)), EDecompressionError);
  EXPECT_TRUE(data.SkinEmpty);

  // Truncated and oversized images, impossible counts: clear errors, nothing read outside.
  SkinStream img = Minimal();
  const std::string bmp = BmpBytes(40, 40, clRed);
  img.flagged = {{0, bmp.substr(0, bmp.size() - 10)}, {1, ""}, {1, ""}};
  img.ini.clear();
  EXPECT_THROW(Load(Packed(img)), EReadError);
  std::string huge = bmp;
  huge[2] = huge[3] = huge[4] = char(0xFF);
  huge[5] = 0x7F;
  img.flagged[0].second = huge;
  EXPECT_THROW(Load(Packed(img)), EReadError);
  img.flagged = {{1, ""}, {1, ""}, {1, ""}};
  img.count = 0x7FFFFFFF;
  EXPECT_THROW(Load(Packed(img)), EReadError);
  EXPECT_TRUE(data.PictureList.empty());
  SkinStream cut;
  cut.version = 3;
  cut.flagged = {{1, ""}};
  std::string bytes = cut.Bytes();
  EXPECT_THROW(Load(skintest::Deflate(bytes.substr(0, 5))), EReadError);
  EXPECT_THROW(Load(skintest::Deflate("\x03")), EReadError);
  EXPECT_TRUE(data.SkinEmpty);
}

TEST_F(SkinDataTest, FormInfoMaskAndClampingRules) {
  SkinStream s = Minimal();
  s.ini =
      "[PICTURES]\nmask=m.bmp\n"
      "[FORMINFO]\nlefttoppoint=2,3\nrighttoppoint=90,1\nleftbottompoint=1,95\nrightbottompoint=99,99\n"
      "clientrect=5,10,80,90\nmaskrectarea=0,0,0,0\nHITTESTLEFTTOPPOINT=7,7\nhittestrighttoppoint=0,4\n"
      "inactiveeffect=whatever\n";
  Load(Packed(s));
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ("m.bmp", data.mask);
  EXPECT_EQ(Rect(5, 10, 80, 90), data.maskrectarea);
  EXPECT_EQ(Point(7, 7), data.hittestlefttoppoint);
  EXPECT_EQ(Point(90, 1), data.hittestrighttoppoint);     // unset: taken from the corner (before clamping)
  EXPECT_EQ(Point(99, 99), data.hittestrightbottompoint);
  EXPECT_EQ(Point(5, 10), data.lefttoppoint);
  EXPECT_EQ(Point(80, 10), data.righttoppoint);
  EXPECT_EQ(Point(5, 90), data.leftbottompoint);
  EXPECT_EQ(Point(80, 90), data.rightbottompoint);
  EXPECT_EQ(ieGrayScale, data.inactiveeffect);

  s.ini =
      "[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=5,10,80,90\nmaskrectarea=20,0,60,100\n"
      "lefttoppoint=0,0\nrightbottompoint=0,40\n";
  Load(Packed(s));
  EXPECT_EQ(Rect(5, 0, 80, 100), data.maskrectarea);  // widened to hold the client rectangle
  EXPECT_EQ(Point(0, 0), data.lefttoppoint);           // same x: no clamping
  EXPECT_EQ(Point(0, 40), data.rightbottompoint);
  EXPECT_EQ(ieBrightness, data.inactiveeffect);

  s.ini = "[FORMINFO]\nclientrect=5,10,80,90\nmaskrectarea=20,0,60,100\n";  // no mask name
  Load(Packed(s));
  EXPECT_EQ(Rect(20, 0, 60, 100), data.maskrectarea);
  EXPECT_EQ(TPoint{}, data.hittestlefttoppoint);
}

TEST_F(SkinDataTest, ClearSkinAndRemovalNotice) {
  SkinStream s = Minimal();
  s.flagged = {{0, BmpBytes(4, 4, clRed)}, {1, ""}, {1, ""}};
  s.count = 1;
  s.pictures = {BmpBytes(2, 2, clRed)};
  s.ini = std::string(MinimalIni) +
          "[PICTURES]\npicture=p.bmp\nmask=m.bmp\nactivepicturescount=1\n0=c.bmp\n[POPUPWINDOW]\nwindowpictureindex=0\n";
  auto* owner = new TComponent(nullptr);
  auto* storedSkin = new TbsCompressedStoredSkin(owner);
  auto* strings = new TbsResourceStrData(owner);
  skintest::Store(*storedSkin, Packed(s));
  data.SetCompressedStoredSkin(storedSkin);
  data.SetResourceStrData(strings);
  ASSERT_FALSE(data.SkinEmpty);
  EXPECT_EQ(0, data.PopupRecord->windowpictureindex);
  EXPECT_EQ("c.bmp", (*data.PictureFileNames)[0]);
  delete owner;  // removes both referenced components
  EXPECT_EQ(nullptr, data.CompressedStoredSkin());
  EXPECT_EQ(nullptr, data.ResourceStrData());
  EXPECT_FALSE(data.SkinEmpty);  // the loaded skin stays
  data.ClearSkin();
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_TRUE(data.SkinPicture->Empty());
  EXPECT_TRUE(data.ControlRecords.empty());
  EXPECT_EQ(0, data.PictureFileNames->Count());
  EXPECT_EQ(-1, data.PopupRecord->windowpictureindex);
  EXPECT_EQ("", data.picture);
  EXPECT_EQ("", data.mask);
  EXPECT_EQ("T", data.skinname);  // identity values stay until the next load
}

TEST_F(SkinDataTest, DesignTimeAssignmentLoadsNothing) {
  skintest::Store(stored, Packed(Minimal()));
  data.SetComponentStateFlag(csDesigning, true);
  data.SetCompressedStoredSkin(&stored);
  EXPECT_TRUE(data.SkinEmpty);
  data.SetComponentStateFlag(csDesigning, false);
  data.SetCompressedStoredSkin(&stored);
  EXPECT_FALSE(data.SkinEmpty);
}

TEST_F(SkinDataTest, PackedFileRoundTripAndRules) {
  const std::string dir = testsupport::MakeTempDir("skindata-packed");
  skintest::Store(stored, Packed(Minimal()));
  stored.WritePackedFile(dir + "/a.skn");
  TbsCompressedStoredSkin back(nullptr);
  back.ReadPackedFile(dir + "/a.skn");
  EXPECT_EQ(stored.PackedData().Bytes(), back.PackedData().Bytes());

  auto writeFile = [&](const std::string& name, Integer version, Integer size, const std::string& body) {
    TFileStream f(dir + "/" + name, fmCreate);
    skintest::PutInt(f, version);
    skintest::PutInt(f, size);
    f.WriteBuffer(body.data(), Int64(body.size()));
  };
  writeFile("v4.skn", 4, 3, "abc");
  back.ReadPackedFile(dir + "/v4.skn");
  EXPECT_TRUE(back.IsDataEmpty());
  writeFile("big.skn", 3, 1000, "abc");
  EXPECT_THROW(back.ReadPackedFile(dir + "/big.skn"), EReadError);
  EXPECT_TRUE(back.IsDataEmpty());
  writeFile("neg.skn", 3, -1, "abc");
  EXPECT_THROW(back.ReadPackedFile(dir + "/neg.skn"), EReadError);
  writeFile("part.skn", 2, 2, "abc");
  back.ReadPackedFile(dir + "/part.skn");
  EXPECT_EQ(2, back.PackedData().Size());
  EXPECT_THROW(back.ReadPackedFile(dir + "/missing.skn"), EFOpenError);
}

TEST_F(SkinDataTest, PackSkinIniRulesAndAnEmptyMaskFlag) {
  const std::string dir = testsupport::MakeTempDir("skindata-pack") + "/";
  TBitmap bmp(6, 4);
  bmp.SaveToFile(dir + "p.bmp");
  bmp.SaveToFile(dir + "c.bmp");
  auto write = [&](const std::string& text) {
    TFileStream f(dir + "skin.ini", fmCreate);
    f.WriteBuffer(text.data(), Int64(text.size()));
  };
  write("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");  // no SKINCONTROLS
  skintest::Store(stored, "old");
  stored.PackSkinIni(dir + "skin.ini");
  EXPECT_EQ(3, stored.PackedData().Size());  // untouched

  write("[VERSION]\n[PICTURES]\npicture=p.bmp\nactivepicturescount=1\n0=c.bmp\n[FORMINFO]\n[SKINOBJECTS]\n"
        "[SKINCONTROLS]\n");
  stored.PackSkinIni(dir + "skin.ini");
  TMemoryStream raw;
  stored.UnpackTo(raw);
  raw.SetPosition(0);
  TSkinStreamReader r(raw);
  EXPECT_EQ(3, r.ReadInteger());
  TBitmap main;
  r.ReadFlaggedBitmap(main);
  EXPECT_EQ(6, main.Width());
  EXPECT_EQ(1, r.ReadFlag());  // no inactive picture
  EXPECT_EQ(1, r.ReadFlag());  // empty mask: flag 1, no image
  EXPECT_EQ(1, r.ReadInteger());
  TBitmap c;
  r.ReadBitmap(c);
  EXPECT_EQ(4, c.Height());
  EXPECT_EQ("[VERSION]\r\n[PICTURES]\r\n", r.ReadRest().substr(0, 23));

  write("[VERSION]\n[PICTURES]\npicture=gone.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
  EXPECT_ANY_THROW(stored.PackSkinIni(dir + "skin.ini"));
  EXPECT_TRUE(stored.IsDataEmpty());  // emptied before the failing bitmap
}

TEST_F(SkinDataTest, CompressedDataTravelsThroughTheStoredLayout) {
  skintest::TSkinTestForm::Register();
  skintest::TSkinTestForm root(nullptr);
  const std::string hex = [] {
    std::string packed = Packed(Minimal()), out;
    for (unsigned char ch : packed) out += IntToHex(ch, 2);
    return out;
  }();
  ReadLayout(&root,
             "object Form1: TSkinTestForm\n"
             "  object bsSkinData1: TbsSkinData\n    CompressedStoredSkin = bsCompressedStoredSkin1\n  end\n"
             "  object bsCompressedStoredSkin1: TbsCompressedStoredSkin\n    FileName = 'Recording.cfg'\n"
             "    CompressedData = {" + hex + "}\n  end\n"
             "end\n");
  auto* sd = dynamic_cast<TbsSkinData*>(root.FindComponent("bsSkinData1"));
  auto* cs = dynamic_cast<TbsCompressedStoredSkin*>(root.FindComponent("bsCompressedStoredSkin1"));
  ASSERT_TRUE(sd && cs);
  EXPECT_EQ(cs, sd->CompressedStoredSkin());
  EXPECT_EQ("Recording.cfg", cs->FileName());
  EXPECT_FALSE(sd->SkinEmpty);  // the reference was resolved after the data was read
  EXPECT_EQ(0, sd->FindControlIndex("button"));

  const std::string written = WriteLayout(&root);
  EXPECT_NE(std::string::npos, written.find("CompressedData")) << written;
  skintest::TSkinTestForm again(nullptr);
  ReadLayout(&again, written);
  auto* cs2 = dynamic_cast<TbsCompressedStoredSkin*>(again.FindComponent("bsCompressedStoredSkin1"));
  ASSERT_TRUE(cs2);
  EXPECT_EQ(cs->PackedData().Bytes(), cs2->PackedData().Bytes());

  // An empty block is written too and read back as 0 bytes; nothing is loaded.
  skintest::TSkinTestForm empty(nullptr);
  ReadLayout(&empty,
             "object Form1: TSkinTestForm\n  object s: TbsSkinData\n    CompressedStoredSkin = c\n  end\n"
             "  object c: TbsCompressedStoredSkin\n    CompressedData = {}\n  end\nend\n");
  const std::string emptyText = WriteLayout(&empty);
  EXPECT_NE(std::string::npos, emptyText.find("CompressedData")) << emptyText;
  auto* es = dynamic_cast<TbsSkinData*>(empty.FindComponent("s"));
  ASSERT_TRUE(es);
  EXPECT_TRUE(es->SkinEmpty);
}
