#include <gtest/gtest.h>

#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinWindowRecords.h"

namespace {
TSkinIniFile Ini(const std::string& text) {
  TSkinIniFile ini;
  ini.SetText(text);
  return ini;
}

template <typename T>
std::unique_ptr<T> ReadControl(const std::string& word, const std::string& sectionBody) {
  auto rec = CreateControlRecord(word, "rec");
  EXPECT_TRUE(rec) << word;
  rec->ReadFromIni(Ini("[REC]\n" + sectionBody));
  T* typed = dynamic_cast<T*>(rec.get());
  EXPECT_TRUE(typed) << word << " made " << rec->ClassName();
  rec.release();
  return std::unique_ptr<T>(typed);
}
}  // namespace

TEST(SkinRecords, TypeWordsNameTheirKinds) {
  EXPECT_EQ(28u, ControlTypeWords().size());
  EXPECT_EQ(8u, ObjectTypeWords().size());
  EXPECT_EQ("TbsDataSkinButtonControl", CreateControlRecord("button", "b")->ClassName());
  EXPECT_EQ("TbsDataSkinButton", CreateObjectRecord("button", "b")->ClassName());
  EXPECT_EQ("TbsDataSkinMainMenuBarItem", CreateObjectRecord("mainmenubaritem", "m")->ClassName());
  EXPECT_FALSE(CreateControlRecord("Button", "b"));
  EXPECT_FALSE(CreateControlRecord("mainmenuitem", "b"));
  EXPECT_FALSE(CreateObjectRecord("panel", "p"));
  for (const auto& w : ControlTypeWords()) EXPECT_EQ("n", CreateControlRecord(w, "n")->IDName);
  std::string name, type;
  EXPECT_TRUE(SplitListEntry("a:b:c", name, type));
  EXPECT_EQ("a", name);
  EXPECT_EQ("b:c", type);
  EXPECT_FALSE(SplitListEntry("nocolon", name, type));
  EXPECT_EQ("", name);
}

TEST(SkinRecords, DefaultsOfAnEmptySection) {
  auto label = ReadControl<TbsDataSkinStdLabelControl>("stdlabel", "");
  EXPECT_EQ(TColor(0xFF0000), label->activefontcolor);
  EXPECT_EQ(-1, label->pictureindex);
  EXPECT_EQ("Arial", label->fontname);
  EXPECT_EQ(14, label->fontheight);
  auto button = ReadControl<TbsDataSkinButtonControl>("button", "");
  EXPECT_EQ(0, button->activefontcolor);
  EXPECT_EQ(mkDefault, button->morphkind);
  auto list = ReadControl<TbsDataSkinListBox>("listbox", "");
  EXPECT_EQ("vscrollbar", list->vscrollbarname);
  EXPECT_EQ("hscrollbar", list->hscrollbarname);
  EXPECT_EQ("bothhscrollbar", list->bothhscrollbarname);
  auto panel = ReadControl<TbsDataSkinPanelControl>("panel", "");
  EXPECT_EQ(saCenter, panel->alignment);
  EXPECT_EQ(-1, panel->bgpictureindex);
  auto memo = ReadControl<TbsDataSkinMemoControl>("memo", "fontname=Mono\nbgcolor=255\nbuttonrect=1,2,3,4\n");
  EXPECT_EQ(14, memo->fontheight);
  EXPECT_EQ("Mono", memo->fontname);
  EXPECT_EQ(255, memo->bgcolor);
  EXPECT_EQ(Rect(1, 2, 3, 4), memo->buttonrect);  // an edit key, read through the base
}

TEST(SkinRecords, DerivedKindsReadTheirBaseKeysFirst) {
  auto clb = ReadControl<TbsDataSkinCheckListBox>(
      "checklistbox",
      "pictureindex=2\nlefttoppoint=3,4\nitemrect=1,1,9,9\ncaptionfontheight=20\nvscrollbarname=vs\n"
      "itemcheckrect=2,2,4,4\ncheckimagerect=5,5,8,8\nuncheckimagerect=6,6,9,9\n");
  EXPECT_EQ(2, clb->pictureindex);
  EXPECT_EQ(Point(3, 4), clb->lefttoppoint);
  EXPECT_EQ(Rect(1, 1, 9, 9), clb->itemrect);
  EXPECT_EQ(20, clb->captionfontheight);
  EXPECT_EQ("vs", clb->vscrollbarname);
  EXPECT_EQ(Rect(2, 2, 4, 4), clb->itemcheckrect);
  EXPECT_EQ(Rect(6, 6, 9, 9), clb->uncheckimagerect);
  auto mb = ReadControl<TbsDataSkinMenuButtonControl>("menubutton", "activeskinrect=1,2,3,4\ntrackbuttonrect=5,6,7,8\n");
  EXPECT_EQ(Rect(1, 2, 3, 4), mb->activeskinrect);
  EXPECT_EQ(Rect(5, 6, 7, 8), mb->trackbuttonrect);
  auto split = ReadControl<TbsDataSkinSplitterControl>("splitter", "clientrect=1,1,5,5\n");
  EXPECT_EQ(Rect(1, 1, 5, 5), split->clientrect);
}

TEST(SkinRecords, UpDownDropsCornersAndClientArea) {
  auto ud = ReadControl<TbsDataSkinUpDownControl>(
      "updown", "skinrect=0,0,16,32\nlefttoppoint=2,2\nrightbottompoint=9,9\nclientrect=1,1,15,31\n"
                "upbuttonrect=0,0,16,16\n");
  EXPECT_EQ(Rect(0, 0, 16, 32), ud->skinrect);
  EXPECT_EQ(TPoint{}, ud->lefttoppoint);
  EXPECT_EQ(TPoint{}, ud->rightbottompoint);
  EXPECT_EQ(TRect{}, ud->clientrect);
  EXPECT_EQ(Rect(0, 0, 16, 16), ud->upbuttonrect);
}

TEST(SkinRecords, ObjectKinds) {
  auto ini = Ini(
      "[u]\nhint=h\nskinrect=1,2,3,4\nactivepictureindex=3\n"
      "[a]\nmorphing=1\ncountframes=5\ncommand=close\n"
      "[s]\nhint=x\ncommand=cmclose\ndisableskinrsect=1,1,2,2\nmorphkind=mkpush\n"
      "[m]\nunenabledfontcolor=255\nfontstyle=fsbolD\n");
  auto user = CreateObjectRecord("userobject", "u");
  user->ReadFromIni(ini);
  EXPECT_EQ(Rect(1, 2, 3, 4), user->skinrect);
  EXPECT_EQ("", user->hint);  // base keys are not read
  EXPECT_EQ(-1, user->activepictureindex);
  auto anim = CreateObjectRecord("animate", "a");
  anim->ReadFromIni(ini);
  auto* a = dynamic_cast<TbsDataSkinAnimate*>(anim.get());
  ASSERT_TRUE(a);
  EXPECT_FALSE(a->morphing);
  EXPECT_EQ(5, a->countframes);
  EXPECT_EQ(cmMinimizeToTray, a->command);
  EXPECT_EQ(50, a->timerinterval);
  auto std = CreateObjectRecord("mainmenubarbutton", "s");
  std->ReadFromIni(ini);
  auto* s = dynamic_cast<TbsDataSkinStdButton*>(std.get());
  ASSERT_TRUE(s);
  EXPECT_EQ(cmClose, s->command);
  EXPECT_EQ(Rect(1, 1, 2, 2), s->disableskinrsect);
  EXPECT_EQ(mkPush, s->morphkind);
  EXPECT_EQ("x", s->hint);
  auto item = CreateObjectRecord("mainmenubaritem", "m");
  item->ReadFromIni(ini);
  auto* m = dynamic_cast<TbsDataSkinMainMenuItem*>(item.get());
  ASSERT_TRUE(m);
  EXPECT_EQ(255, m->unenabledfontcolor);  // key "unenabledfontColor" in any case
  EXPECT_FALSE(m->fontstyle.Contains(fsBold));  // style words are case-sensitive
}

TEST(SkinRecords, WindowRecordsStartWithTheirDefaultsAndReReadFully) {
  TbsDataSkinHintWindow hint;
  EXPECT_EQ(12, hint.fontheight);
  EXPECT_EQ(-1, hint.windowpictureindex);
  hint.ReadFromIni(Ini("[HINTWINDOW]\nwindowpictureindex=3\nfontheight=9\n"));
  EXPECT_EQ(3, hint.windowpictureindex);
  EXPECT_EQ(9, hint.fontheight);
  hint.ReadFromIni(Ini("[hintwindow]\n"));  // a later skin without the keys: defaults again
  EXPECT_EQ(-1, hint.windowpictureindex);
  EXPECT_EQ(14, hint.fontheight);
  TbsDataSkinPopupWindow popup;
  popup.ReadFromIni(Ini("[popupwindow]\nitemsrect=1,2,3,4\nleftstretch=1\nscrollmarkercolor=$FF\n"));
  EXPECT_EQ(Rect(1, 2, 3, 4), popup.itemsrect);
  EXPECT_TRUE(popup.leftstretch);
  EXPECT_EQ(255, popup.scrollmarkercolor);
  EXPECT_EQ(-1, popup.maskpictureindex);
}

// Every kind writes what it reads: a record filled from non-default values, written
// and read back into a fresh record, writes the same section again.
TEST(SkinRecords, EveryKindRoundTripsThroughWriteToIni) {
  std::string body;
  const char* rects[] = {"skinrect", "clientrect", "activeskinrect", "itemrect", "buttonrect", "captionrect",
                         "trackarea", "downrect", "textrect", "upbuttonrect", "checkimagerect", "tabrect"};
  for (const char* r : rects) body += std::string(r) + "=1,2,30,40\n";
  body += "pictureindex=4\nlefttoppoint=3,3\nfontname=Mono\nfontheight=11\nfontstyle=fsbold\nfontcolor=77\n"
          "bgcolor=99\nmorphing=1\nmorphkind=mkpush\ncommand=cmclose\nalignment=taleftjustify\nhint=hi\n"
          "vertical=1\nupdown=ud\nlistboxname=lb\nvscrollbarname=v\ncaptionfontname=Cap\nfixedfontheight=8\n";
  const auto source = Ini("[rec]\n" + body);
  auto check = [&](auto make, const std::string& word) {
    auto first = make(word);
    first->ReadFromIni(source);
    TSkinIniFile written;
    first->WriteToIni(written);
    auto second = make(word);
    second->ReadFromIni(written);
    TSkinIniFile again;
    second->WriteToIni(again);
    EXPECT_EQ(written.Text(), again.Text()) << word;
    EXPECT_GT(written.KeyCount("rec"), 0) << word;
    return written;
  };
  for (const auto& w : ControlTypeWords())
    check([](const std::string& word) { return CreateControlRecord(word, "rec"); }, w);
  for (const auto& w : ObjectTypeWords())
    check([](const std::string& word) { return CreateObjectRecord(word, "rec"); }, w);
  // WriteToIni replaces the section: keys of another kind do not survive.
  TSkinIniFile ini;
  ini.WriteString("rec", "stale", "1");
  CreateControlRecord("bevel", "rec")->WriteToIni(ini);
  EXPECT_FALSE(ini.ValueExists("rec", "stale"));
  EXPECT_TRUE(ini.ValueExists("rec", "lightcolor"));
  const auto up = check([](const std::string& word) { return CreateControlRecord(word, "rec"); }, "updown");
  EXPECT_EQ("0,0,0,0", up.ReadString("rec", "clientrect", ""));
}
