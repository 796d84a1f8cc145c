// The file type box: descriptions shown, masks behind them, the change it reports.
#include "skin/dialogs/SkinFilterComboBox.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"
#include "tests/support/SlatePieces.h"

using namespace skincontrolstest;

namespace {

class FilterComboBoxTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    Box = Make<TbsSkinFilterComboBox>(10, 10, 280, 21);
    Box->OnChange = [this](TObject*) { ++Changes; };
  }
  TbsSkinFilterComboBox* Box = nullptr;
  int Changes = 0;
};

TEST_F(FilterComboBoxTest, FilterTextBecomesDescriptionsAndMasks) {
  EXPECT_EQ("All files (*.*)|*.*", Box->Filter());
  EXPECT_EQ(1, Box->Items()->Count());
  EXPECT_EQ("All files (*.*)", Box->Text());
  EXPECT_EQ("*.*", Box->Mask());
  Box->SetFilter("All files|*.*");
  ASSERT_EQ(1, Box->Items()->Count());
  EXPECT_EQ("All files", (*Box->Items())[0]);
  EXPECT_EQ("*.*", Box->Mask());
  EXPECT_EQ(1, Changes);
  // The same text in another case changes nothing.
  Box->SetFilter("ALL FILES|*.*");
  EXPECT_EQ(1, Changes);
  Box->SetFilter("Video|*.mp4;*.avi|Sound|*.wav|Dangling");
  EXPECT_EQ(2, Box->Items()->Count());
  EXPECT_EQ("Video", Box->Text());
  EXPECT_EQ("*.mp4;*.avi", Box->Mask());
  Box->SetItemIndex(1);
  EXPECT_EQ("*.wav", Box->Mask());
  // With nothing selected the last entry is taken; with no entries every file.
  Box->SetItemIndex(-1);
  EXPECT_EQ("*.wav", Box->Mask());
  EXPECT_EQ(1, Box->ItemIndex());
  Box->SetFilter("no pairs");
  EXPECT_EQ(0, Box->Items()->Count());
  EXPECT_EQ("*.*", Box->Mask());
}

TEST_F(FilterComboBoxTest, LooksDefaultAndSlate) {
  Box->SetFilter("Video files (*.mp4;*.avi)|*.mp4;*.avi|All files|*.*");
  testsupport::Pump(10);
  const Pic plain = Shot(Box);
  SaveArtifact(plain, "filter_combo_default");
  LoadSlate();
  Box->SetSkinData(SkinData);
  testsupport::Pump(10);
  const Pic skinned = Shot(Box);
  SaveArtifact(skinned, "filter_combo_slate");
  // The record stretches only between its left end and its right end with the drop
  // button: both ends are the picture's, pixel for pixel.
  using slatepieces::IniNumbers;
  const std::vector<int> s = IniNumbers("combobox", "skinrect");
  const int left = IniNumbers("combobox", "lefttoppoint").at(0), right = IniNumbers("combobox", "righttoppoint").at(0);
  const TBitmap& pic = *SkinData->PictureList.at(size_t(IniNumbers("combobox", "pictureindex").at(0)));
  for (int y = 0; y < std::min(skinned.Height(), s.at(3) - s[1]); ++y)
    for (int sx = 0; sx < s[2] - s[0]; ++sx)
      if (sx < left || sx >= right)
        ASSERT_EQ(pic.Pixel(s[0] + sx, s[1] + y), skinned.Pixel(sx < left ? sx : skinned.Width() - (s[2] - s[0]) + sx, y))
            << "skin pixel " << sx << "," << y;
}

}  // namespace
