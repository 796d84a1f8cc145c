// The typed message views read the packed parameters as the window system packs them.
#include <gtest/gtest.h>

#include "framework/messages/MessageViews.h"

TEST(MessageViews, ReadSignedPointsDeltasAndFlagsFromThePackedParameters) {
  const TMouseMessage mouse({WM_MOUSEMOVE, 0x0005, LPARAM(0xFFFEFFFB)});
  EXPECT_EQ(mouse.Keys, WPARAM(0x0005));
  EXPECT_EQ(mouse.Pos, (TPoint{-5, -2}));
  const TMouseWheelMessage wheel({WM_MOUSEWHEEL, 0xFF880008, 0x01F40190});
  EXPECT_EQ(wheel.Keys, WPARAM(0x0008));
  EXPECT_EQ(wheel.WheelDelta, -120);
  EXPECT_EQ(wheel.Pos, (TPoint{400, 500}));
  const TScreenPointMessage nc({WM_NCLBUTTONDOWN, 2, 0x0030FFF6}), keyboard({WM_CONTEXTMENU, 0, -1});
  EXPECT_EQ(nc.HitTest, 2);
  EXPECT_EQ(nc.Pos, (TPoint{-10, 48}));
  EXPECT_FALSE(nc.FromKeyboard);
  EXPECT_TRUE(keyboard.FromKeyboard);
  EXPECT_TRUE(TKeyMessage({WM_KEYDOWN, 0x41, 0x201E0001}).AltDown());
  EXPECT_FALSE(TKeyMessage({WM_KEYDOWN, 0x41, 0x001E0001}).AltDown());
  EXPECT_FALSE(TActivateMessage({WM_ACTIVATE, 0x00010000, 0}).Active());  // minimized and inactive
  EXPECT_TRUE(TActivateMessage({WM_ACTIVATE, 2, 0}).Active());
  EXPECT_EQ(PointToLParam(TPoint{-1, 3}), LPARAM(0x0003FFFF));
}
