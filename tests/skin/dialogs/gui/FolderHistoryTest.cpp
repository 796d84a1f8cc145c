// The back button's history driven by a real file list: back, back, back through A, B, C.
#include "skin/dialogs/FolderHistory.h"
#include "skin/dialogs/SkinFileListView.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

using namespace skincontrolstest;
using namespace dialogtest;

namespace {

class FolderHistoryTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    for (const char* d : {"A", "B", "C", "D"}) t.Dir(d);
    List = Make<TbsSkinFileListView>(10, 10, 300, 200);
    List->OnFolderChanged = [this](TObject*) { History.FolderShown(List->CurrentFolder()->AbsoluteID()); };
  }
  bool Back() {
    return History.Back([this](PCItemIDList id) { List->SetPathFromID(id); });
  }
  TTree t;
  TbsSkinFileListView* List = nullptr;
  TbsFolderHistory History;
};

TEST_F(FolderHistoryTest, BackBackBackThroughABC) {
  History.Clear();
  List->SetPath(t.Path("A"));
  List->SetPath(t.Path("B"));
  List->SetPath(t.Path("C"));
  ASSERT_EQ(3, History.Count());
  EXPECT_TRUE(Back());
  EXPECT_EQ(t.Path("B"), List->CurrentFolderPath());
  EXPECT_TRUE(Back());
  EXPECT_EQ(t.Path("A"), List->CurrentFolderPath());
  EXPECT_FALSE(Back());
  EXPECT_EQ(t.Path("A"), List->CurrentFolderPath());
  EXPECT_EQ(1, History.Count());
}

TEST_F(FolderHistoryTest, RepeatsAreNotRecordedAndTheLastEntryStays) {
  History.Clear();
  List->SetPath(t.Path("A"));
  List->SetPath(t.Path("A"));
  List->Refresh();
  EXPECT_EQ(1, History.Count());
  List->SetPath(t.Path("B"));
  EXPECT_TRUE(Back());  // to A; B stays last
  List->SetPath(t.Path("D"));
  ASSERT_EQ(2, History.Count());
  EXPECT_TRUE(Back());
  EXPECT_EQ(t.Path("B"), List->CurrentFolderPath());
}

}  // namespace
