// The form component and the skin popup menu in a stored layout.
#include <gtest/gtest.h>

#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/menus/MenuClasses.h"
#include "framework/menus/MenuItem.h"
#include "framework/windows/Forms.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"

namespace {
class TLayoutTestForm : public TForm {
 public:
  using TForm::TForm;
  std::string ClassName() const override { return "TLayoutTestForm"; }
};
}  // namespace

TEST(SkinFormLayout, PublishedPropertiesAreReadFromAStoredLayout) {
  RegisterWindowsClasses();
  RegisterMenuClasses();
  RegisterSkinDataClasses();
  RegisterSkinFormClasses();
  ClassRegistry().RegisterRootClass<TLayoutTestForm>("TLayoutTestForm", "TForm");
  TLayoutTestForm root(nullptr);
  ReadLayout(&root,
             "object Form1: TLayoutTestForm\n"
             "  BorderStyle = bsSingle\n"
             "  object bsSkinForm1: TbsSkinForm\n"
             "    BorderIcons = [biSystemMenu, biMinimize, biRollUp]\n"
             "    MagneticSize = 10\n"
             "    MenusAlphaBlendValue = 0\n"
             "    DefCaptionFont.Name = '\xE5\xAE\x8B\xE4\xBD\x93'\n"
             "    DefCaptionFont.Height = -12\n"
             "    DefCaptionFont.Style = [fsBold]\n"
             "    DefCaptionFont.Color = clBtnText\n"
             "    DefInActiveCaptionFont.Color = clBtnShadow\n"
             "    DefMenuItemHeight = 22\n"
             "    DefMenuItemFont.Height = -12\n"
             "    UseSkinFontInMenu = False\n"
             "    SkinData = bsSkinData1\n"
             "    MenusSkinData = bsSkinData1\n"
             "    SystemMenu = pm\n"
             "  end\n"
             "  object bsSkinData1: TbsSkinData\n"
             "  end\n"
             "  object pm: TbsSkinPopupMenu\n"
             "    SkinData = bsSkinData1\n"
             "    ComponentForm = Form1\n"
             "    object it1: TMenuItem\n"
             "      Caption = '&One'\n"
             "    end\n"
             "  end\n"
             "end\n");
  auto* sf = dynamic_cast<TbsSkinForm*>(root.FindComponent("bsSkinForm1"));
  auto* sd = dynamic_cast<TbsSkinData*>(root.FindComponent("bsSkinData1"));
  auto* pm = dynamic_cast<TbsSkinPopupMenu*>(root.FindComponent("pm"));
  ASSERT_TRUE(sf && sd && pm);
  EXPECT_EQ((TbsBorderIcons{biSystemMenu, biMinimize, biRollUp}), sf->BorderIcons());
  EXPECT_EQ(10, sf->MagneticSize());
  EXPECT_EQ(0, sf->MenusAlphaBlendValue());
  EXPECT_EQ(0, sf->SkinMenu()->AlphaBlendValue());
  EXPECT_EQ("\xE5\xAE\x8B\xE4\xBD\x93", sf->DefCaptionFont()->Name());
  EXPECT_EQ(-12, sf->DefCaptionFont()->Height());
  EXPECT_TRUE(sf->DefCaptionFont()->Style().Contains(fsBold));
  EXPECT_EQ(clBtnShadow, sf->DefInActiveCaptionFont()->Color());
  EXPECT_EQ(22, sf->SkinMenu()->ItemHeight());
  EXPECT_EQ(-12, sf->SkinMenu()->ItemFont()->Height());
  EXPECT_FALSE(sf->SkinMenu()->UseSkinFont());
  EXPECT_EQ(sd, sf->SkinData());
  EXPECT_EQ(sd, sf->MenusSkinData());
  EXPECT_EQ(pm, static_cast<TComponent*>(sf->SystemMenu()));
  EXPECT_EQ(sd, pm->SkinData());
  EXPECT_EQ(&root, pm->ComponentForm());
  EXPECT_EQ(sf, pm->FindSkinForm());
  ASSERT_EQ(1, pm->Items()->Count());
  EXPECT_EQ("&One", pm->Items()->Items(0)->Caption());
  // The empty stored skin leaves the default frame with its buttons.
  EXPECT_FALSE(sf->SkinActive());
  // Freeing the skin data clears every reference to it.
  delete sd;
  EXPECT_EQ(nullptr, sf->SkinData());
  EXPECT_EQ(nullptr, sf->MenusSkinData());
  EXPECT_EQ(nullptr, pm->SkinData());
}
