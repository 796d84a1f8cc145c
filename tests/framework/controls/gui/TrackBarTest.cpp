#include <memory>

#include "framework/controls/TrackBar.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class TrackBarTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Bar = new TTrackBar(Form);
    Bar->SetParent(Form);
    Bar->SetBounds(10, 10, 150, 45);
    Bar->SetMax(100);
    Bar->SetFrequency(10);
    Bar->OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, Bar);
      Changes.push_back(Bar->Position());
    };
  }
  TTrackBar* Bar = nullptr;
  std::vector<int> Changes;
};

TEST_F(TrackBarTest, GeometryOfTheDefaultHorizontalBar) {
  // 150 x 45 with a 20-pixel thumb: an 11-pixel thumb travels 123 pixels of a channel
  // 8 pixels in from each end.
  EXPECT_EQ(Bar->ChannelRect(), Rect(8, 13, 142, 17));
  EXPECT_EQ(Bar->ThumbRect(), Rect(8, 8, 19, 28));
  Bar->SetPosition(50);
  EXPECT_EQ(Bar->ThumbRect(), Rect(70, 8, 81, 28));
  Bar->SetPosition(100);
  EXPECT_EQ(Bar->ThumbRect(), Rect(131, 8, 142, 28));
  EXPECT_EQ(Bar->PositionAt(13), 0);
  EXPECT_EQ(Bar->PositionAt(75), 50);
  EXPECT_EQ(Bar->PositionAt(136), 100);
  EXPECT_EQ(Bar->PositionAt(-40), 0);
  EXPECT_EQ(Bar->PositionAt(4000), 100);
}

TEST_F(TrackBarTest, DraggingTheThumbFollowsThePointerWithinTheRange) {
  Press(Bar, 13, 15);  // the thumb's middle
  EXPECT_TRUE(Changes.empty());
  Move(Bar, 74, 15);
  EXPECT_EQ(Bar->Position(), 50);
  Move(Bar, 300, 15);  // beyond the end: captured, clamped
  EXPECT_EQ(Bar->Position(), 100);
  Move(Bar, -50, 40);
  EXPECT_EQ(Bar->Position(), 0);
  Release(Bar, 74, 15);
  EXPECT_EQ(Bar->Position(), 50);
  EXPECT_EQ(Changes, (std::vector<int>{50, 100, 0, 50}));
  // After the release moving does nothing.
  SimulateMouse(Bar, WM_MOUSEMOVE, 120, 15);
  EXPECT_EQ(Bar->Position(), 50);
  EXPECT_EQ(Changes.size(), 4u);
}

TEST_F(TrackBarTest, ClickingTheChannelPagesTowardsThePointer) {
  Bar->SetMax(10);
  Bar->SetPageSize(3);
  Changes.clear();
  Press(Bar, 120, 15);
  Release(Bar, 120, 15);
  EXPECT_EQ(Bar->Position(), 3);
  Press(Bar, 140, 15);
  Release(Bar, 140, 15);
  EXPECT_EQ(Bar->Position(), 6);
  Press(Bar, 9, 15);
  Release(Bar, 9, 15);
  EXPECT_EQ(Bar->Position(), 3);
  EXPECT_EQ(Changes, (std::vector<int>{3, 6, 3}));
}

TEST_F(TrackBarTest, KeysStepByLineAndPageAndJumpToTheEnds) {
  Bar->SetMax(10);
  Bar->SetPageSize(3);
  Changes.clear();
  Key(Bar, VK_RIGHT);
  Key(Bar, VK_DOWN);
  Key(Bar, VK_NEXT);
  Key(Bar, VK_PRIOR);
  Key(Bar, VK_END);
  Key(Bar, VK_RIGHT);  // already at Max: no change, no event
  Key(Bar, VK_HOME);
  Key(Bar, VK_LEFT);
  Key(Bar, VK_UP);
  EXPECT_EQ(Changes, (std::vector<int>{1, 2, 5, 2, 10, 0}));
  Bar->SetLineSize(4);
  Key(Bar, VK_RIGHT);
  EXPECT_EQ(Bar->Position(), 4);
}

TEST_F(TrackBarTest, PositionStaysInTheRangeAndEveryChangeIsReported) {
  Bar->SetMax(255);
  Bar->SetPosition(300);
  EXPECT_EQ(Bar->Position(), 255);
  Bar->SetPosition(-1);
  EXPECT_EQ(Bar->Position(), 0);
  Bar->SetPosition(0);  // unchanged: no event
  Bar->SetPosition(200);
  Bar->SetMax(100);  // the range shrinks under the position
  EXPECT_EQ(Bar->Position(), 100);
  Bar->SetMin(150);  // a Min above Max takes Max along
  EXPECT_EQ(Bar->Max(), 150);
  EXPECT_EQ(Bar->Position(), 150);
  Bar->SetMax(20);  // and a Max below Min takes Min along
  EXPECT_EQ(Bar->Min(), 20);
  EXPECT_EQ(Bar->Position(), 20);
  EXPECT_EQ(Changes, (std::vector<int>{255, 0, 200, 100, 150, 20}));
}

// A stored position above the default Max, read before the stored Max, is kept; reading
// reports nothing, and the handler bound by name hears later changes.
TEST_F(TrackBarTest, StoredPositionBeforeMaxAndHandlerBoundByName) {
  int changes = 0;
  ReadControls(R"(  object TrackBar1: TTrackBar
    Position = 200
    Max = 255
    OnChange = TrackBar1Change
  end
)", {{"TrackBar1Change", [&changes] { ++changes; }}});
  auto* bar = dynamic_cast<TTrackBar*>(Form->FindComponent("TrackBar1"));
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(bar->Position(), 200);
  EXPECT_EQ(changes, 0);
  bar->SetPosition(20);
  EXPECT_EQ(changes, 1);
}

TEST_F(TrackBarTest, VerticalBarRunsDownwards) {
  Bar->SetOrientation(trVertical);
  EXPECT_EQ(Bar->Width(), 45);
  EXPECT_EQ(Bar->Height(), 150);
  EXPECT_EQ(Bar->ThumbRect(), Rect(8, 8, 28, 19));
  Press(Bar, 15, 13);
  Move(Bar, 15, 74);
  Release(Bar, 15, 74);
  EXPECT_EQ(Bar->Position(), 50);
  Key(Bar, VK_DOWN);
  EXPECT_EQ(Bar->Position(), 51);
  Key(Bar, VK_UP);
  Key(Bar, VK_UP);
  EXPECT_EQ(Bar->Position(), 49);
  TBitmap shot;
  PaintTo(Bar, &shot);
  SaveArtifact(shot, "trackbar_vertical");
  // The thumb at 49 points right towards the ticks, face inside, highlight on its top edge.
  TRect t = Bar->ThumbRect();
  EXPECT_EQ(shot.Pixel(t.Left + 5, t.Top), White);
  EXPECT_EQ(shot.Pixel(t.Left + 6, t.Top + 5), Face);
  EXPECT_EQ(shot.Pixel(t.Left + 3, t.Bottom - 1), DkShadow);
}

TEST_F(TrackBarTest, ChangeHandlerMayFreeTheBar) {
  // Dragging, paging and keys each end in a handler that frees the bar mid-input.
  auto freeOnChange = [this] {
    if (!Bar) {
      Bar = new TTrackBar(Form);
      Bar->SetParent(Form);
      Bar->SetBounds(10, 10, 150, 45);
      Bar->SetMax(100);
    }
    Bar->OnChange = [this](TObject*) {
      delete Bar;
      Bar = nullptr;
    };
  };
  freeOnChange();
  Press(Bar, 13, 15);
  Move(Bar, 74, 15);
  EXPECT_EQ(Bar, nullptr);
  Release(Form, 90, 30);

  freeOnChange();
  Press(Bar, 120, 15);
  EXPECT_EQ(Bar, nullptr);
  Release(Form, 130, 30);

  freeOnChange();
  SimulateKey(Bar, WM_KEYDOWN, VK_END);
  EXPECT_EQ(Bar, nullptr);
}

TEST_F(TrackBarTest, DisabledBarIgnoresMouseAndKeys) {
  Bar->SetEnabled(false);
  Press(Bar, 13, 15);
  Move(Bar, 74, 15);
  Release(Bar, 74, 15);
  Key(Bar, VK_END);
  EXPECT_EQ(Bar->Position(), 0);
  EXPECT_TRUE(Changes.empty());
}

TEST_F(TrackBarTest, PaintsChannelTicksAndThumbClassically) {
  Bar->SetPosition(50);
  TBitmap shot;
  PaintTo(Bar, &shot);
  SaveArtifact(shot, "trackbar_horizontal");
  ASSERT_EQ(shot.Width(), 150);
  // Background.
  EXPECT_EQ(shot.Pixel(3, 40), Face);
  // Sunken channel: shadow then dark shadow on the upper left, highlight at the bottom.
  EXPECT_EQ(shot.Pixel(20, 13), Shadow);
  EXPECT_EQ(shot.Pixel(20, 14), DkShadow);
  EXPECT_EQ(shot.Pixel(20, 16), White);
  // Thumb at 70..80: highlight left and top, dark shadow right, face inside.
  EXPECT_EQ(shot.Pixel(70, 12), White);
  EXPECT_EQ(shot.Pixel(74, 8), White);
  EXPECT_EQ(shot.Pixel(80, 12), DkShadow);
  EXPECT_EQ(shot.Pixel(79, 12), Shadow);
  EXPECT_EQ(shot.Pixel(75, 15), Face);
  // Its point narrows below the body (rows 22..27) to a tip at the centre.
  EXPECT_EQ(shot.Pixel(70, 23), Face);
  EXPECT_NE(shot.Pixel(75, 27), Face);
  // Ticks below: the end ticks 4 pixels long, the others 3, every 10 positions.
  for (int y = 30; y < 34; ++y) {
    EXPECT_EQ(shot.Pixel(13, y), Black) << y;
    EXPECT_EQ(shot.Pixel(136, y), Black) << y;
  }
  EXPECT_EQ(shot.Pixel(75, 30), Black);
  EXPECT_EQ(shot.Pixel(75, 32), Black);
  EXPECT_EQ(shot.Pixel(75, 33), Face);
  EXPECT_EQ(shot.Pixel(14, 31), Face);
  // Moving the thumb repaints it elsewhere.
  Bar->SetPosition(0);
  TBitmap moved;
  PaintTo(Bar, &moved);
  EXPECT_EQ(moved.Pixel(75, 15), Face);
  EXPECT_EQ(moved.Pixel(75, 20), Face);
  EXPECT_EQ(moved.Pixel(80, 12), Face);
  EXPECT_EQ(moved.Pixel(8, 12), White);
}

}  // namespace
