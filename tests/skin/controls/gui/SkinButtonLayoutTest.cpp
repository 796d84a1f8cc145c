// Skin buttons restored from a stored layout with the properties the main window
// stores, a glyph block, an action and a bound click handler; a check box and its
// action; and a layout error.
#include "framework/actions/Action.h"
#include "framework/actions/ActionClasses.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinButtonLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowsClasses();
    RegisterActionClasses();
    RegisterSkinDataClasses();
    RegisterSkinControlClasses();
    skintest::TSkinTestForm::Register();
    ClassRegistry().RegisterMethod("TSkinTestForm", "BtstartClick", [this](TComponent*) -> TNotifyEvent {
      return [this](TObject*) { ++Clicks; };
    });
  }
  int Clicks = 0;
};

// A 2 x 1 glyph (two cells of one pixel) as a stored bitmap block: length, then BMP.
std::string GlyphHex() {
  TBitmap g(2, 1);
  g.SetPixel(0, 0, clRed);
  g.SetPixel(1, 0, clBlue);
  std::vector<std::uint8_t> bmp = g.SaveToBytes();
  std::string hex;
  const std::uint32_t n = std::uint32_t(bmp.size());
  for (int i = 0; i < 4; ++i) hex += IntToHex(int((n >> (8 * i)) & 0xFF), 2);
  for (std::uint8_t b : bmp) hex += IntToHex(b, 2);
  return hex;
}

TEST_F(SkinButtonLayoutTest, MainWindowPropertiesAreRestored) {
  skintest::TSkinTestForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TSkinTestForm
  Left = 10
  Top = 10
  Width = 400
  Height = 300
  object bsSkinData1: TbsSkinData
  end
  object Action1: TAction
    Caption = 'From action'
  end
  object Btstart: TbsSkinButton
    Left = 16
    Top = 384
    Width = 59
    Height = 25
    Caption = '录制'
    TabOrder = 3
    SkinData = bsSkinData1
    SkinDataName = 'button'
    DefaultFont.Charset = DEFAULT_CHARSET
    DefaultFont.Color = clWindowText
    DefaultFont.Height = -12
    DefaultFont.Name = '宋体'
    DefaultFont.Style = []
    DefaultWidth = 0
    DefaultHeight = 0
    UseSkinFont = True
    RepeatMode = False
    RepeatInterval = 100
    AllowAllUp = False
    TabStop = True
    CanFocused = True
    Down = False
    GroupIndex = 0
    NumGlyphs = 2
    Spacing = 1
    Margin = 3
    Layout = blGlyphTop
    ModalResult = mrOk
    Default = True
    Cancel = True
    Glyph.Data = {)" + GlyphHex() + R"(}
    OnClick = BtstartClick
  end
  object Btstop: TbsSkinButton
    Left = 80
    Top = 384
    Width = 59
    Height = 25
    Enabled = False
    SkinData = bsSkinData1
    Action = Action1
  end
end
)");
  auto* b = dynamic_cast<TbsSkinButton*>(form.FindComponent("Btstart"));
  auto* stop = dynamic_cast<TbsSkinButton*>(form.FindComponent("Btstop"));
  auto* data = dynamic_cast<TbsSkinData*>(form.FindComponent("bsSkinData1"));
  ASSERT_TRUE(b && stop && data);
  EXPECT_EQ(data, b->SkinData());
  EXPECT_EQ("button", b->SkinDataName());
  EXPECT_EQ("宋体", b->DefaultFont()->Name());
  EXPECT_EQ(-12, b->DefaultFont()->Height());
  EXPECT_EQ(clWindowText, b->DefaultFont()->Color());
  EXPECT_EQ(DEFAULT_CHARSET, b->DefaultFont()->Charset());
  EXPECT_TRUE(b->UseSkinFont());
  EXPECT_EQ(2, b->NumGlyphs());
  EXPECT_EQ(1, b->Spacing());
  EXPECT_EQ(3, b->Margin());
  EXPECT_EQ(blGlyphTop, b->Layout());
  EXPECT_EQ(mrOk, b->ModalResult());
  EXPECT_TRUE(b->Default() && b->Cancel() && b->CanFocused() && b->TabStop());
  EXPECT_EQ(Bounds(16, 384, 59, 25), b->BoundsRect());
  EXPECT_EQ("录制", b->Caption());
  ASSERT_EQ(2, b->Glyph()->Width());
  EXPECT_EQ(clBlue, b->Glyph()->Pixel(1, 0));
  // The bound handler runs on a click; the action gives the other button its caption.
  b->ButtonClick();
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ("From action", stop->Caption());
  EXPECT_FALSE(stop->Enabled());  // stored after the action: a stored value wins
  ASSERT_NE(nullptr, stop->Action());
  EXPECT_EQ("Action1", stop->Action()->Name());
}

TEST_F(SkinButtonLayoutTest, MalformedGlyphBlockIsALayoutError) {
  skintest::TSkinTestForm form(nullptr);
  EXPECT_THROW(ReadLayout(&form, "object Form1: TSkinTestForm\n  object b: TbsSkinButton\n"
                                 "    Glyph.Data = {0400000042}\n  end\nend\n"),
               Exception);
  EXPECT_EQ(nullptr, form.FindComponent("b"));
}

// Without OnClick the linked action executes; with one, OnClick alone runs.
TEST_F(SkinButtonLayoutTest, ActionRunsWhenTheButtonHasNoHandler) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  action->SetCaption("Go");
  auto* b = new TbsSkinButton(&form);
  b->SetParent(&form);
  b->SetAction(action);
  EXPECT_EQ("Go", b->Caption());
  b->ButtonClick();
  EXPECT_EQ(1, executed);
  int own = 0;
  b->OnClick = [&](TObject*) { ++own; };
  b->ButtonClick();
  EXPECT_EQ(1, executed);
  EXPECT_EQ(1, own);
  // The action follows into the button while the button shows its value; freeing the
  // action unlinks it.
  action->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  delete action;
  EXPECT_EQ(nullptr, b->Action());
  b->ButtonClick();
  EXPECT_EQ(2, own);
}

// A check box linked in the layout takes the action's state and follows it without
// running it; toggled, it runs the action (with no OnClick of its own).
TEST_F(SkinButtonLayoutTest, CheckBoxFollowsAndRunsItsAction) {
  skintest::TSkinTestForm form(nullptr);
  ReadLayout(&form, "object Form1: TSkinTestForm\n  object Loop: TAction\n    Caption = 'Loop'\n"
                    "    Checked = True\n  end\n  object Box: TbsSkinCheckRadioBox\n    Action = Loop\n  end\nend\n");
  auto* box = dynamic_cast<TbsSkinCheckRadioBox*>(form.FindComponent("Box"));
  auto* action = dynamic_cast<TAction*>(form.FindComponent("Loop"));
  ASSERT_TRUE(box && action);
  EXPECT_EQ("Loop", box->Caption());
  EXPECT_TRUE(box->Checked());
  action->OnExecute = [&](TObject*) { ++Clicks; };
  action->SetChecked(false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(0, Clicks);
  box->Toggle();
  EXPECT_EQ(1, Clicks);
  delete action;
  EXPECT_EQ(nullptr, box->Action());
}

}  // namespace
