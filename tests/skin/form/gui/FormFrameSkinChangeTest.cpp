// A skin changed at run time under a form with controls: Slate, then a stored skin that
// no reader accepts (it clears the skin), then Slate again. The form's own walk reaches
// every skin control at any depth, and the frame follows each step.
#include <map>

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
// Counts the walk's calls on a control.
template <class Base>
class Counted : public Base {
 public:
  using Base::Base;
  void BeginSkinChange() override {
    ++Begins;
    Base::BeginSkinChange();
  }
  void ApplySkinChange() override {
    ++Applies;
    Base::ApplySkinChange();
  }
  int Begins = 0, Applies = 0;
};

class FormFrameSkinChange : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    form->SetBounds(100, 80, 480, 360);
    data = new TbsSkinData(form);
    other = new TbsSkinData(form);
    skinForm->SetSkinData(data);
    // Three levels: on the form, in a panel, in a panel in that panel; one control of
    // another skin data.
    auto* outer = Add<Counted<TbsSkinPanel>>(form, 10, 10, 300, 200, "panel");
    auto* inner = Add<Counted<TbsSkinPanel>>(outer, 10, 40, 200, 120, "panel");
    Add<Counted<TbsSkinButton>>(form, 320, 20, 90, 25, "button");
    Add<Counted<TbsSkinCheckRadioBox>>(outer, 220, 10, 70, 20, "checkbox");
    Add<Counted<TbsSkinButton>>(inner, 10, 10, 90, 25, "button");
    Add<Counted<TbsSkinCheckRadioBox>>(inner, 10, 50, 90, 20, "checkbox");
    foreign = new Counted<TbsSkinButton>(form);
    foreign->SetParent(inner);
    foreign->SetBounds(110, 10, 80, 25);
    foreign->SetSkinDataName("button");
    foreign->SetSkinData(other);
  }
  template <class T>
  T* Add(TWinControl* parent, int x, int y, int w, int h, const std::string& name) {
    auto* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    c->SetSkinDataName(name);
    c->SetSkinData(data);
    counts.push_back({&c->Begins, &c->Applies, c});
    return c;
  }
  static TbsCompressedStoredSkin& Slate() { return testsupport::SlateStoredSkin(); }
  static TbsCompressedStoredSkin& Version4() {
    static TbsCompressedStoredSkin* stored = [] {
      auto* s = new TbsCompressedStoredSkin(nullptr);
      skintest::SkinStream stream;
      stream.version = 4;
      skintest::Store(*s, skintest::Deflate(stream.Bytes()));
      return s;
    }();
    return *stored;
  }
  // Every control of data: walked `begins` / `applies` times in all, and (when set)
  // holding a record or not.
  void ExpectWalk(int begins, int applies, int recordHeld) {
    for (const auto& c : counts) {
      EXPECT_EQ(begins, *c.Begins) << c.Control->ClassName() << " " << c.Control->Name();
      EXPECT_EQ(applies, *c.Applies) << c.Control->ClassName();
      if (recordHeld >= 0) {
        EXPECT_EQ(recordHeld == 1, c.Control->SkinIndex() >= 0) << c.Control->ClassName();
      }
    }
  }
  void Paint(TBitmap& b, const std::string& name) {
    PaintTo(form, &b);
    Save(b, name);
  }
  struct Count {
    int* Begins;
    int* Applies;
    TbsSkinControl* Control;
  };
  std::vector<Count> counts;
  TbsSkinData* data = nullptr;
  TbsSkinData* other = nullptr;
  Counted<TbsSkinButton>* foreign = nullptr;
};
}  // namespace

TEST_F(FormFrameSkinChange, SlateThenAClearingSkinThenSlate) {
  ASSERT_FALSE(Slate().IsDataEmpty()) << "the skin generator did not run";
  ASSERT_EQ(6u, counts.size());
  TBitmap first;
  Paint(first, "skin_form_change_0_default");

  data->LoadFromStoredSkin(&Slate());
  ASSERT_FALSE(data->SkinEmpty);
  ExpectWalk(1, 1, 1);
  // A control of another skin data is left alone.
  EXPECT_EQ(0, foreign->Begins);
  EXPECT_EQ(0, foreign->Applies);
  EXPECT_TRUE(skinForm->SkinFrame());
  EXPECT_EQ(data->clientrect.TopLeft(), form->ClientRectInWindow().TopLeft());
  TRegion shape;
  EXPECT_TRUE(GetWindowRgn(form->HandleValue(), shape));
  EXPECT_GE(skinForm->IndexOfObject("caption"), 0);
  TBitmap slate;
  Paint(slate, "skin_form_change_1_slate");

  // The stored skin of version 4 clears the skin and sends nothing after the before step.
  data->LoadFromStoredSkin(&Version4());
  ASSERT_TRUE(data->SkinEmpty);
  ExpectWalk(2, 1, 0);
  EXPECT_FALSE(skinForm->SkinActive());
  EXPECT_FALSE(skinForm->SkinFrame());
  EXPECT_EQ(0, skinForm->ObjectCount());
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), shape));
  EXPECT_EQ(Rect(3, 22, form->Width() - 3, form->Height() - 3), form->ClientRectInWindow());
  testsupport::Pump(20);
  TBitmap cleared;
  Paint(cleared, "skin_form_change_2_cleared");
  // The buttons of the cleared skin look like the button of the other, empty skin.
  const TPoint inner = form->ScreenToClient(counts[4].Control->ClientToScreen(Point(5, 12)));
  const TPoint empty = form->ScreenToClient(foreign->ClientToScreen(Point(5, 12)));
  const TRect c = form->ClientRectInWindow();
  EXPECT_EQ(cleared.Pixel(c.Left + empty.X, c.Top + empty.Y), cleared.Pixel(c.Left + inner.X, c.Top + inner.Y));
  EXPECT_EQ(ColorToRGB(cl3DLight), cleared.Pixel(0, 0));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), cleared.Pixel(25, 5));

  data->LoadFromStoredSkin(&Slate());
  ExpectWalk(3, 2, 1);
  EXPECT_TRUE(skinForm->SkinFrame());
  EXPECT_TRUE(GetWindowRgn(form->HandleValue(), shape));
  TBitmap again;
  Paint(again, "skin_form_change_3_slate");
  // The same look as the first time.
  int differing = 0;
  for (int y = 0; y < again.Height(); y += 3)
    for (int x = 0; x < again.Width(); x += 3) differing += again.Pixel(x, y) != slate.Pixel(x, y);
  EXPECT_EQ(0, differing);
}

TEST_F(FormFrameSkinChange, OtherSkinDataOnlyMakesItsControlsReRead) {
  ASSERT_FALSE(Slate().IsDataEmpty());
  other->LoadFromStoredSkin(&Slate());
  // The form's own skin is not touched: no before step, the frame stays default.
  ExpectWalk(0, 0, 0);
  EXPECT_EQ(0, foreign->Begins);
  EXPECT_EQ(1, foreign->Applies);
  EXPECT_GE(foreign->SkinIndex(), 0);
  EXPECT_FALSE(skinForm->SkinFrame());
  // A change message without skin data reaches every skin control.
  SendMessage(form->HandleValue(), SKINMSG_CHANGE, 0, SkinMessageLParam);
  ExpectWalk(0, 1, -1);
  EXPECT_EQ(2, foreign->Applies);
}

TEST_F(FormFrameSkinChange, ClientSizeIsKeptAfterEveryChange) {
  skinForm->SetClientWidth(400);
  skinForm->SetClientHeight(250);
  ASSERT_FALSE(Slate().IsDataEmpty());
  data->LoadFromStoredSkin(&Slate());
  EXPECT_EQ(400, form->ClientWidth());
  EXPECT_EQ(250, form->ClientHeight());
  data->LoadFromStoredSkin(&Version4());
  data->LoadFromStoredSkin(&Slate());
  EXPECT_EQ(400, form->ClientWidth());
  EXPECT_EQ(250, form->ClientHeight());
}

TEST_F(FormFrameSkinChange, FreedSkinDataLeavesNoShapeOrMarginsOfItsSkin) {
  auto* masked = Add<Counted<TbsSkinButton>>(form, 320, 60, 100, 36, "maskbutton");
  skinForm->SetMenusSkinData(data);
  auto* menu = new TbsSkinPopupMenu(form);
  menu->SetSkinData(data);
  data->LoadFromStoredSkin(&Slate());
  TRegion shape;
  ASSERT_TRUE(GetWindowRgn(form->HandleValue(), shape) && GetWindowRgn(masked->HandleValue(), shape));
  delete data;
  data = nullptr;
  EXPECT_EQ(nullptr, skinForm->SkinData());
  EXPECT_EQ(nullptr, skinForm->MenusSkinData());
  EXPECT_EQ(nullptr, menu->SkinData());
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), shape)) << "the form keeps the skin's shape";
  EXPECT_FALSE(GetWindowRgn(masked->HandleValue(), shape)) << "the button keeps the skin's mask";
  EXPECT_EQ(Rect(3, 22, form->Width() - 3, form->Height() - 3), form->ClientRectInWindow());
  EXPECT_EQ(6, skinForm->ObjectCount()) << "not the default caption buttons";
  TBitmap b;
  Paint(b, "skin_form_change_freed_data");
  EXPECT_EQ(ColorToRGB(cl3DLight), b.Pixel(0, 0));
}
