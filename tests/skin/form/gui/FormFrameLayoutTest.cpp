// The frame's stored properties: the logo bitmap block of the form component.
#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/Forms.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormRegistration.h"

namespace {
class TFrameLayoutForm : public TForm {
 public:
  using TForm::TForm;
  std::string ClassName() const override { return "TFrameLayoutForm"; }
};

void Register() {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinFormClasses();
  ClassRegistry().RegisterRootClass<TFrameLayoutForm>("TFrameLayoutForm", "TForm");
}

// A 3 x 2 bitmap as a stored block: its size in four bytes, then the BMP file.
std::string LogoHex() {
  TBitmap logo(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) logo.SetPixel(x, y, x == 2 ? clRed : clLime);
  const std::vector<std::uint8_t> bmp = logo.SaveToBytes();
  std::string hex;
  const std::uint32_t n = std::uint32_t(bmp.size());
  for (int i = 0; i < 4; ++i) hex += IntToHex(int((n >> (8 * i)) & 0xFF), 2);
  for (std::uint8_t b : bmp) hex += IntToHex(b, 2);
  return hex;
}
}  // namespace

TEST(FormFrameLayout, LogoBitmapIsReadFromItsBlock) {
  Register();
  TFrameLayoutForm root(nullptr);
  ReadLayout(&root, "object Form1: TFrameLayoutForm\n"
                    "  object bsSkinForm1: TbsSkinForm\n"
                    "    LogoBitMap.Data = {" + LogoHex() + "}\n"
                    "    LogoBitMapTransparent = True\n"
                    "  end\n"
                    "end\n");
  auto* sf = dynamic_cast<TbsSkinForm*>(root.FindComponent("bsSkinForm1"));
  ASSERT_TRUE(sf);
  ASSERT_EQ(3, sf->LogoBitMap()->Width());
  ASSERT_EQ(2, sf->LogoBitMap()->Height());
  EXPECT_EQ(clLime, sf->LogoBitMap()->Pixel(0, 1));
  EXPECT_EQ(clRed, sf->LogoBitMap()->Pixel(2, 0));
  EXPECT_TRUE(sf->LogoBitMapTransparent());
}

TEST(FormFrameLayout, MalformedLogoBlockIsALayoutError) {
  Register();
  TFrameLayoutForm root(nullptr);
  EXPECT_THROW(ReadLayout(&root, "object Form1: TFrameLayoutForm\n  object sf: TbsSkinForm\n"
                                 "    LogoBitMap.Data = {0400000042}\n  end\nend\n"),
               Exception);
}
