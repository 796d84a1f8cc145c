// Forms and timers read from a stored layout.
#include <gtest/gtest.h>

#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/WindowsClasses.h"

namespace {

TEST(Layout, FormPropertiesTimersAndOnCreateAfterLoading) {
  RegisterWindowsClasses();
  std::vector<std::string> log;
  ClassRegistry().RegisterMethod("TForm", "FormCreate", [&log](TComponent* root) -> TNotifyEvent {
    return [&log, root](TObject*) {
      auto* t = static_cast<TTimer*>(static_cast<TForm*>(root)->FindComponent("Timer1"));
      log.push_back("create " + std::to_string(t ? t->Interval() : 0));
    };
  });
  TForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TForm
  Left = 12
  Top = 34
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Corvale'
  ClientWidth = 400
  ClientHeight = 300
  Color = clBtnFace
  Font.Name = 'Arial'
  Font.Style = [fsBold]
  Position = poScreenCenter
  Scaled = False
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  object Timer1: TTimer
    Interval = 250
    Enabled = False
  end
end
)");
  form.DoCreate();
  EXPECT_EQ(form.Left(), 12);
  EXPECT_EQ(form.Top(), 34);
  EXPECT_EQ(form.BorderStyle(), bsSingle);
  EXPECT_TRUE(form.BorderIcons().Contains(TBorderIcon::biMinimize));
  EXPECT_FALSE(form.BorderIcons().Contains(TBorderIcon::biMaximize));
  EXPECT_EQ(form.Caption(), "Corvale");
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 300);
  EXPECT_EQ(form.Width(), 400 + 2 * DefaultFrameBorder);
  EXPECT_EQ(form.Font()->Name(), "Arial");
  EXPECT_TRUE(form.Font()->Style().Contains(fsBold));
  EXPECT_EQ(form.Position(), poScreenCenter);
  auto* timer = dynamic_cast<TTimer*>(form.FindComponent("Timer1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(log, (std::vector<std::string>{"create 250"}));  // OnCreate sees the loaded components
}

}  // namespace
