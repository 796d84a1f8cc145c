#include "framework/controls/Button.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class ButtonTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Btn = new TButton(Form);
    Btn->SetParent(Form);
    Btn->SetBounds(10, 10, 75, 25);
    Btn->SetCaption("OK");
    Btn->OnClick = [this](TObject* sender) {
      EXPECT_EQ(sender, Btn);
      ++Clicks;
    };
  }
  TButton* Btn = nullptr;
  int Clicks = 0;
};

TEST_F(ButtonTest, ClicksOnlyWhenReleasedInside) {
  Press(Btn, 20, 12);
  EXPECT_TRUE(Btn->Down());
  EXPECT_EQ(Clicks, 0);
  Release(Btn, 21, 13);
  EXPECT_FALSE(Btn->Down());
  EXPECT_EQ(Clicks, 1);

  // Pressed, dragged out (the button rises), released outside: no click.
  Press(Btn, 20, 12);
  Move(Btn, 200, 12);
  EXPECT_FALSE(Btn->Down());
  Move(Btn, 30, 12);  // back in: down again
  EXPECT_TRUE(Btn->Down());
  Move(Btn, 30, 40);
  Release(Btn, 30, 40);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Btn->Down());

  // A right click is no click.
  SimulateMouse(Btn, WM_RBUTTONDOWN, 20, 12, MK_RBUTTON);
  SimulateMouse(Btn, WM_RBUTTONUP, 20, 12, 0);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndEnterAtOnce) {
  SimulateKey(Btn, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(Btn->Down());
  EXPECT_EQ(Clicks, 0);
  SimulateKey(Btn, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(Btn->Down());
  EXPECT_EQ(Clicks, 1);
  SimulateKey(Btn, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Clicks, 2);
  SimulateKey(Btn, WM_KEYUP, VK_RETURN);
  Key(Btn, 'A');
  EXPECT_EQ(Clicks, 2);
}

TEST_F(ButtonTest, ClickHandlerMayFreeTheButton) {
  Btn->OnClick = [this](TObject*) {
    delete Btn;
    Btn = nullptr;
  };
  Press(Btn, 20, 12);
  Release(Btn, 20, 12);
  EXPECT_EQ(Btn, nullptr);
}

TEST_F(ButtonTest, DisabledButtonIgnoresInputAndClick) {
  Btn->SetEnabled(false);
  Press(Btn, 20, 12);
  EXPECT_FALSE(Btn->Down());
  Release(Btn, 20, 12);
  Key(Btn, VK_SPACE);
  Key(Btn, VK_RETURN);
  Btn->Click();
  EXPECT_EQ(Btn->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(ButtonTest, DisablingWhileHeldDropsThePress) {
  Press(Btn, 20, 12);
  Btn->SetEnabled(false);
  EXPECT_FALSE(Btn->Down());
  Btn->SetEnabled(true);
  Release(Btn, 20, 12);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(ButtonTest, ModalResultGoesToTheFormBeforeOnClick) {
  Btn->SetModalResult(mrOk);
  Btn->OnClick = [this](TObject*) {
    EXPECT_EQ(Form->ModalResult(), mrOk);
    ++Clicks;
  };
  Press(Btn, 20, 12);
  Release(Btn, 20, 12);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ButtonTest, StoredClickHandlerIsBoundByName) {
  int clicks = 0;
  ReadControls(R"(  object Btstart: TButton
    Left = 16
    Top = 150
    Width = 59
    Height = 25
    OnClick = BtstartClick
  end
)", {{"BtstartClick", [&clicks] { ++clicks; }}});
  auto* start = dynamic_cast<TButton*>(Form->FindComponent("Btstart"));
  ASSERT_NE(nullptr, start);
  Press(start, 10, 10);
  Release(start, 10, 10);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, DefaultAndCancelAnswerTheirDialogKeys) {
  auto* cancel = new TButton(Form);
  cancel->SetParent(Form);
  cancel->SetBounds(100, 10, 75, 25);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  Btn->SetDefault(true);
  EXPECT_EQ(Btn->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
  EXPECT_EQ(cancel->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Btn->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(cancel->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
}

TEST_F(ButtonTest, PaintsRaisedPressedFocusedAndDisabledLooks) {
  TBitmap up;
  PaintTo(Btn, &up);
  SaveArtifact(up, "button_up");
  ASSERT_EQ(up.Width(), 75);
  EXPECT_EQ(up.Pixel(0, 0), White);
  EXPECT_EQ(up.Pixel(74, 24), DkShadow);
  EXPECT_EQ(up.Pixel(73, 23), Shadow);
  EXPECT_EQ(up.Pixel(1, 1), Face);
  EXPECT_EQ(up.Pixel(10, 12), Face);
  TRect text = Rect(20, 4, 55, 21);
  int ink = DarkPixels(up, text);
  EXPECT_GT(ink, 10);
  EXPECT_EQ(DarkPixels(up, Rect(4, 4, 18, 21)), 0);  // the caption is centred

  Press(Btn, 30, 12);
  TBitmap down;
  PaintTo(Btn, &down);
  SaveArtifact(down, "button_down");
  // Focused by the press: a black ring, then the one-pixel shadow ring of the sunk face.
  EXPECT_EQ(down.Pixel(0, 0), Black);
  EXPECT_EQ(down.Pixel(74, 24), Black);
  EXPECT_EQ(down.Pixel(1, 1), Shadow);
  EXPECT_EQ(down.Pixel(73, 23), Shadow);
  EXPECT_EQ(down.Pixel(2, 2), Face);
  Release(Btn, 30, 12);

  TBitmap focused;
  PaintTo(Btn, &focused);
  SaveArtifact(focused, "button_focused");
  EXPECT_EQ(focused.Pixel(0, 0), Black);
  EXPECT_EQ(focused.Pixel(1, 1), White);
  // The dotted focus rectangle four pixels in: every other pixel inverted.
  TColor inverted = Face ^ 0xFFFFFF;
  EXPECT_EQ(focused.Pixel(4, 4), inverted);
  EXPECT_EQ(focused.Pixel(5, 4), Face);
  EXPECT_EQ(focused.Pixel(6, 4), inverted);

  Btn->SetEnabled(false);
  TBitmap disabled;
  PaintTo(Btn, &disabled);
  SaveArtifact(disabled, "button_disabled");
  // Embossed grey caption: no black ink, shadow and highlight strokes instead.
  EXPECT_EQ(DarkPixels(disabled, text), 0);
  EXPECT_GT(CountColor(disabled, text, Shadow), 5);
  EXPECT_GT(CountColor(disabled, text, White), 5);
}

}  // namespace
