// A tool bar with a speed button and a menu speed button restored from a stored layout:
// the window-less bases' properties, the buttons' and the bar's, references and events.
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinDataRegistration.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

namespace {

TEST(SkinSpeedButtonsLayoutTest, BarAndButtonsAreRestored) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  skintest::TSkinTestForm::Register();
  if (!ClassRegistry().IsRegistered("TPopupMenu"))
    ClassRegistry().RegisterClass<TPopupMenu>("TPopupMenu", "TComponent");
  if (!ClassRegistry().IsRegistered("TImageList"))
    ClassRegistry().RegisterClass<TImageList>("TImageList", "TComponent");
  int clicks = 0, shows = 0;
  ClassRegistry().RegisterMethod("TSkinTestForm", "OpenClick", [&clicks](TComponent*) -> TNotifyEvent {
    return [&clicks](TObject*) { ++clicks; };
  });
  ClassRegistry().RegisterMethod("TSkinTestForm", "ViewShow", [&shows](TComponent*) -> TNotifyEvent {
    return [&shows](TObject*) { ++shows; };
  });
  skintest::TSkinTestForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TSkinTestForm
  Left = 10
  Top = 10
  Width = 400
  Height = 200
  object Icons: TImageList
  end
  object ViewMenu: TPopupMenu
  end
  object Tools: TbsSkinToolBar
    Left = 0
    Top = 0
    Width = 390
    Height = 25
    Images = Icons
    Flat = True
    ShowCaptions = True
    AutoShowHideCaptions = True
    WidthWithCaptions = 390
    WidthWithoutCaptions = 200
    CanScroll = True
    HotScroll = True
    ScrollOffset = 20
    ScrollTimerInterval = 40
    object Open: TbsSkinSpeedButton
      Left = 0
      Top = 0
      Width = 60
      Height = 25
      Caption = 'Open'
      SkinDataName = 'toolbutton'
      DefaultFont.Name = 'Arial'
      DefaultFont.Height = 12
      DefaultWidth = 0
      UseSkinFont = False
      ShowCaption = False
      WidthWithCaption = 60
      WidthWithoutCaption = 25
      NumGlyphs = 2
      Layout = blGlyphTop
      Margin = 3
      Spacing = 2
      ImageIndex = 4
      GroupIndex = 1
      Down = True
      AllowAllUp = True
      RepeatMode = True
      RepeatInterval = 30
      Transparent = False
      OnClick = OpenClick
    end
    object View: TbsSkinMenuSpeedButton
      Left = 62
      Top = 0
      Width = 50
      Height = 25
      SkinPopupMenu = ViewMenu
      TrackButtonMode = True
      OnShowTrackMenu = ViewShow
    end
  end
end
)");
  auto* bar = dynamic_cast<TbsSkinToolBar*>(form.FindComponent("Tools"));
  auto* open = dynamic_cast<TbsSkinSpeedButton*>(form.FindComponent("Open"));
  auto* view = dynamic_cast<TbsSkinMenuSpeedButton*>(form.FindComponent("View"));
  ASSERT_TRUE(bar && open && view);
  EXPECT_EQ(bar->Images(), form.FindComponent("Icons"));
  EXPECT_TRUE(bar->Flat() && bar->ShowCaptions() && bar->AutoShowHideCaptions() && bar->CanScroll() &&
              bar->HotScroll());
  EXPECT_EQ(bar->WidthWithCaptions(), 390);
  EXPECT_EQ(bar->WidthWithoutCaptions(), 200);
  EXPECT_EQ(bar->ScrollOffset(), 20);
  EXPECT_EQ(bar->ScrollTimerInterval(), 40);
  EXPECT_EQ(open->Parent(), bar);
  EXPECT_EQ(open->SkinDataName(), "toolbutton");
  EXPECT_EQ(open->DefaultFont()->Height(), 12);
  EXPECT_FALSE(open->UseSkinFont());
  EXPECT_FALSE(open->ShowCaption());
  EXPECT_EQ(open->WidthWithCaption(), 60);
  EXPECT_EQ(open->WidthWithoutCaption(), 25);
  EXPECT_EQ(open->NumGlyphs(), 2);
  EXPECT_EQ(open->Layout(), blGlyphTop);
  EXPECT_EQ(open->Margin(), 3);
  EXPECT_EQ(open->Spacing(), 2);
  EXPECT_EQ(open->ImageIndex(), 4);
  EXPECT_EQ(open->GroupIndex(), 1);
  EXPECT_TRUE(open->Down() && open->AllowAllUp() && open->RepeatMode());
  EXPECT_EQ(open->RepeatInterval(), 30);
  EXPECT_FALSE(open->Transparent());
  open->ButtonClick();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(view->SkinPopupMenu(), form.FindComponent("ViewMenu"));
  EXPECT_TRUE(view->TrackButtonMode());
  EXPECT_EQ(view->SkinDataName(), "toolmenubutton");
  ASSERT_TRUE(view->OnShowTrackMenu);
  view->OnShowTrackMenu(view);
  EXPECT_EQ(shows, 1);
}

}  // namespace
