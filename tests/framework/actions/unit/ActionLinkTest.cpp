// Actions and the link that keeps menu items in step with them.
#include <gtest/gtest.h>

#include "framework/actions/Action.h"
#include "framework/actions/ActionLink.h"
#include "framework/menus/MenuItem.h"

namespace {

TEST(ActionLink, ItemFollowsTheActionUntilChangedByHand) {
  TComponent form(nullptr);
  TAction save(&form);
  save.SetCaption("&Save");
  save.SetShortCut(ShortCut('S', {ssCtrl}));
  save.SetHint("Save the recording");
  save.SetImageIndex(3);
  save.SetChecked(true);
  auto* item = new TMenuItem(&form);
  item->SetCaption("old");
  item->SetAction(&save);
  // Assigned at run time, the action's values replace the item's.
  EXPECT_EQ(item->Caption(), "&Save");
  EXPECT_EQ(item->ShortCut(), ShortCut('S', {ssCtrl}));
  EXPECT_EQ(item->Hint(), "Save the recording");
  EXPECT_EQ(item->ImageIndex(), 3);
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(item->Action(), &save);

  save.SetCaption("Save &as");
  save.SetEnabled(false);
  save.SetChecked(false);
  save.SetVisible(false);
  EXPECT_EQ(item->Caption(), "Save &as");
  EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(item->Checked());
  EXPECT_FALSE(item->Visible());

  // An item given its own caption keeps it; the other properties still follow.
  item->SetCaption("Mine");
  save.SetCaption("&Save");
  save.SetEnabled(true);
  EXPECT_EQ(item->Caption(), "Mine");
  EXPECT_TRUE(item->Enabled());

  // Unlinked, the item stays as it is.
  item->SetAction(nullptr);
  save.SetEnabled(false);
  EXPECT_TRUE(item->Enabled());
  EXPECT_EQ(save.ClientCount(), 0);
}

TEST(ActionLink, ClickingTheItemExecutesTheActionUnlessTheItemHasItsOwnHandler) {
  TComponent form(nullptr);
  TAction play(&form);
  int executed = 0;
  TComponent* by = nullptr;
  play.OnExecute = [&](TObject* sender) {
    ++executed;
    by = static_cast<TAction*>(sender)->ActionComponent();
  };
  auto* item = new TMenuItem(&form);
  item->SetAction(&play);
  item->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(by, item);
  EXPECT_EQ(play.ActionComponent(), nullptr);  // only during the execution

  // A disabled action does not run; its item is disabled and does not click either.
  play.SetEnabled(false);
  item->Click();
  item->SetEnabled(true);  // by hand: the item clicks, the action still refuses
  item->Click();
  EXPECT_EQ(executed, 1);

  // A raising handler still ends the execution.
  play.SetEnabled(true);
  play.OnExecute = [](TObject*) { throw Exception("no device"); };
  EXPECT_THROW(item->Click(), Exception);
  EXPECT_EQ(play.ActionComponent(), nullptr);

  int own = 0;
  item->OnClick = [&](TObject*) { ++own; };
  item->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(executed, 1);
}

TEST(ActionLink, AutoCheckActionsToggleOnceAndTheirItemsFollow) {
  TComponent form(nullptr);
  TAction loop(&form);
  loop.SetAutoCheck(true);
  bool checkedWhenRun = false;
  loop.OnExecute = [&](TObject*) { checkedWhenRun = loop.Checked(); };
  auto* item = new TMenuItem(&form);
  item->SetAction(&loop);
  EXPECT_TRUE(item->AutoCheck());
  item->Click();
  EXPECT_TRUE(checkedWhenRun);
  EXPECT_TRUE(loop.Checked());
  EXPECT_TRUE(item->Checked());
  item->Click();
  EXPECT_FALSE(loop.Checked());
  EXPECT_FALSE(item->Checked());
}

TEST(ActionLink, UpdateRunsThroughTheItemBeforeItIsShown) {
  TComponent form(nullptr);
  TAction stop(&form);
  bool recording = false;
  stop.OnUpdate = [&](TObject*) { stop.SetEnabled(recording); };
  TMenuItem parent(&form);
  auto* item = new TMenuItem(&form);
  item->SetAction(&stop);
  parent.Add(item);
  parent.InitiateActions();
  EXPECT_FALSE(item->Enabled());
  recording = true;
  parent.InitiateActions();
  EXPECT_TRUE(item->Enabled());
  EXPECT_FALSE(TBasicAction(nullptr).Update());  // no handler: nothing updated
}

TEST(ActionLink, FreeingEitherSideLeavesTheOtherWhole) {
  TComponent form(nullptr);
  auto* action = new TAction(&form);
  action->SetCaption("&Record");
  auto* a = new TMenuItem(&form);
  auto* b = new TMenuItem(&form);
  a->SetAction(action);
  b->SetAction(action);
  EXPECT_EQ(action->ClientCount(), 2);
  delete b;
  EXPECT_EQ(action->ClientCount(), 1);
  delete action;
  EXPECT_EQ(a->Action(), nullptr);
  EXPECT_EQ(a->ActionLink(), nullptr);
  EXPECT_EQ(a->Caption(), "&Record");
  a->Click();  // nothing to run, nothing to crash

  // The action frees itself, and the item that ran it, from its own handler.
  auto* self = new TAction(&form);
  auto* c = new TMenuItem(&form);
  c->SetAction(self);
  self->OnExecute = [&](TObject*) {
    delete c;
    delete self;
  };
  c->Click();
  EXPECT_EQ(form.ComponentCount(), 1);  // only a
}

// A control's own link: the generic interface a button implements.
class CaptionMirror : public TActionLink {
 public:
  explicit CaptionMirror(std::string* target) : TActionLink(nullptr), FTarget(target) {}
  void SetCaption(const std::string& Value) override { *FTarget = Value; }
  std::string* FTarget;
};

TEST(ActionLink, AnyClientMayImplementItsOwnLink) {
  TComponent form(nullptr);
  std::string shown;
  {
    auto* action = new TAction(&form);
    CaptionMirror link(&shown);
    link.SetAction(action);
    action->SetCaption("Play");
    EXPECT_EQ(shown, "Play");
    EXPECT_TRUE(link.Execute() == false);  // no OnExecute
    delete action;  // the link forgets it
    EXPECT_EQ(link.Action(), nullptr);
  }
}

}  // namespace
