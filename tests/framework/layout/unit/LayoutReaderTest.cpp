#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/layout/unit/LayoutTestComponents.h"

using namespace layouttest;

namespace {

class LayoutReader : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    RegisterTestClasses(Registry);
    Form = std::make_unique<TTestForm>(nullptr);
  }
  TTestWidget* Widget(const std::string& name) { return dynamic_cast<TTestWidget*>(Form->FindComponent(name)); }
  // The message of the ELayoutError the text raises, or "" when it reads.
  std::string ErrorOf(const std::string& text) {
    try {
      ReadLayout(Form.get(), text, Registry);
    } catch (const ELayoutError& e) {
      return e.Message();
    }
    return "";
  }
  TClassRegistry Registry;
  std::unique_ptr<TTestForm> Form;
};

const char* kMain = R"(object Form1: TTestForm
  Left = 334
  Caption = 'www.example.com   Lirovan'
  OnCreate = FormCreate
  object Btstart: TTestWidget
    Left = 16
    Buddy = Btstop
    OnClick = ButtonClick
    object Inner: TTestWidget
      Left = 3
      Source = Form1
    end
  end
  object bsCompressedStoredSkin1: TTestData
    FileName = 'Recording.cfg'
    CompressedData = {
      789C0300
      00000001}
  end
  object Btstop: TTestWidget
    Left = 80
    Buddy = Btstart
    Source = bsCompressedStoredSkin1
  end
end
)";

}  // namespace

TEST_F(LayoutReader, BinaryBlockLaterReferenceAndEventByName) {
  ReadLayout(Form.get(), kMain, Registry);
  EXPECT_EQ(Form->Name(), "Form1");
  EXPECT_EQ(Form->Left, 334);
  EXPECT_EQ(Form->Caption, "www.example.com   Lirovan");
  ASSERT_EQ(Form->ComponentCount(), 4);  // every component is owned by the root

  auto* data = dynamic_cast<TTestData*>(Form->FindComponent("bsCompressedStoredSkin1"));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Data, (std::vector<std::uint8_t>{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(data->FileName, "Recording.cfg");

  TTestWidget* start = Widget("Btstart");
  TTestWidget* stop = Widget("Btstop");
  ASSERT_TRUE(start && stop);
  EXPECT_EQ(start->Buddy, stop);  // named before it existed
  EXPECT_TRUE(start->BuddyWasLoadingWhenSet);
  EXPECT_EQ(stop->Buddy, start);
  EXPECT_EQ(stop->Source, data);
  EXPECT_EQ(Widget("Inner")->Source, Form.get());

  ASSERT_TRUE(start->OnClick);
  start->OnClick(start);
  ASSERT_EQ(Form->Clicks.size(), 1u);
  EXPECT_EQ(Form->Clicks[0], start);
  ASSERT_TRUE(Form->OnCreate);
  Form->OnCreate(Form.get());
  EXPECT_EQ(Form->Creates, 1);
  EXPECT_FALSE(stop->OnClick);  // only what the layout binds
}

TEST_F(LayoutReader, StatesParentsAndLoadedOrder) {
  ReadLayout(Form.get(), kMain, Registry);
  TTestWidget* start = Widget("Btstart");
  EXPECT_TRUE(start->StateAtFirstProperty.Contains(csLoading));
  EXPECT_TRUE(start->StateAtFirstProperty.Contains(csReading));
  EXPECT_EQ(start->ParentComponent, Form.get());
  EXPECT_EQ(Widget("Inner")->ParentComponent, start);  // the enclosing object
  EXPECT_EQ(Widget("Inner")->Owner(), Form.get());
  // Creation order, root last; references set and reading over by then.
  EXPECT_EQ(gLog, (std::vector<std::string>{"Loaded Btstart buddy=Btstop", "Loaded Inner",
                                            "Loaded bsCompressedStoredSkin1", "Loaded Btstop buddy=Btstart",
                                            "Loaded Form1"}));
  for (int i = 0; i < Form->ComponentCount(); ++i) EXPECT_TRUE(Form->Components(i)->ComponentState().Empty());
  EXPECT_TRUE(Form->ComponentState().Empty());
}

TEST_F(LayoutReader, EveryValueKind) {
  ReadLayout(Form.get(), R"(object F: TTestForm
  object W: TTestWidget
    Left = -$10
    Color = clBtnFace
    Ratio = 1.5
    Caption = 'it''s'#13#10 +
      ' 声道'#55357#56832
    Visible = False
    Align = alClient
    Anchors = [akLeft, akBottom]
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    Items.Strings = (
      '单声道'
      '立体声')
    ControlData = {}
    Source = nil
  end
end)",
             Registry);
  TTestWidget* w = Widget("W");
  EXPECT_EQ(w->Left, -16);
  EXPECT_EQ(w->Color, -16777201);
  EXPECT_DOUBLE_EQ(w->Ratio, 1.5);
  EXPECT_EQ(w->Caption, "it's\r\n 声道\xF0\x9F\x98\x80");  // #55357#56832 is one code point
  EXPECT_FALSE(w->Visible);
  EXPECT_EQ(w->Align, 5);
  EXPECT_EQ(w->Anchors, 0b1001u);
  EXPECT_EQ(w->FontName, "MS Sans Serif");
  EXPECT_EQ(w->FontStyle, 0u);
  EXPECT_EQ(w->Items, (std::vector<std::string>{"单声道", "立体声"}));
  EXPECT_TRUE(w->Data.empty());
  EXPECT_EQ(w->Source, nullptr);
}

TEST_F(LayoutReader, MalformedLayoutsNameTheLine) {
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {"object F: TTestForm\n  Left = 1\n  Left 2\nend", "Layout line 3: '=' expected"},
      {"object F: TTestForm\n  object B: TNoSuchClass\n  end\nend", "Layout line 2: Class TNoSuchClass not found"},
      {"object F: TTestForm\n\n  Width = 3\nend", "Layout line 3: property TTestForm.Width does not exist"},
      {"object F: TTestForm\n  Left = 'x'\nend", "Layout line 2: property F.Left needs an integer"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Buddy = Nobody\n  end\nend",
       "Layout line 3: component Nobody not found"},
      {"object F: TTestForm\n  OnCreate = NoMethod\nend", "Layout line 2: method NoMethod"},
      {"object F: TTestForm\n  OnCreate = IntHandler\nend", "Layout line 2: error reading F.OnCreate: method IntHandler"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Align = alSideways\n  end\nend",
       "Layout line 3: property B.Align: unknown value alSideways"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Align = 3\n  end\nend",
       "Layout line 3: property B.Align needs an identifier"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Anchors = [akLeft, akNowhere]\n  end\nend",
       "Layout line 3: property B.Anchors: unknown set element akNowhere"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Visible = Maybe\n  end\nend",
       "Layout line 3: property B.Visible needs True or False"},
      {"object F: TTestForm\n  object B: TTestWidget\n    ControlData = {\n      ABC}\n  end\nend",
       "Layout line 4: binary block has an odd number"},
      {"object F: TTestForm\n  object B: TTestWidget\n    ControlData = {AZ}\n  end\nend",
       "Layout line 3: invalid character in a binary block"},
      {"object F: TTestForm\n  Caption = 'open\nend", "Layout line 2: unterminated string"},
      {"object F: TTestForm\n  Left = 99999999999999999999\nend", "Layout line 2: number out of range"},
      {"object F: TTestForm\n  object B: TTestWidget\n  end\n", "Layout line 4: 'end' expected"},
      {"object F: TTestForm\nend\nobject G: TTestForm\nend", "Layout line 3: text after the final 'end'"},
      {"object F: TTestForm\n  object B: TTestWidget\n  end\n  object B: TTestWidget\n  end\nend",
       "Layout line 4: A component named B already exists"},
      {"object F: TTestForm\n  object B: TTestWidget\n    Buddy = F\n  end\nend",
       "Layout line 3: error reading B.Buddy: Component F of class TTestForm cannot be assigned to Buddy"},
      {"object F: TTestForm\n  Caption = 'a' +\nend", "Layout line 3: a string expected after '+'"},
      {"object F: TTestForm\n  Caption = '\xE5\xBD'\nend", "Layout line 2: invalid UTF-8 in a string"},
      {"", "Layout line 1: the layout is empty"},
      {"object F: TTestForm\n  Left = @\nend", "Layout line 2: unexpected character '@'"},
      {"object F: TTestForm\n  object B: TTestForm\n  end\nend", "Layout line 2: Class TTestForm cannot be created"},
  };
  for (const Case& c : cases) {
    std::string message = ErrorOf(c.Text);
    EXPECT_EQ(message.rfind(c.Expected, 0), 0u) << "layout:\n" << c.Text << "\nmessage: " << message;
    // A failed read leaves nothing behind.
    EXPECT_EQ(Form->ComponentCount(), 0) << c.Text;
    EXPECT_FALSE(Form->ComponentState().Contains(csLoading)) << c.Text;
    EXPECT_FALSE(Form->ComponentState().Contains(csReading)) << c.Text;
  }
}

TEST_F(LayoutReader, DeepNestingIsRefusedNotOverflowed) {
  std::string text = "object F: TTestForm\n";
  for (int i = 0; i < 5000; ++i) text += "object TTestWidget\n";
  std::string message = ErrorOf(text);
  EXPECT_NE(message.find("nested too deeply"), std::string::npos) << message;
  EXPECT_EQ(Form->ComponentCount(), 0);
}

TEST_F(LayoutReader, RegistryWalksTheClassChain) {
  Registry.RegisterClass<TTestWidget>("TSubWidget", "TTestWidget")
      .Integer("Left", nullptr, [](TTestWidget* w, Int64 v) { w->Left = int(v) * 2; });
  ASSERT_NE(Registry.FindProperty("TSubWidget", "caption"), nullptr);  // inherited, any case
  EXPECT_TRUE(Registry.InheritsFrom("TSubWidget", "TComponent"));
  EXPECT_FALSE(Registry.InheritsFrom("TTestWidget", "TSubWidget"));
  ReadLayout(Form.get(), "object F: TTestForm\n object S: TSubWidget\n  Left = 4\n  Caption = 'c'\n end\nend",
             Registry);
  EXPECT_EQ(Widget("S")->Left, 8);  // the subclass's own Left wins
  EXPECT_EQ(Widget("S")->Caption, "c");
  auto props = Registry.AllProperties("TSubWidget");
  ASSERT_FALSE(props.empty());
  EXPECT_EQ(props[0]->Name, "Left");  // ancestors' order kept, entry replaced
  EXPECT_EQ(props[0], Registry.FindProperty("TSubWidget", "Left"));
}

TEST_F(LayoutReader, MissingResourceIsALayoutError) {
  EXPECT_THROW(ReadLayoutResource(Form.get(), "NoSuchLayout"), ELayoutError);
}
