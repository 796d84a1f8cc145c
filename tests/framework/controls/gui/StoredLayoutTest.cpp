#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StandardControls.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

// A registry of its own: the bounds and the parent link the windows layer normally
// registers, a root form class with two handlers, and the standard controls.
class StoredLayoutTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Form->SetBounds(40, 40, 200, 420);
    Registry.RegisterClass("TComponent", "", TComponentFactory{});
    Registry.RegisterClass("TControl", "TComponent", TComponentFactory{});
    auto control = Registry.Properties<TControl>("TControl");
    control.Integer("Left", nullptr, [](TControl* c, Int64 v) { c->SetLeft(int(v)); });
    control.Integer("Top", nullptr, [](TControl* c, Int64 v) { c->SetTop(int(v)); });
    control.Integer("Width", nullptr, [](TControl* c, Int64 v) { c->SetWidth(int(v)); });
    control.Integer("Height", nullptr, [](TControl* c, Int64 v) { c->SetHeight(int(v)); });
    control.Boolean("Enabled", nullptr, [](TControl* c, bool v) { c->SetEnabled(v); });
    RegisterStandardControls(Registry);
    Registry.RegisterRootClass<TForm>("TForm", "TWinControl");
    Registry.SetParentHandler([](TComponent* child, TComponent* parent) {
      auto* c = dynamic_cast<TControl*>(child);
      auto* p = dynamic_cast<TWinControl*>(parent);
      if (c && p) c->SetParent(p);
    });
    Registry.RegisterMethod("TForm", "TrackBar1Change", [this](TComponent*) -> TNotifyEvent {
      return [this](TObject*) { ++Changes; };
    });
    Registry.RegisterMethod("TForm", "BtstartClick", [this](TComponent*) -> TNotifyEvent {
      return [this](TObject*) { ++Clicks; };
    });
  }
  template <class T>
  T* Find(const std::string& name) {
    auto* t = dynamic_cast<T*>(Form->FindComponent(name));
    EXPECT_NE(t, nullptr) << name;
    return t;
  }
  TClassRegistry Registry;
  int Changes = 0;
  int Clicks = 0;
};

const char* kLayout = R"(object Form1: TForm
  object ssd: TRadioGroup
    Left = 15
    Top = 11
    Width = 121
    Height = 81
    Caption = #22768#36947
    ItemIndex = 1
    Items.Strings = (
      #21333#22768#36947
      #31435#20307#22768)
    Columns = 1
  end
  object Label1: TLabel
    Left = 16
    Top = 280
    Width = 60
    Height = 13
    Caption = #21407#21809#38899#37327#65306
    Transparent = True
    Alignment = taRightJustify
    WordWrap = False
    AutoSize = True
  end
  object TrackBar1: TTrackBar
    Left = 8
    Top = 299
    Width = 137
    Height = 45
    Position = 200
    Max = 255
    Orientation = trHorizontal
    Frequency = 16
    TickMarks = tmBottomRight
    TickStyle = tsAuto
    OnChange = TrackBar1Change
  end
  object Btstart: TButton
    Left = 16
    Top = 344
    Width = 59
    Height = 25
    Caption = 'Record'
    Default = True
    Cancel = False
    ModalResult = mrOk
    OnClick = BtstartClick
  end
  object Btstop: TButton
    Left = 80
    Top = 344
    Width = 59
    Height = 25
    Caption = 'Stop'
    Enabled = False
  end
  object bsDialog: TOpenDialog
    Title = 'Open file'
    Filter = 'All files|*.*'
    FilterIndex = 1
    DefaultExt = 'wav'
    InitialDir = '/tmp'
    FileName = 'x.wav'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
end
)";

TEST_F(StoredLayoutTest, ReadsAllStandardControlsWithTheirProperties) {
  ReadLayout(Form, kLayout, Registry);

  auto* ssd = Find<TRadioGroup>("ssd");
  EXPECT_EQ(ssd->Parent(), Form);
  EXPECT_EQ(ssd->Caption(), "\u58f0\u9053");
  ASSERT_EQ(ssd->Items()->Count(), 2);
  EXPECT_EQ(ssd->Items()->Strings(1), "\u7acb\u4f53\u58f0");
  EXPECT_EQ(ssd->ItemIndex(), 1);
  EXPECT_EQ(ssd->BoundsRect(), Rect(15, 11, 136, 92));

  auto* label = Find<TLabel>("Label1");
  EXPECT_EQ(label->Caption(), "\u539f\u5531\u97f3\u91cf\uff1a");
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Alignment(), taRightJustify);
  // AutoSize applies once the layout is read, keeping the right edge.
  TBitmap scratch(1, 1);
  scratch.Canvas()->Font()->Assign(label->Font());
  EXPECT_EQ(label->Width(), scratch.Canvas()->TextWidth(label->Caption()));
  EXPECT_EQ(label->Left() + label->Width(), 76);

  auto* bar = Find<TTrackBar>("TrackBar1");
  // Position came before Max: it is not cut to the default Max of 10.
  EXPECT_EQ(bar->Max(), 255);
  EXPECT_EQ(bar->Position(), 200);
  EXPECT_EQ(bar->Frequency(), 16);
  EXPECT_EQ(bar->Orientation(), trHorizontal);
  EXPECT_EQ(Changes, 0);  // nothing is reported while the layout is read
  bar->SetPosition(300);
  EXPECT_EQ(bar->Position(), 255);
  EXPECT_EQ(Changes, 1);

  auto* start = Find<TButton>("Btstart");
  auto* stop = Find<TButton>("Btstop");
  EXPECT_TRUE(start->Default());
  EXPECT_EQ(start->ModalResult(), mrOk);
  EXPECT_EQ(start->Caption(), "Record");
  EXPECT_FALSE(stop->Enabled());
  Press(start, 10, 10);
  Release(start, 10, 10);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->ModalResult(), mrOk);

  auto* dialog = Find<TOpenDialog>("bsDialog");
  EXPECT_EQ(dialog->Title(), "Open file");
  EXPECT_EQ(dialog->Filter(), "All files|*.*");
  EXPECT_EQ(dialog->FilterIndex(), 1);
  EXPECT_EQ(dialog->DefaultExt(), "wav");
  EXPECT_EQ(dialog->InitialDir(), "/tmp");
  EXPECT_EQ(dialog->FileName(), "x.wav");
  EXPECT_EQ(dialog->Options(), (TOpenOptions{ofHideReadOnly, ofFileMustExist, ofEnableSizing}));

  TBitmap shot;
  PaintTo(Form, &shot);
  SaveArtifact(shot, "stored_layout_form");
}

TEST_F(StoredLayoutTest, UnknownValuesAreLayoutErrors) {
  auto error = [&](const std::string& body) {
    try {
      ReadLayout(Form, "object Form1: TForm\n  object T: TTrackBar\n    " + body + "\n  end\nend\n", Registry);
    } catch (const ELayoutError& e) {
      return std::string(e.Message());
    }
    return std::string();
  };
  EXPECT_NE(error("Orientation = trDiagonal"), "");
  EXPECT_NE(error("TickMarks = 3"), "");
  EXPECT_NE(error("OnChange = NoSuchMethod"), "");
  EXPECT_EQ(Form->FindComponent("T"), nullptr);
}

TEST_F(StoredLayoutTest, RegistersIntoTheProgramRegistryToo) {
  RegisterStandardControls();
  for (const char* cls : {"TLabel", "TButton", "TRadioGroup", "TTrackBar", "TOpenDialog"})
    EXPECT_TRUE(ClassRegistry().IsRegistered(cls)) << cls;
  EXPECT_NE(ClassRegistry().FindProperty("TRadioGroup", "Items.Strings"), nullptr);
  EXPECT_NE(ClassRegistry().FindProperty("TTrackBar", "OnChange"), nullptr);
  EXPECT_NE(ClassRegistry().FindProperty("TOpenDialog", "Options"), nullptr);
  EXPECT_TRUE(ClassRegistry().InheritsFrom("TButton", "TWinControl"));
  EXPECT_TRUE(ClassRegistry().InheritsFrom("TLabel", "TControl"));
}

}  // namespace
