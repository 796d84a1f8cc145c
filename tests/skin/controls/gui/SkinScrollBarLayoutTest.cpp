// A skin scroll bar restored from a stored layout, with its range, page, kind and a bound
// change handler.
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinDataRegistration.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

namespace {

TEST(SkinScrollBarLayoutTest, PropertiesAndEventsAreRestored) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  skintest::TSkinTestForm::Register();
  int changes = 0;
  ClassRegistry().RegisterMethod("TSkinTestForm", "BarChange", [&changes](TComponent*) -> TNotifyEvent {
    return [&changes](TObject*) { ++changes; };
  });
  skintest::TSkinTestForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TSkinTestForm
  Left = 10
  Top = 10
  Width = 300
  Height = 300
  object Bar: TbsSkinScrollBar
    Left = 8
    Top = 8
    Width = 19
    Height = 200
    Kind = sbVertical
    SkinDataName = 'vscrollbar'
    Min = 5
    Max = 99
    PageSize = 10
    Position = 95
    SmallChange = 2
    LargeChange = 7
    BothMarkerWidth = 12
    CanFocused = True
    OnChange = BarChange
  end
end
)");
  auto* b = dynamic_cast<TbsSkinScrollBar*>(form.FindComponent("Bar"));
  ASSERT_TRUE(b);
  EXPECT_EQ(sbVertical, b->Kind());
  EXPECT_EQ(19, b->Width());  // not swapped: only the designer does that
  EXPECT_EQ("vscrollbar", b->SkinDataName());
  EXPECT_EQ(5, b->Min());
  EXPECT_EQ(99, b->Max());
  EXPECT_EQ(10, b->PageSize());
  EXPECT_EQ(90, b->Position());  // clamped to Max - PageSize + 1
  EXPECT_EQ(2, b->SmallChange());
  EXPECT_EQ(7, b->LargeChange());
  EXPECT_EQ(12, b->BothMarkerWidth());
  EXPECT_TRUE(b->CanFocused() && b->TabStop());
  changes = 0;
  b->SetPosition(20);
  EXPECT_EQ(1, changes);
}

}  // namespace
