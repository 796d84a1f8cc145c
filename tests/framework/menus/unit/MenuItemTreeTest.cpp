// The item tree: insertion rules, loops, ownership and freeing, radio groups, and the
// tree a stored layout nests.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/actions/Action.h"
#include "framework/core/Exceptions.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/menus/MenuClasses.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/WindowsClasses.h"

namespace {

TMenuItem* NewItem(TComponent* owner, const std::string& caption, TMenuItem* parent = nullptr) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  if (parent) parent->Add(item);
  return item;
}

TEST(MenuItemTree, InsertingAnItemIntoItselfOrItsDescendantsIsRefused) {
  TComponent owner(nullptr);
  TMenuItem* top = NewItem(&owner, "&File");
  TMenuItem* child = NewItem(&owner, "&Recent", top);
  TMenuItem* grandchild = NewItem(&owner, "one", child);

  EXPECT_THROW(top->Add(top), EMenuError);
  // top has no parent, so only the ancestry check can refuse these.
  EXPECT_THROW(child->Add(top), EMenuError);
  EXPECT_THROW(grandchild->Insert(0, top), EMenuError);
  EXPECT_THROW(grandchild->Add(grandchild), EMenuError);
  // The refused inserts changed nothing.
  EXPECT_EQ(top->Parent(), nullptr);
  EXPECT_EQ(top->Count(), 1);
  EXPECT_EQ(child->Count(), 1);
  EXPECT_EQ(grandchild->Count(), 0);

  // An item in a menu cannot be inserted a second time, nor a menu's root item anywhere.
  TMenuItem* other = NewItem(&owner, "other");
  EXPECT_THROW(other->Add(grandchild), EMenuError);
  TPopupMenu menu(&owner);
  EXPECT_THROW(other->Add(menu.Items()), EMenuError);
  EXPECT_THROW(other->Insert(2, NewItem(&owner, "x")), EMenuError);
  EXPECT_THROW(other->Insert(-1, NewItem(&owner, "y")), EMenuError);
  EXPECT_THROW(other->Add(nullptr), EMenuError);
  EXPECT_THROW(other->Items(0), EMenuError);
  EXPECT_THROW(other->Delete(0), EMenuError);
  EXPECT_THROW(other->Remove(grandchild), EMenuError);
  // A whole subtree moves once taken out.
  top->Remove(child);
  other->Add(child);
  EXPECT_EQ(child->Parent(), other);
  EXPECT_EQ((*other)[0], child);
}

TEST(MenuItemTree, IndexesFindAndMoving) {
  TComponent owner(nullptr);
  TMenuItem root(&owner);
  TMenuItem* open = NewItem(&owner, "&Open...", &root);
  TMenuItem* line = NewItem(&owner, "-", &root);
  TMenuItem* quit = NewItem(&owner, "E&xit", &root);
  TMenuItem* save = new TMenuItem(&owner);
  save->SetCaption("&Save");
  root.Insert(1, save);
  EXPECT_EQ(root.IndexOf(save), 1);
  EXPECT_EQ(line->MenuIndex(), 2);
  EXPECT_TRUE(line->IsLine());
  EXPECT_FALSE(quit->IsLine());
  EXPECT_EQ(root.Find("exit"), quit);
  EXPECT_EQ(root.Find("E&XIT"), quit);
  EXPECT_EQ(root.Find("open..."), open);
  EXPECT_EQ(root.Find("Quit"), nullptr);
  EXPECT_EQ(root.IndexOf(&root), -1);
  EXPECT_EQ(root.MenuIndex(), -1);

  quit->SetMenuIndex(0);
  EXPECT_EQ(root[0], quit);
  EXPECT_EQ(root[1], open);
  open->SetMenuIndex(99);  // clamped to the end
  EXPECT_EQ(root[3], open);
  EXPECT_EQ(root.Count(), 4);
}

TEST(MenuItemTree, FreeingItemsWhileWalkingTheListKeepsTheTreeSound) {
  // Run under the address sanitizer: every pattern below must free each item once.
  TComponent owner(nullptr);
  TMenuItem root(&owner);
  for (int i = 0; i < 6; ++i) {
    TMenuItem* item = NewItem(&owner, "item " + std::to_string(i), &root);
    for (int j = 0; j < 3; ++j) NewItem(&owner, "sub", item);
  }
  int before = owner.ComponentCount();

  // Backwards by index, freeing every other item.
  for (int i = root.Count() - 1; i >= 0; --i)
    if (i % 2 == 1) delete root.Items(i);
  ASSERT_EQ(root.Count(), 3);
  EXPECT_EQ(root[0]->Caption(), "item 0");
  EXPECT_EQ(root[1]->Caption(), "item 2");
  EXPECT_EQ(root[2]->Caption(), "item 4");
  EXPECT_EQ(owner.ComponentCount(), before - 3 * 4);  // each with its three sub-items

  // Taking out without freeing: the item lives on, owned by its owner, parentless.
  TMenuItem* kept = root[0];
  root.Delete(0);
  EXPECT_EQ(kept->Parent(), nullptr);
  EXPECT_EQ(kept->Count(), 3);

  // Front first until empty.
  while (root.Count() > 0) delete root.Items(0);
  EXPECT_EQ(root.Count(), 0);

  kept->Clear();
  EXPECT_EQ(kept->Count(), 0);
  EXPECT_EQ(owner.ComponentCount(), 2);  // root and kept
}

TEST(MenuItemTree, OwnerAndParentMayBeFreedInEitherOrder) {
  {
    // The owner goes first: the items it owns leave their parent, which another owns.
    auto owner = std::make_unique<TComponent>(nullptr);
    TPopupMenu menu(nullptr);
    TMenuItem* a = NewItem(owner.get(), "a", menu.Items());
    NewItem(owner.get(), "a1", a);
    NewItem(owner.get(), "b", menu.Items());
    owner.reset();
    EXPECT_EQ(menu.Items()->Count(), 0);
  }
  {
    // The menu goes first: it frees its items, which leave their owner's list.
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* a = NewItem(&owner, "a", menu->Items());
    NewItem(&owner, "a1", a);
    EXPECT_EQ(owner.ComponentCount(), 3);
    delete menu;
    EXPECT_EQ(owner.ComponentCount(), 0);
  }
  {
    // An item created before the parent it is put in (freed by the owner, last first).
    TComponent owner(nullptr);
    TMenuItem* early = new TMenuItem(&owner);
    TMenuItem* parent = new TMenuItem(&owner);
    parent->Add(early);
    EXPECT_EQ(owner.ComponentCount(), 2);
  }
}

TEST(MenuItemTree, CommandIdsAreUniqueAmongLivingItemsAndNeverZero) {
  TComponent owner(nullptr);
  std::set<Word> ids;
  for (int i = 0; i < 200; ++i) {
    auto* item = new TMenuItem(&owner);
    EXPECT_NE(item->Command(), 0);
    EXPECT_TRUE(ids.insert(item->Command()).second) << item->Command();
  }
  owner.DestroyComponents();
  // Ids of freed items are handed out again, still unique among the living.
  std::set<Word> again;
  for (int i = 0; i < 200; ++i) EXPECT_TRUE(again.insert((new TMenuItem(&owner))->Command()).second);
}

TEST(MenuItemRadio, CheckingARadioItemUnchecksItsGroupInTheSameParentOnly) {
  TComponent owner(nullptr);
  TMenuItem root(&owner);
  auto radio = [&](TMenuItem* parent, const char* caption, int group) {
    TMenuItem* item = NewItem(&owner, caption, parent);
    item->SetRadioItem(true);
    item->SetGroupIndex(group);
    return item;
  };
  TMenuItem* mono = radio(&root, "Mono", 1);
  TMenuItem* stereo = radio(&root, "Stereo", 1);
  TMenuItem* bits8 = radio(&root, "8 bits", 2);
  TMenuItem* bits16 = radio(&root, "16 bits", 2);
  TMenuItem* plain = NewItem(&owner, "Loop", &root);
  plain->SetGroupIndex(1);
  TMenuItem* sub = NewItem(&owner, "More", &root);
  TMenuItem* elsewhere = radio(sub, "Other mono", 1);

  plain->SetChecked(true);
  elsewhere->SetChecked(true);
  mono->SetChecked(true);
  bits16->SetChecked(true);
  stereo->SetChecked(true);
  EXPECT_FALSE(mono->Checked());
  EXPECT_TRUE(stereo->Checked());
  EXPECT_TRUE(bits16->Checked());  // another group
  EXPECT_TRUE(plain->Checked());  // not a radio item
  EXPECT_TRUE(elsewhere->Checked());  // another parent

  // Becoming a radio item, or moving into the group, while checked turns the others off.
  bits8->SetRadioItem(false);
  bits8->SetChecked(true);
  EXPECT_TRUE(bits16->Checked());
  bits8->SetRadioItem(true);
  EXPECT_FALSE(bits16->Checked());
  bits8->SetGroupIndex(1);
  EXPECT_FALSE(stereo->Checked());
  EXPECT_TRUE(bits8->Checked());

  // A radio item that checks itself on click keeps the group to one.
  mono->SetAutoCheck(true);
  mono->Click();
  EXPECT_TRUE(mono->Checked());
  EXPECT_FALSE(bits8->Checked());
  // Unchecking never checks another.
  mono->SetChecked(false);
  EXPECT_FALSE(stereo->Checked());
  EXPECT_FALSE(bits8->Checked());
}

// ---- stored layouts -----------------------------------------------------------------------------
class TMenuTestRoot : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TMenuTestRoot"; }
  std::vector<std::string> Log;
};

const char* const kMenuLayout = R"(object Root: TMenuTestRoot
  object ActRecord: TAction
    Caption = '&Record'
    ShortCut = 16466
    OnExecute = RecordExecute
  end
  object PopupMenu1: TPopupMenu
    OnPopup = MenuPopup
    object N1: TMenuItem
      Caption = '&Format'
      object Mono: TMenuItem
        Caption = '&Mono'
      end
      object Stereo: TMenuItem
        Caption = '&Stereo'
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
  end
end
)";

class MenuLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowsClasses();
    RegisterMenuClasses();
    TClassRegistry& r = ClassRegistry();
    r.RegisterRootClass<TMenuTestRoot>("TMenuTestRoot", "TComponent");
    for (const char* name : {"ItemClick", "MenuPopup", "RecordExecute"})
      r.RegisterMethod("TMenuTestRoot", name, [name](TComponent* root) -> TNotifyEvent {
        auto* self = static_cast<TMenuTestRoot*>(root);
        return [self, name](TObject* sender) {
          auto* c = dynamic_cast<TComponent*>(sender);
          self->Log.push_back(std::string(name) + " " + (c ? c->Name() : "?"));
        };
      });
  }
  // Names of the items under parent, a sub-menu's in brackets after it.
  static std::string Tree(const TMenuItem* parent) {
    std::string out;
    for (int i = 0; i < parent->Count(); ++i) {
      const TMenuItem* item = parent->Items(i);
      out += (i ? " " : "") + item->Name();
      if (item->Count()) out += " [" + Tree(item) + "]";
    }
    return out;
  }
};

TEST_F(MenuLayout, NestedItemBlocksSurviveWritingAndRunTheirHandlersByName) {
  TMenuTestRoot root(nullptr);
  ReadLayout(&root, kMenuLayout);
  auto* menu = dynamic_cast<TPopupMenu*>(root.FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Tree(menu->Items()), "N1 [Mono Stereo] N2 RecordItem");
  TMenuItem* format = menu->Items()->Items(0);
  EXPECT_EQ(format->Items(0)->GetParentMenu(), menu);
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  // Linked while reading, the item keeps the caption it stored and takes what it left unset.
  TMenuItem* recordItem = menu->Items()->Items(2);
  EXPECT_EQ(recordItem->Caption(), "Start");
  EXPECT_EQ(recordItem->ShortCut(), ShortCut('R', {ssCtrl}));

  // Written out and read back, the nesting stays.
  const std::string text = WriteLayout(&root);
  TMenuTestRoot copy(nullptr);
  ReadLayout(&copy, text);
  auto* copied = dynamic_cast<TPopupMenu*>(copy.FindComponent("PopupMenu1"));
  ASSERT_NE(copied, nullptr) << text;
  EXPECT_EQ(Tree(copied->Items()), "N1 [Mono Stereo] N2 RecordItem") << text;

  menu->Popup(0, 0);
  format->Items(1)->Click();
  recordItem->Click();
  EXPECT_EQ(root.Log, (std::vector<std::string>{"MenuPopup PopupMenu1", "ItemClick Stereo", "RecordExecute ActRecord"}));
}

TEST_F(MenuLayout, AnItemOutsideAMenuIsAnError) {
  TMenuTestRoot root(nullptr);
  try {
    ReadLayout(&root, "object Root: TMenuTestRoot\n  object Stray: TMenuItem\n    Caption = 'x'\n  end\nend\n");
    FAIL() << "a top-level item was accepted";
  } catch (const ELayoutError& e) {
    EXPECT_NE(e.Message().find("line 2"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("Stray"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(root.ComponentCount(), 0);  // the failed read left nothing behind
}

}  // namespace
