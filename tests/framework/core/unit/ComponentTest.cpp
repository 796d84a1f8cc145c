#include <gtest/gtest.h>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"

namespace {

struct Probe : TComponent {
  using TComponent::TComponent;
  std::vector<std::string>* log = nullptr;
  TComponent* ref = nullptr;
  ~Probe() override {
    if (log) log->push_back("destroy " + Name());
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == ref) ref = nullptr;
  }
};

TEST(Component, OwnerDestroysOwnedLastFirstAndFreeNotificationClearsReferences) {
  std::vector<std::string> log;
  auto* owner = new TComponent(nullptr);
  auto* a = new Probe(owner);
  a->SetName("a");
  a->log = &log;
  auto* b = new Probe(owner);
  b->SetName("b");
  b->log = &log;
  auto* watcher = new Probe(nullptr);
  watcher->ref = a;
  watcher->FreeNotification(a);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("B"), b);  // names match without regard to case
  EXPECT_THROW(b->SetName("A"), EComponentError);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"destroy b", "destroy a"}));
  EXPECT_EQ(watcher->ref, nullptr);
  delete watcher;
}

TEST(Component, ReownAndRemoveFreeNotification) {
  TComponent o1(nullptr), o2(nullptr);
  auto* c = new Probe(&o1);
  o2.InsertComponent(c);
  EXPECT_EQ(o1.ComponentCount(), 0);
  EXPECT_EQ(c->Owner(), &o2);
  Probe w(nullptr);
  w.ref = c;
  w.FreeNotification(c);
  w.RemoveFreeNotification(c);
  delete c;
  EXPECT_EQ(w.ref, c);  // not told any more
}

TEST(Types, RectHelpersAndSystemColours) {
  TRect r;
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_TRUE(PtInRect(Rect(0, 0, 2, 2), Point(1, 1)));
  EXPECT_FALSE(PtInRect(Rect(0, 0, 2, 2), Point(2, 1)));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
}

}  // namespace
