// A popup menu with nested items in a stored layout, named by a control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/actions/Action.h"
#include "framework/controls/Label.h"
#include "framework/controls/StandardControls.h"
#include "framework/core/Exceptions.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/menus/MenuClasses.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/WindowsClasses.h"

namespace {

class TMenuTestRoot : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TMenuTestRoot"; }
  std::vector<std::string> Log;
};

const char* const kLayout = R"(object Root: TMenuTestRoot
  object Label1: TLabel
    Caption = 'Right-click me'
    PopupMenu = PopupMenu1
  end
  object ActRecord: TAction
    Caption = '&Record'
    ShortCut = 16466
    OnExecute = RecordExecute
  end
  object PopupMenu1: TPopupMenu
    AutoPopup = False
    OnPopup = MenuPopup
    object N1: TMenuItem
      Caption = '&Format'
      object Mono: TMenuItem
        Caption = '&Mono'
        RadioItem = True
        GroupIndex = 1
        Checked = True
      end
      object Stereo: TMenuItem
        Caption = '&Stereo'
        RadioItem = True
        GroupIndex = 1
        AutoCheck = True
        OnClick = ItemClick
      end
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object RecordItem: TMenuItem
      Caption = 'Start'
      Action = ActRecord
    end
    object CloseItem: TMenuItem
      Caption = '&Close'
      ShortCut = 32883
      Hint = 'Close the window'
      ImageIndex = 2
      Default = True
      OnClick = ItemClick
    end
  end
end
)";

class MenuLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowsClasses();
    RegisterStandardControls();
    RegisterMenuClasses();
    TClassRegistry& r = ClassRegistry();
    r.RegisterRootClass<TMenuTestRoot>("TMenuTestRoot", "TComponent");
    auto bind = [&r](const char* name) {
      r.RegisterMethod("TMenuTestRoot", name, [name](TComponent* root) -> TNotifyEvent {
        auto* self = static_cast<TMenuTestRoot*>(root);
        std::string n = name;
        return [self, n](TObject* sender) {
          auto* c = dynamic_cast<TComponent*>(sender);
          self->Log.push_back(n + " " + (c ? c->Name() : "?"));
        };
      });
    };
    bind("ItemClick");
    bind("MenuPopup");
    bind("RecordExecute");
  }
};

TEST_F(MenuLayout, NestedItemsReadBackAsATreeThatDispatches) {
  TMenuTestRoot root(nullptr);
  ReadLayout(&root, kLayout);
  auto* menu = dynamic_cast<TPopupMenu*>(root.FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->AutoPopup());
  TMenuItem* items = menu->Items();
  ASSERT_EQ(items->Count(), 4);
  EXPECT_EQ(items->Items(0)->Name(), "N1");
  EXPECT_TRUE(items->Items(1)->IsLine());
  TMenuItem* format = items->Items(0);
  ASSERT_EQ(format->Count(), 2);
  EXPECT_EQ(format->Items(0)->Name(), "Mono");
  EXPECT_EQ(format->Items(0)->GetParentMenu(), menu);
  EXPECT_TRUE(format->Items(0)->Checked());

  // The control names the menu.
  auto* label = dynamic_cast<TLabel*>(root.FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->PopupMenu(), menu);

  // Stored properties, and an item's own caption kept over its action's while loading.
  TMenuItem* closeItem = items->Items(3);
  EXPECT_EQ(ShortCutToText(closeItem->ShortCut()), "Alt+F4");
  EXPECT_EQ(closeItem->Hint(), "Close the window");
  EXPECT_EQ(closeItem->ImageIndex(), 2);
  EXPECT_TRUE(closeItem->Default());
  TMenuItem* recordItem = items->Items(2);
  EXPECT_EQ(recordItem->Caption(), "Start");
  EXPECT_EQ(ShortCutToText(recordItem->ShortCut()), "Ctrl+R");

  // Events bound by name run through every dispatch path.
  menu->Popup(0, 0);
  EXPECT_TRUE(menu->DispatchCommand(format->Items(1)->Command()));
  EXPECT_TRUE(format->Items(1)->Checked());  // checks itself on click
  EXPECT_FALSE(format->Items(0)->Checked());  // and the radio group stays one
  EXPECT_TRUE(menu->IsShortCut(VK_F4, {ssAlt}));
  EXPECT_TRUE(menu->IsShortCut('R', {ssCtrl}));
  format->FindAccelItem('s')->Click();
  EXPECT_EQ(root.Log, (std::vector<std::string>{"MenuPopup PopupMenu1", "ItemClick Stereo",
                                                "ItemClick CloseItem", "RecordExecute ActRecord",
                                                "ItemClick Stereo"}));
}

TEST_F(MenuLayout, WrittenLayoutKeepsTheNesting) {
  TMenuTestRoot root(nullptr);
  ReadLayout(&root, kLayout);
  std::string text = WriteLayout(&root);
  TMenuTestRoot copy(nullptr);
  ReadLayout(&copy, text);
  auto* menu = dynamic_cast<TPopupMenu*>(copy.FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr) << text;
  ASSERT_EQ(menu->Items()->Count(), 4) << text;
  EXPECT_EQ(menu->Items()->Items(0)->Count(), 2) << text;
  EXPECT_EQ(menu->Items()->Items(2)->Action(), copy.FindComponent("ActRecord"));
  EXPECT_EQ(dynamic_cast<TLabel*>(copy.FindComponent("Label1"))->PopupMenu(), menu);
}

TEST_F(MenuLayout, AnItemOutsideAMenuOrAnActionThatIsNoneAreErrors) {
  TMenuTestRoot root(nullptr);
  try {
    ReadLayout(&root, R"(object Root: TMenuTestRoot
  object Stray: TMenuItem
    Caption = 'x'
  end
end
)");
    FAIL() << "a top-level item was accepted";
  } catch (const ELayoutError& e) {
    EXPECT_NE(e.Message().find("line 2"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(root.ComponentCount(), 0);  // the failed read left nothing behind

  EXPECT_THROW(ReadLayout(&root, R"(object Root: TMenuTestRoot
  object PopupMenu1: TPopupMenu
    object A: TMenuItem
      Action = PopupMenu1
    end
  end
end
)"),
               ELayoutError);
  EXPECT_EQ(root.ComponentCount(), 0);
}

}  // namespace
