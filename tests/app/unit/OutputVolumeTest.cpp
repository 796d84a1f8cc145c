#include <gtest/gtest.h>

#include "app/OutputVolume.h"

TEST(OutputVolumeWord, RightChannelIsPositionTimes256AndLeftIsKept) {
  EXPECT_EQ(RightChannelVolumeWord(0x1234ABCD, 0), 0x0000ABCDu);
  EXPECT_EQ(RightChannelVolumeWord(0x1234ABCD, 255), 0xFF00ABCDu);
  EXPECT_EQ(RightChannelVolumeWord(0xFFFFFFFF, 1), 0x0100FFFFu);
  EXPECT_EQ(RightChannelVolumeWord(0, 128), 0x80000000u);
}
