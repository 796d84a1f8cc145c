#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "tests/framework/layout/unit/LayoutTestComponents.h"

using namespace layouttest;

namespace {

class LayoutWriter : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(Registry); }
  TClassRegistry Registry;
};

void ExpectSameWidget(const TTestWidget& a, const TTestWidget& b) {
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_EQ(a.Color, b.Color);
  EXPECT_EQ(a.Ratio, b.Ratio);
  EXPECT_EQ(a.Caption, b.Caption);
  EXPECT_EQ(a.Visible, b.Visible);
  EXPECT_EQ(a.Align, b.Align);
  EXPECT_EQ(a.Anchors, b.Anchors);
  EXPECT_EQ(a.FontName, b.FontName);
  EXPECT_EQ(a.FontStyle, b.FontStyle);
  EXPECT_EQ(a.Items, b.Items);
  EXPECT_EQ(a.Data, b.Data);
  EXPECT_EQ(a.Buddy ? a.Buddy->Name() : "", b.Buddy ? b.Buddy->Name() : "");
  EXPECT_EQ(a.Source ? a.Source->Name() : "", b.Source ? b.Source->Name() : "");
  EXPECT_EQ(a.OnClickName, b.OnClickName);
  EXPECT_EQ(a.ParentComponent ? a.ParentComponent->Name() : "", b.ParentComponent ? b.ParentComponent->Name() : "");
}

}  // namespace

TEST_F(LayoutWriter, RoundTripKeepsEveryValue) {
  TTestForm src(nullptr);
  ReadLayout(&src, "object Form1: TTestForm\n  OnCreate = FormCreate\nend", Registry);
  src.Left = -7;
  src.Caption = "quote ' tab\t and 宋体";
  auto* a = new TTestWidget(&src);
  a->SetName("A");
  a->ParentComponent = &src;
  a->Left = 12;
  a->Color = 0xFF;  // written as its constant name
  a->Ratio = 0.1;
  a->Caption = "line1\r\nline2 '#' 😀";
  a->Visible = false;
  a->Align = 5;
  a->Anchors = 0b0110;
  a->FontName = "宋体";
  a->FontStyle = 0b001;
  a->Items = {"单声道", "", "it's"};
  for (int i = 0; i < 70; ++i) a->Data.push_back(std::uint8_t(i * 7));
  a->OnClick = [](TObject*) {};
  a->OnClickName = "ButtonClick";
  auto* d = new TTestData(&src);
  d->SetName("Store");
  d->FileName = "Recording.cfg";
  auto* b = new TTestWidget(&src);
  b->SetName("B");
  b->ParentComponent = a;  // nested inside A in the text
  b->Buddy = a;
  a->Buddy = b;
  b->Source = d;

  std::string text = WriteLayout(&src, Registry);
  EXPECT_NE(text.find("Color = clRed"), std::string::npos) << text;
  EXPECT_NE(text.find("Anchors = [akTop, akRight]"), std::string::npos) << text;
  EXPECT_NE(text.find("CompressedData = {}"), std::string::npos) << text;
  // Binary blocks: full lines of 64 hex characters, then the rest with the brace.
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> hex;
  bool inBlock = false;
  while (std::getline(lines, line)) {
    if (line.size() > 15 && line.compare(line.size() - 15, 15, "ControlData = {") == 0) {
      inBlock = true;
      continue;
    }
    if (inBlock) {
      hex.push_back(line.substr(line.find_first_not_of(' ')));
      if (line.back() == '}') inBlock = false;
    }
  }
  ASSERT_EQ(hex.size(), 3u) << text;
  EXPECT_EQ(hex[0].size(), 64u);
  EXPECT_EQ(hex[1].size(), 64u);
  EXPECT_EQ(hex[2].size(), 2 * 70u - 128u + 1u);

  TTestForm dst(nullptr);
  ReadLayout(&dst, text, Registry);
  EXPECT_EQ(dst.Name(), "Form1");
  EXPECT_EQ(dst.Left, src.Left);
  EXPECT_EQ(dst.Caption, src.Caption);
  EXPECT_EQ(dst.OnCreateName, "FormCreate");
  ASSERT_EQ(dst.ComponentCount(), 3);
  for (const char* name : {"A", "B"}) {
    auto* x = dynamic_cast<TTestWidget*>(src.FindComponent(name));
    auto* y = dynamic_cast<TTestWidget*>(dst.FindComponent(name));
    ASSERT_TRUE(x && y) << name;
    ExpectSameWidget(*x, *y);
  }
  EXPECT_EQ(dynamic_cast<TTestData*>(dst.FindComponent("Store"))->FileName, "Recording.cfg");
  // Writing the copy gives the same text again.
  EXPECT_EQ(WriteLayout(&dst, Registry), text);
}

TEST_F(LayoutWriter, ValuesWithoutANameAreRefused) {
  TTestForm src(nullptr);
  src.SetName("F");
  auto* w = new TTestWidget(&src);
  w->SetName("W");
  w->Align = 3;  // no name in the enumeration: writing it would lose it
  EXPECT_THROW(WriteLayout(&src, Registry), ELayoutError);
  w->Align = 0;
  w->Anchors = std::uint64_t(1) << 40;
  EXPECT_THROW(WriteLayout(&src, Registry), ELayoutError);
}
