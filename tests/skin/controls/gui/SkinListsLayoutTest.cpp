// The skinned list view, label and bevel restored from a stored layout: their own
// properties, the references to the skin data and the two bars, and the framework
// properties they inherit.
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/SkinDataRegistration.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

namespace {

TEST(SkinListsLayoutTest, ListLabelAndBevelAreRestored) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  skintest::TSkinTestForm::Register();
  skintest::TSkinTestForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TSkinTestForm
  Left = 10
  Top = 10
  Width = 400
  Height = 300
  object bsSkinData1: TbsSkinData
  end
  object V: TbsSkinScrollBar
    Left = 208
    Top = 8
    Width = 19
    Height = 150
    Kind = sbVertical
  end
  object H: TbsSkinScrollBar
    Left = 8
    Top = 158
    Width = 200
    Height = 19
  end
  object List: TbsSkinListView
    Left = 8
    Top = 8
    Width = 200
    Height = 150
    ViewStyle = vsReport
    MultiSelect = True
    Columns.Strings = (
      'Name,150'
      'Size,90')
    Items.Strings = (
      'one'
      'two')
    SkinData = bsSkinData1
    HeaderSkinDataName = 'listheader'
    HScrollBar = H
    VScrollBar = V
    DefaultFont.Name = 'DejaVu Sans'
    DefaultFont.Height = -12
    UseSkinFont = False
  end
  object Lbl: TbsSkinStdLabel
    Left = 8
    Top = 200
    Caption = 'File &name:'
    SkinData = bsSkinData1
    UseSkinFont = False
  end
  object Bvl: TbsSkinBevel
    Left = 8
    Top = 230
    Width = 300
    Height = 10
    Shape = bsTopLine
    DividerMode = True
    SkinData = bsSkinData1
  end
end
)");
  auto* data = dynamic_cast<TbsSkinData*>(form.FindComponent("bsSkinData1"));
  auto* list = dynamic_cast<TbsSkinListView*>(form.FindComponent("List"));
  ASSERT_TRUE(data && list);
  EXPECT_EQ(data, list->SkinData());
  EXPECT_EQ(vsReport, list->ViewStyle());
  EXPECT_TRUE(list->MultiSelect());
  ASSERT_EQ(2, list->ColumnCount());
  EXPECT_EQ(90, list->Column(1).Width);
  EXPECT_EQ(2, list->ItemCount());
  EXPECT_EQ("listheader", list->HeaderSkinDataName());
  EXPECT_EQ(form.FindComponent("H"), list->HScrollBar());
  EXPECT_EQ(form.FindComponent("V"), list->VScrollBar());
  EXPECT_FALSE(list->UseSkinFont());
  EXPECT_EQ("DejaVu Sans", list->Font()->Name());  // the default font, applied when loaded
  EXPECT_FALSE(list->VScrollBar()->Visible());  // two rows fit

  auto* label = dynamic_cast<TbsSkinStdLabel*>(form.FindComponent("Lbl"));
  ASSERT_TRUE(label);
  EXPECT_EQ(data, label->SkinData());
  EXPECT_EQ("File &name:", label->Caption());
  EXPECT_FALSE(label->UseSkinFont());
  auto* bevel = dynamic_cast<TbsSkinBevel*>(form.FindComponent("Bvl"));
  ASSERT_TRUE(bevel);
  EXPECT_EQ(bsTopLine, bevel->Shape());
  EXPECT_TRUE(bevel->DividerMode());
  EXPECT_EQ(data, bevel->SkinData());
}

}  // namespace
