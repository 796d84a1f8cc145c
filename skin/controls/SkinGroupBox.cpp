#include "skin/controls/SkinGroupBox.h"

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* AOwner) : TbsSkinPanel(AOwner) {
  FSkinDataName = "groupbox";
  SetCaptionMode(true);
}
