// The hover fade's factor steps: five ticks each way, ending exactly on 0 and 1.
#include <gtest/gtest.h>

#include "skin/controls/SkinMorph.h"

namespace {

TEST(SkinMorph, FiveTicksEachWayEndExactlyAtTheEnds) {
  TbsMorphState m;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(m.Advance(true)) << i;
  EXPECT_EQ(1.0, m.Factor);
  EXPECT_FALSE(m.Advance(true));  // at the end: the timer may stop
  EXPECT_EQ(1.0, m.Factor);
  // Down from 1 the sums drift above 0; the fifth tick still lands on 0 exactly.
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(m.Advance(false)) << i;
  EXPECT_EQ(0.0, m.Factor);
  EXPECT_FALSE(m.Advance(false));
  EXPECT_EQ(0.0, m.Factor);
}

TEST(SkinMorph, TurningMidwayReversesFromTheCurrentFactor) {
  TbsMorphState m;
  m.Advance(true);
  m.Advance(true);
  EXPECT_NEAR(0.4, m.Factor, 1e-12);
  ASSERT_TRUE(m.Advance(false));
  EXPECT_NEAR(0.2, m.Factor, 1e-12);
  ASSERT_TRUE(m.Advance(false));
  EXPECT_EQ(0.0, m.Factor);
  EXPECT_FALSE(m.Advance(false));
}

}  // namespace
