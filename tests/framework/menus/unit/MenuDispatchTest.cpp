// A popup menu built in code: clicks by command id, by accelerator and by shortcut,
// and showing it through the replaceable handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/actions/Action.h"
#include "framework/menus/Hotkeys.h"
#include "framework/menus/MainMenu.h"
#include "framework/menus/PopupMenu.h"

namespace {

class PopupMenuModel : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = new TPopupMenu(&form);
    minimize = Add(menu->Items(), "Mi&nimize", 0);
    rollUp = Add(menu->Items(), "Ro&llUp", 0);
    line = Add(menu->Items(), "-", 0);
    view = Add(menu->Items(), "&View", 0);
    large = Add(view, "&Large icons", ShortCut('L', {ssCtrl}));
    details = Add(view, "&Details", ShortCut(VK_F5, {}));
    close = Add(menu->Items(), "&Close", ShortCut(VK_F4, {ssAlt}));
  }

  TMenuItem* Add(TMenuItem* parent, const std::string& caption, TShortCut sc) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->SetShortCut(sc);
    item->OnClick = [this, caption](TObject* sender) {
      clicks.push_back(caption);
      EXPECT_EQ(static_cast<TMenuItem*>(sender)->Caption(), caption);
    };
    parent->Add(item);
    return item;
  }

  TComponent form{nullptr};
  TPopupMenu* menu = nullptr;
  TMenuItem *minimize, *rollUp, *line, *view, *large, *details, *close;
  std::vector<std::string> clicks;
};

TEST_F(PopupMenuModel, CommandIdsReachNestedItemsAndOnlyThem) {
  EXPECT_TRUE(menu->DispatchCommand(details->Command()));
  EXPECT_TRUE(menu->DispatchCommand(close->Command()));
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Details", "&Close"}));
  EXPECT_EQ(menu->FindItem(large->Command(), fkCommand), large);

  // An id of another menu's item, or of a freed one, reaches nothing here.
  TMainMenu other(&form);
  auto* foreign = new TMenuItem(&form);
  other.Items()->Add(foreign);
  EXPECT_FALSE(menu->DispatchCommand(foreign->Command()));
  Word gone = rollUp->Command();
  delete rollUp;
  EXPECT_FALSE(menu->DispatchCommand(gone));
  EXPECT_FALSE(menu->DispatchCommand(0));

  // A disabled item is found but does not run.
  clicks.clear();
  minimize->SetEnabled(false);
  EXPECT_TRUE(menu->DispatchCommand(minimize->Command()));
  EXPECT_TRUE(clicks.empty());
}

TEST_F(PopupMenuModel, AcceleratorsPickTheItemOfTheirLevel) {
  TMenuItem* hit = menu->Items()->FindAccelItem('l');
  ASSERT_EQ(hit, rollUp);
  hit->Click();
  EXPECT_EQ(menu->Items()->FindAccelItem('V'), view);
  EXPECT_EQ(view->FindAccelItem('d'), details);
  // Accelerators of a sub-menu are not those of its parent level; hidden items have none.
  EXPECT_EQ(menu->Items()->FindAccelItem('D'), nullptr);
  rollUp->SetVisible(false);
  EXPECT_EQ(menu->Items()->FindAccelItem('L'), nullptr);
  EXPECT_EQ(menu->Items()->FindAccelItem('-'), nullptr);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Ro&llUp"}));
}

TEST_F(PopupMenuModel, ShortcutsClickEnabledVisibleItemsAtAnyDepth) {
  EXPECT_TRUE(menu->IsShortCut(VK_F4, {ssAlt}));
  EXPECT_TRUE(menu->IsShortCut('L', {ssCtrl}));
  EXPECT_TRUE(menu->IsShortCut(VK_F5, {}));
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Close", "&Large icons", "&Details"}));
  EXPECT_EQ(menu->FindItem(ShortCut(VK_F5, {}), fkShortCut), details);

  clicks.clear();
  EXPECT_FALSE(menu->IsShortCut(VK_F4, {}));  // modifiers must match
  EXPECT_FALSE(menu->IsShortCut(VK_F4, {ssAlt, ssShift}));
  EXPECT_FALSE(menu->IsShortCut('L', {}));
  EXPECT_FALSE(menu->IsShortCut(0, {ssCtrl}));
  // A disabled or hidden item, or one under a disabled parent, does not take its key.
  close->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(VK_F4, {ssAlt}));
  view->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(VK_F5, {}));
  view->SetEnabled(true);
  details->SetVisible(false);
  EXPECT_FALSE(menu->IsShortCut(VK_F5, {}));
  EXPECT_TRUE(clicks.empty());

  // A later item with the same shortcut takes over when the first cannot.
  TMenuItem* second = Add(menu->Items(), "Close &all", ShortCut(VK_F4, {ssAlt}));
  EXPECT_TRUE(menu->IsShortCut(VK_F4, {ssAlt}));
  EXPECT_EQ(clicks, (std::vector<std::string>{"Close &all"}));
  (void)second;
}

TEST_F(PopupMenuModel, KeyMessagesCarryAltInTheSystemKeyOrTheContextBit) {
  EXPECT_TRUE(menu->IsShortCut(TMessage{WM_SYSKEYDOWN, WPARAM(VK_F4), 1, 0}));
  EXPECT_TRUE(menu->IsShortCut(TMessage{WM_KEYDOWN, WPARAM(VK_F4), LPARAM(1) << 29, 0}));
  EXPECT_FALSE(menu->IsShortCut(TMessage{WM_KEYDOWN, WPARAM(VK_F4), 1, 0}));
  EXPECT_FALSE(menu->IsShortCut(TMessage{WM_KEYUP, WPARAM(VK_F5), 1, 0}));
  EXPECT_TRUE(menu->IsShortCut(TMessage{WM_KEYDOWN, WPARAM(VK_F5), 1, 0}));
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Close", "&Close", "&Details"}));
}

TEST_F(PopupMenuModel, ActionsUpdateBeforeTheirShortcutIsLookedFor) {
  TAction action(&form);
  action.SetShortCut(ShortCut('P', {ssCtrl}));
  action.SetEnabled(false);
  bool allow = false;
  int executed = 0;
  action.OnUpdate = [&](TObject*) { action.SetEnabled(allow); };
  action.OnExecute = [&](TObject*) { ++executed; };
  auto* print = new TMenuItem(&form);
  print->SetAction(&action);
  menu->Items()->Add(print);
  EXPECT_FALSE(print->Enabled());
  EXPECT_FALSE(menu->IsShortCut('P', {ssCtrl}));
  allow = true;
  EXPECT_TRUE(menu->IsShortCut('P', {ssCtrl}));
  EXPECT_EQ(executed, 1);

  // An update handler that frees a sub-menu (with its own updating items) on the way.
  TAction tidy(&form);
  auto* tidyItem = new TMenuItem(&form);
  tidyItem->SetAction(&tidy);
  view->Insert(0, tidyItem);
  auto* late = new TMenuItem(&form);
  late->SetAction(&action);
  details->Add(late);
  tidy.OnUpdate = [this](TObject*) { delete view; };
  EXPECT_FALSE(menu->IsShortCut(VK_F5, {}));
  EXPECT_EQ(menu->Items()->Count(), 5);
  EXPECT_TRUE(menu->IsShortCut(VK_F4, {ssAlt}));
}

TEST_F(PopupMenuModel, AHandlerMayFreeTheMenuItRunsFrom) {
  // The click of a shortcut, a command and the popup event each free the whole menu.
  close->OnClick = [this](TObject*) { delete menu; };
  EXPECT_TRUE(menu->IsShortCut(VK_F4, {ssAlt}));
  EXPECT_EQ(form.ComponentCount(), 0);

  SetUp();
  details->OnClick = [this](TObject*) { delete menu; };
  EXPECT_TRUE(menu->DispatchCommand(details->Command()));

  SetUp();
  int shown = 0;
  menu->OnPopup = [this](TObject*) { delete menu; };
  menu->OnPopupShow = [&](TPopupMenu*, const TRect&) { return ++shown > 0; };
  menu->Popup(1, 2);
  EXPECT_EQ(shown, 0);
}

TEST_F(PopupMenuModel, AHandlerThatRaisesLeavesTheShortcutsWorking) {
  close->OnClick = [](TObject*) { throw Exception("handler failed"); };
  EXPECT_THROW(menu->IsShortCut(VK_F4, {ssAlt}), Exception);
  EXPECT_TRUE(menu->IsShortCut(VK_F5, {}));
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Details"}));
}

TEST_F(PopupMenuModel, PopupFiresOnPopupThenHandsTheMenuToTheShowHandler) {
  std::vector<std::string> log;
  menu->OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, menu);
    log.push_back("popup");
    minimize->SetVisible(false);  // handlers fill or trim the menu here
  };
  TPopupHandler previous = TPopupMenu::SetPopupHandler([&](TPopupMenu* m, const TRect& a) {
    log.push_back("show " + std::to_string(a.Left) + "," + std::to_string(a.Top) +
                  (m->Items()->Items(0)->Visible() ? " visible" : " trimmed"));
    return true;
  });
  menu->Popup(100, 200);
  EXPECT_EQ(menu->PopupPoint(), Point(100, 200));

  // A menu's own handler wins over the program-wide one.
  menu->OnPopupShow = [&](TPopupMenu*, const TRect& a) {
    log.push_back("own " + std::to_string(a.Left));
    return true;
  };
  menu->Popup(5, 6);
  TPopupMenu::SetPopupHandler(previous);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "show 100,200 trimmed", "popup", "own 5"}));

  // With no handler at all, Popup only fires OnPopup and returns.
  menu->OnPopupShow = nullptr;
  TPopupHandler none = TPopupMenu::SetPopupHandler(nullptr);
  menu->Popup(7, 8);
  TPopupMenu::SetPopupHandler(none);
  EXPECT_EQ(log.size(), 5u);
  EXPECT_EQ(menu->PopupPoint(), Point(7, 8));
  EXPECT_TRUE(menu->AutoPopup());
}

TEST_F(PopupMenuModel, PopupComponentIsForgottenWhenItGoesAway) {
  auto* opener = new TComponent(&form);
  menu->SetPopupComponent(opener);
  EXPECT_EQ(menu->PopupComponent(), opener);
  delete opener;
  EXPECT_EQ(menu->PopupComponent(), nullptr);
}

TEST_F(PopupMenuModel, ChangesAreReportedWithTheirSourceAndWhetherItemsCameOrWent) {
  std::vector<std::pair<TMenuItem*, bool>> changes;
  menu->OnChange = [&](TObject* sender, TMenuItem* source, bool rebuild) {
    EXPECT_EQ(sender, menu);
    changes.emplace_back(source, rebuild);
  };
  large->SetChecked(true);
  details->SetCaption("&Details...");
  delete details;
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0], std::make_pair(large, false));
  EXPECT_EQ(changes[1], std::make_pair(details, true));
  EXPECT_EQ(changes[2], std::make_pair(view, true));
  // A detached subtree no longer reports to the menu.
  menu->Items()->Remove(view);
  changes.clear();
  large->SetEnabled(false);
  EXPECT_TRUE(changes.empty());
  view->SetMenuIndex(0);
  delete view;
}

}  // namespace
