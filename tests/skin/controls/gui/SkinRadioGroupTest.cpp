// The skin radio group: its buttons in columns inside the group's client area (the
// recorder's geometry and the leftover pixels), ItemIndex and Items rules, the group's
// OnClick, restoring from a stored layout, keys (Space on release, accelerators, Tab),
// and enabling.
#include "framework/graphics/Canvas.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "skin/controls/GroupButton.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinRadioGroup.h"
#include "skin/data/SkinDataRegistration.h"
#include "framework/windows/WindowsClasses.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinRadioGroupTest : public SkinControlsFixture {
 protected:
  // The recorder's group: 121 x 81, raised, centred caption, 宋体 -12.
  TbsSkinRadioGroup* Group(std::initializer_list<const char*> items, int x = 15, int y = 11) {
    auto* g = Make<TbsSkinRadioGroup>(x, y, 121, 81);
    g->SetSkinData(SkinData);
    g->SetBorderStyle(bvRaised);
    g->SetDefaultAlignment(taCenter);
    TFont f;
    f.SetName("宋体");
    f.SetHeight(-12);
    g->SetDefaultFont(&f);
    g->SetButtonDefaultFont(&f);
    TStringList l;
    for (const char* s : items) l.Add(s);
    g->SetItems(&l);
    g->OnClick = [this](TObject*) { ++GroupClicks; };
    return g;
  }
  static void Click(TWinControl* c) {
    SimulateMouse(c, WM_LBUTTONDOWN, 8, 10, MK_LBUTTON);
    SimulateMouse(c, WM_LBUTTONUP, 8, 10, 0);
  }
  int GroupClicks = 0;
};

TEST_F(SkinRadioGroupTest, RecorderGroupsPlaceTheirButtons) {
  auto* two = Group({"单声道", "立体声"});
  ASSERT_EQ(2, two->ButtonCount());
  EXPECT_EQ(Bounds(2, 23, 117, 28), two->Buttons(0)->BoundsRect());
  EXPECT_EQ(Bounds(2, 51, 117, 28), two->Buttons(1)->BoundsRect());
  auto* three = Group({"广播11025赫兹", "正常22050赫兹", "精密44100赫兹"}, 15, 189);
  ASSERT_EQ(3, three->ButtonCount());
  EXPECT_EQ(Bounds(2, 23, 117, 19), three->Buttons(0)->BoundsRect());
  EXPECT_EQ(Bounds(2, 42, 117, 19), three->Buttons(1)->BoundsRect());
  EXPECT_EQ(Bounds(2, 61, 117, 19), three->Buttons(2)->BoundsRect());
  for (auto* g : {two, three})
    for (int i = 0; i < g->ButtonCount(); ++i) {
      TbsGroupButton* b = g->Buttons(i);
      EXPECT_TRUE(b->Visible());
      EXPECT_TRUE(b->Radio());
      EXPECT_TRUE(b->Flat());
      EXPECT_TRUE(b->TabStop());
      EXPECT_EQ(1, b->GroupIndex());
      EXPECT_EQ("radiobox", b->SkinDataName());
      EXPECT_EQ(i, b->ImageIndex());
      EXPECT_EQ("宋体", b->DefaultFont()->Name());
    }
  EXPECT_EQ("立体声", two->Buttons(1)->Caption());
  three->SetItemIndex(1);
  Pic img = Shot(three);
  SaveArtifact(img, "skin_radiogroup_default_recorder");
  // The chosen button's dot: box (3, 2, 17, 16) in a 19-high button at (2, 42).
  EXPECT_EQ(36, CountColor(img, Rect(2 + 7, 42 + 9 - 3, 2 + 13, 42 + 9 + 3), RGB(0, 0, 0)));
  EXPECT_EQ(Shadow, img.Pixel(2 + 3, 42 + 9));
  // The group's frame and face show around and through the flat buttons.
  EXPECT_EQ(RGB(255, 255, 255), img.Pixel(0, 50));
  EXPECT_EQ(Face, img.Pixel(2 + 10, 23 + 4));
}

TEST_F(SkinRadioGroupTest, ColumnsAndLeftoverPixels) {
  auto* g = Group({"a", "b", "c"});
  g->SetColumns(2);
  // R = (1, 23, 120, 80): perColumn 2, bw = 119 div 2 - 2 = 57, bh = 57 div 2 = 28.
  EXPECT_EQ(Bounds(2, 23, 57, 28), g->Buttons(0)->BoundsRect());
  EXPECT_EQ(Bounds(2, 51, 57, 28), g->Buttons(1)->BoundsRect());
  EXPECT_EQ(Bounds(59, 23, 57, 28), g->Buttons(2)->BoundsRect());
  // One pixel row of 57 is left at the bottom.
  EXPECT_EQ(79, g->Buttons(1)->BoundsRect().Bottom);
  g->SetColumns(0);
  EXPECT_EQ(1, g->Columns());
  g->SetColumns(40);
  EXPECT_EQ(16, g->Columns());
  // A taller group re-places its buttons when resized.
  g->SetColumns(1);
  g->SetBounds(g->Left(), g->Top(), 121, 120);
  // R = (1, 23, 120, 119): bh = 96 div 3 = 32.
  EXPECT_EQ(Bounds(2, 87, 117, 32), g->Buttons(2)->BoundsRect());
}

TEST_F(SkinRadioGroupTest, ItemIndexRules) {
  auto* g = Group({"a", "b", "c"});
  EXPECT_EQ(-1, g->ItemIndex());
  g->SetItemIndex(1);
  EXPECT_TRUE(g->Buttons(1)->Checked());
  EXPECT_EQ(1, GroupClicks);
  g->SetItemIndex(1);  // unchanged: nothing
  EXPECT_EQ(1, GroupClicks);
  g->SetItemIndex(2);
  EXPECT_FALSE(g->Buttons(1)->Checked());
  EXPECT_TRUE(g->Buttons(2)->Checked());
  EXPECT_EQ(2, GroupClicks);
  g->SetItemIndex(9);  // beyond the last: the last, which it already is
  EXPECT_EQ(2, g->ItemIndex());
  EXPECT_EQ(2, GroupClicks);
  g->SetItemIndex(-5);
  EXPECT_EQ(-1, g->ItemIndex());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(g->Buttons(i)->Checked());
  // A click on a button chooses it and fires the group's OnClick once.
  Click(g->Buttons(0));
  EXPECT_EQ(0, g->ItemIndex());
  EXPECT_EQ(3, GroupClicks);
  Click(g->Buttons(0));  // already chosen: nothing
  EXPECT_EQ(3, GroupClicks);
  // Deleting items below ItemIndex moves it to the new last item.
  g->SetItemIndex(2);
  g->Items()->Delete(2);
  EXPECT_EQ(1, g->ItemIndex());
  ASSERT_EQ(2, g->ButtonCount());
  EXPECT_TRUE(g->Buttons(1)->Checked());
  g->Items()->Clear();
  EXPECT_EQ(-1, g->ItemIndex());
  EXPECT_EQ(0, g->ButtonCount());
  g->SetItemIndex(0);
  EXPECT_EQ(-1, g->ItemIndex());
}

TEST_F(SkinRadioGroupTest, DisablingTheGroupDisablesEveryButton) {
  auto* g = Group({"单声道", "立体声"});
  g->SetItemIndex(1);
  g->SetEnabled(false);
  for (int i = 0; i < 2; ++i) EXPECT_FALSE(g->Buttons(i)->Enabled());
  Pic img = Shot(g);
  SaveArtifact(img, "skin_radiogroup_default_disabled");
  // Grey mark and captions: no black left in the buttons.
  EXPECT_EQ(0, CountColor(img, Rect(2, 23, 119, 79), RGB(0, 0, 0)));
  EXPECT_EQ(36, CountColor(img, Rect(2 + 7, 51 + 14 - 3, 2 + 13, 51 + 14 + 3), Shadow));
  g->SetEnabled(true);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(g->Buttons(i)->Enabled());
}

TEST_F(SkinRadioGroupTest, SpaceOnReleaseAcceleratorsAndTab) {
  auto* g = Group({"&Mono", "&Stereo", "&Wide"});
  TbsGroupButton* b0 = g->Buttons(0);
  TbsGroupButton* b1 = g->Buttons(1);
  b1->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return b1->Focused(); }, 2000));
  SimulateKey(b1, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(-1, g->ItemIndex());
  SimulateKey(b1, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(1, g->ItemIndex());
  EXPECT_EQ(1, GroupClicks);
  // Tab moves to the next button, Shift+Tab back.
  SimulateKey(b1, WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return g->Buttons(2)->Focused(); }, 2000));
  SimulateKey(g->Buttons(2), WM_KEYDOWN, VK_TAB, MK_SHIFT);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return b1->Focused(); }, 2000));
  // Alt+M reaches every control as a dialog character; b0 takes it.
  SimulateKey(b1, WM_KEYDOWN, 'M', MK_ALT);
  SimulateKey(b1, WM_KEYUP, 'M', MK_ALT);
  EXPECT_EQ(0, g->ItemIndex());
  EXPECT_TRUE(testsupport::WaitUntil([&] { return b0->Focused(); }, 2000));
  EXPECT_EQ(2, GroupClicks);
  // The group's own key handlers see the buttons' keys.
  int groupKeys = 0;
  g->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++groupKeys; };
  SimulateKey(b0, WM_KEYDOWN, 'X');
  EXPECT_EQ(1, groupKeys);
}

TEST_F(SkinRadioGroupTest, RestoredFromAStoredLayout) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  static int clicks;
  clicks = 0;
  ClassRegistry().RegisterMethod("TForm", "GroupClick", [](TComponent*) -> TNotifyEvent {
    return [](TObject*) { ++clicks; };
  });
  auto* form = new TForm(nullptr);
  ReadLayout(form, R"(object F: TForm
  object bsSkinData1: TbsSkinData
  end
  object spl: TbsSkinRadioGroup
    Left = 15
    Top = 189
    Width = 121
    Height = 81
    SkinData = bsSkinData1
    SkinDataName = 'groupbox'
    ButtonSkinDataName = 'radiobox'
    DefaultFont.Charset = DEFAULT_CHARSET
    DefaultFont.Color = clWindowText
    DefaultFont.Height = -12
    DefaultFont.Name = '宋体'
    DefaultFont.Style = []
    ButtonDefaultFont.Charset = DEFAULT_CHARSET
    ButtonDefaultFont.Color = clWindowText
    ButtonDefaultFont.Height = -12
    ButtonDefaultFont.Name = '宋体'
    ButtonDefaultFont.Style = []
    UseSkinFont = True
    DefaultCaptionHeight = 22
    DefaultAlignment = taCenter
    BorderStyle = bvRaised
    CaptionMode = True
    CheckedMode = False
    Checked = False
    RollUpMode = False
    RollUpState = False
    RealHeight = -1
    AutoEnabledControls = True
    NumGlyphs = 1
    Spacing = 2
    Caption = '声单频率'
    ItemIndex = 1
    Items.Strings = (
      '广播11025赫兹'
      '正常22050赫兹'
      '精密44100赫兹')
    TabOrder = 5
    OnClick = GroupClick
  end
end
)");
  auto* g = dynamic_cast<TbsSkinRadioGroup*>(form->FindComponent("spl"));
  ASSERT_NE(nullptr, g);
  EXPECT_EQ(1, g->ItemIndex());
  ASSERT_EQ(3, g->ButtonCount());
  EXPECT_TRUE(g->Buttons(1)->Checked());
  EXPECT_FALSE(g->Buttons(0)->Checked());
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(Bounds(2, 61, 117, 19), g->Buttons(2)->BoundsRect());
  EXPECT_EQ("宋体", g->Buttons(2)->DefaultFont()->Name());
  EXPECT_EQ(-12, g->Buttons(2)->DefaultFont()->Height());
  EXPECT_EQ(bvRaised, g->BorderStyle());
  EXPECT_EQ(taCenter, g->DefaultAlignment());
  EXPECT_NE(nullptr, g->SkinData());
  EXPECT_EQ(g->SkinData(), g->Buttons(0)->SkinData());
  g->SetItemIndex(2);
  EXPECT_EQ(1, clicks);
  delete form;
}

TEST_F(SkinRadioGroupTest, ClickHandlerMayFreeTheGroup) {
  auto* g = Group({"a", "b"});
  g->OnClick = [g](TObject*) { delete g; };
  TbsGroupButton* b = g->Buttons(1);
  SimulateMouse(b, WM_LBUTTONDOWN, 8, 10, MK_LBUTTON);
  SimulateMouse(b, WM_LBUTTONUP, 8, 10, 0);
  EXPECT_EQ(0, Form->ControlCount());
}

}  // namespace
